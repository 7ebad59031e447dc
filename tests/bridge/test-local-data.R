test_that("each series lands in its own column, whatever order the databases come in", {
  resetDouble()
  script("QVBGetObsNum", 2L)
  script("QVBGetData", 0L, data = c(21, 22))
  script("QVBGetData", 0L, data = c(11, 12))
  script("QVBGetData", 0L, data = c(31, 32))
  result <- localData(c("A", "B", "A"), c("S1", "S2", "S3"), databases = c("B", "A"))
  expect_identical(columns(result, 2), matrix(c(11, 12, 21, 22, 31, 32), nrow = 2))
  expect_identical(vendorCalls(), c(
    "QVBGetObsNum(19901, 19902, 30)",
    'QVBOpenDatabase("B")', 'QVBGetData("B", "S2", 19901, 19902, 30)', "QVBCloseDatabase()",
    'QVBOpenDatabase("A")', 'QVBGetData("A", "S1", 19901, 19902, 30)',
    'QVBGetData("A", "S3", 19901, 19902, 30)', "QVBCloseDatabase()"))
  expect_identical(c(result$start, result$end), c(19900331L, 19900630L))
})

test_that("a column begins a whole stride after the previous one", {
  resetDouble()
  script("QVBGetObsNum", 2L)
  script("QVBGetData", 0L, data = c(11, 12))
  script("QVBGetData", 0L, data = c(21, 22))
  result <- localData(c("A", "A"), c("S1", "S2"), stride = 3L)
  expect_identical(result$matrix, c(11, 12, -7, 21, 22, -7))
})

test_that("start and end come back as the calendar ends of their periods", {
  resetDouble()
  result <- localData("A", "S1", start = 199002L, end = 202002L, frequency = 40L, stride = 400L)
  expect_identical(c(result$start, result$end), c(19900228L, 20200229L))
  resetDouble()
  result <- localData("A", "S1", start = 19901L, end = 20204L, frequency = 30L, stride = 124L)
  expect_identical(c(result$start, result$end), c(19900331L, 20201231L))
  resetDouble()
  result <- localData("A", "S1", start = 19901L, end = 20204L, frequency = 20L)
  expect_identical(c(result$start, result$end), c(0L, 0L))
})

test_that("with no database nothing is asked, the matrix stays, the dates still convert", {
  resetDouble()
  result <- localData(c("A", "B"), c("S1", "S2"), databases = character())
  expect_length(vendorCalls(), 0)
  expect_identical(result$matrix, rep(-7, 4))
  expect_identical(c(result$start, result$end), c(19900331L, 19900630L))
})

test_that("a series of an unlisted database gets no request and keeps its column", {
  resetDouble()
  script("QVBGetData", 0L, data = c(11, 12))
  result <- localData(c("A", "B"), c("S1", "S2"), databases = "A")
  expect_identical(result$matrix, c(11, 12, -7, -7))
  expect_false(any(grepl("S2", vendorCalls())))
})

test_that("a listed database without series is opened and closed, and its open can fail", {
  resetDouble()
  localData("A", "S1", databases = c("A", "Empty"))
  expect_identical(vendorCalls()[5:6], c('QVBOpenDatabase("Empty")', "QVBCloseDatabase()"))
  resetDouble()
  script("QVBOpenDatabase", 0L)
  script("QVBOpenDatabase", 3L)
  args <- dataArgs("A", "S1", databases = c("A", "Empty"))
  call <- inPlace("qvbGetData", args)
  expect_identical(call$error, "Could not open database Empty")
  expect_identical(tail(vendorCalls(), 2), c("QVBCloseDatabase()", 'QVBOpenDatabase("Empty")'))
  expect_identical(call$outputs[c("start", "end")], args[c("start", "end")])
})

test_that("statuses 1 to 3 close the database, then fail, with the dates unconverted", {
  messages <- c("Unable to open database", "Unable to find variable name S2",
                "Unable to load variable information")
  for (status in 1:3) {
    resetDouble()
    script("QVBGetData", 0L, data = c(11, 12))
    script("QVBGetData", status)
    args <- dataArgs(c("A", "A", "A"), c("S1", "S2", "S3"))
    call <- inPlace("qvbGetData", args)
    expect_identical(call$error, messages[[status]])
    expect_identical(tail(vendorCalls(), 2),
                     c('QVBGetData("A", "S2", 19901, 19902, 30)', "QVBCloseDatabase()"))
    expect_identical(call$outputs[c("start", "end")], args[c("start", "end")])
    expect_identical(call$outputs$matrix, c(11, 12, rep(-7, 4)))
  }
})

test_that("any other positive status closes at once and the next series is still asked", {
  resetDouble()
  script("QVBGetData", 4L)
  script("QVBGetData", 0L, data = c(21, 22))
  result <- localData(c("A", "A"), c("S1", "S2"))
  expect_identical(vendorCalls(), c(
    "QVBGetObsNum(19901, 19902, 30)", 'QVBOpenDatabase("A")',
    'QVBGetData("A", "S1", 19901, 19902, 30)', "QVBCloseDatabase()",
    'QVBGetData("A", "S2", 19901, 19902, 30)', "QVBCloseDatabase()"))
  expect_identical(result$matrix, c(-7, -7, 21, 22))
})

test_that("a stride too small for the range is refused before any database is opened", {
  resetDouble()
  script("QVBGetObsNum", 3L)
  args <- dataArgs(c("A", "A"), c("S1", "S2"), end = 19903L, stride = 2L)
  call <- inPlace("qvbGetData", args)
  expect_identical(call$error,
                   "Column stride 2 is smaller than the 3 observations from 19901 to 19903 at frequency 30")
  expect_identical(vendorCalls(), "QVBGetObsNum(19901, 19903, 30)")
  expect_identical(call$outputs, lapply(args, freshCopy))
  resetDouble()
  call <- inPlace("qvbGetData", dataArgs("A", "S1", stride = -1L))
  expect_identical(call$error, "Column stride -1 is negative")
  expect_length(vendorCalls(), 0)
  resetDouble()
  script("QVBGetObsNum", 3L)
  expect_identical(localData("A", "S1", end = 19903L, stride = 3L)$start, 19900331L)
})
