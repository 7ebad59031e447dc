test_that("one series is asked for by database name, then the database is closed", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord(
    attrA = 124L, attrB = 2L, attrC = 3L, attrD = 4L, attrE = 5L, attrF = 6L,
    textA = "Gross", textB = "EUR", textC = "SA", textD = "Gross domestic product",
    textE = "Eurostat", textF = "Chain-linked volumes"))
  result <- localInfo("Macro DB", "GDP.Q")
  expect_identical(vendorCalls(), c('QVBGetInfo("Macro DB", "GDP.Q")', "QVBCloseDatabase()"))
  expect_identical(unlist(result[c("firstDate", "lastDate", "attrA", "frequency", "attrB",
                                   "attrC", "attrD", "attrE", "attrF")], use.names = FALSE),
                   c(19900331L, 20201231L, 124L, 30L, 2L, 3L, 4L, 5L, 6L))
  expect_identical(unlist(result[c("textA", "textB", "textC", "textD", "textE", "textF")],
                          use.names = FALSE),
                   c("Gross", "EUR", "SA", "Gross domestic product", "Eurostat",
                     "Chain-linked volumes"))
})

test_that("both dates are converted with the series' own frequency", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord(firstPeriod = 1990L, lastPeriod = 2020L,
                                                 frequency = 10L))
  script("QVBGetInfo", 0L, record = seriesRecord(firstPeriod = 199002L,
                                                 lastPeriod = 202002L, frequency = 40L))
  script("QVBGetInfo", 0L, record = seriesRecord(firstPeriod = 19900105L,
                                                 lastPeriod = 20201225L, frequency = 57L))
  annual <- localInfo()
  monthly <- localInfo()
  weekly <- localInfo()
  expect_identical(c(annual$firstDate, annual$lastDate), c(19901231L, 20201231L))
  expect_identical(c(monthly$firstDate, monthly$lastDate), c(19900228L, 20200229L))
  expect_identical(c(weekly$firstDate, weekly$lastDate), c(19900105L, 20201225L))
})

test_that("an unlisted frequency gives zero dates and every other output as usual", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord(frequency = 20L, attrA = 9L, textB = "x"))
  result <- localInfo()
  expect_identical(c(result$firstDate, result$lastDate), c(0L, 0L))
  expect_identical(c(result$frequency, result$attrA), c(20L, 9L))
  expect_identical(result$textB, "x")
})

test_that("statuses 1 to 4 close the database, then fail, with nothing written", {
  messages <- c("Could not open database Macro DB", "Unable to find variable name",
                "Unable to load variable information", "Unable to load source information")
  for (status in 1:4) {
    resetDouble()
    script("QVBGetInfo", status, record = seriesRecord(attrA = 5L, textA = "new"))
    call <- inPlace("qvbGetInfo", infoArgs("Macro DB", "GDP.Q"))
    expect_identical(call$error, messages[[status]])
    expect_identical(vendorCalls(), c('QVBGetInfo("Macro DB", "GDP.Q")', "QVBCloseDatabase()"))
    expect_identical(call$outputs[-(1:2)], infoOutputs())
  }
})

test_that("every other status counts as success and writes every output", {
  for (status in c(0L, 5L, 6L, 11L, -1L)) {
    resetDouble()
    script("QVBGetInfo", status, record = seriesRecord(attrF = 9L, textF = "ok"))
    call <- inPlace("qvbGetInfo", infoArgs())
    expect_identical(call$error, NA_character_)
    expect_identical(c(call$outputs$firstDate, call$outputs$attrF), c(19900331L, 9L))
    expect_identical(call$outputs$textF, "ok")
    expect_identical(vendorCalls(), c('QVBGetInfo("DB", "X1")', "QVBCloseDatabase()"))
  }
})

test_that("texts arrive whole up to their field widths, and empty texts arrive empty", {
  resetDouble()
  longest <- function(width) substr(strrep("abcdefghij", 9), 1, width - 1)
  script("QVBGetInfo", 0L, record = seriesRecord(
    textA = longest(18), textB = longest(8), textC = "", textD = longest(82),
    textE = longest(10), textF = longest(70)))
  result <- localInfo()
  expect_identical(result$textA, "abcdefghijabcdefg")
  expect_identical(result$textB, "abcdefg")
  expect_identical(result$textC, "")
  expect_identical(result$textD, longest(82))
  expect_identical(result$textE, "abcdefghi")
  expect_identical(result$textF, longest(70))
})

test_that("the texts survive garbage collection while R builds its result", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord(textA = "first", textF = "last text"))
  script("QVBGetInfo", 0L, record = seriesRecord(textA = "second", textF = "other"))
  gctorture(TRUE)
  first <- localInfo()
  second <- localInfo()
  gctorture(FALSE)
  expect_identical(c(first$textA, first$textF, second$textA, second$textF),
                   c("first", "last text", "second", "other"))
})

test_that("qvbSeriesInfo returns the fields by name and checks its arguments", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord(attrA = 124L, textD = "Gross domestic product"))
  info <- qvbSeriesInfo("Macro DB", "GDP.Q")
  expect_identical(names(info), c("firstDate", "lastDate", "frequency", "attrA", "attrB",
                                  "attrC", "attrD", "attrE", "attrF", "textA", "textB",
                                  "textC", "textD", "textE", "textF"))
  expect_identical(info[c("firstDate", "lastDate", "frequency", "attrA", "textD")],
                   list(firstDate = 19900331L, lastDate = 20201231L, frequency = 30L,
                        attrA = 124L, textD = "Gross domestic product"))
  script("QVBGetInfo", 2L)
  expect_error(qvbSeriesInfo("Macro DB", "GDP.Q"), "^Unable to find variable name$")
  resetDouble()
  expect_error(qvbSeriesInfo(c("A", "B"), "GDP.Q"), "`database` must be a single string")
  expect_error(qvbSeriesInfo("A", NA_character_), "`code` must be a single string")
  expect_error(qvbSeriesInfo("A", 3), "`code` must be a single string")
  expect_length(vendorCalls(), 0)
})
