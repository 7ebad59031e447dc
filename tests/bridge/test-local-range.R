test_that("each database is opened in turn, its series read by null name, then closed", {
  resetDouble()
  for (i in 1:3) script("QVBGetInfo", 0L, record = seriesRecord())
  script("QVBGetObsNum", 124L)
  result <- localRangeOf(c("A", "B", "A"), c("S1", "S2", "S3"), frequency = 30L)
  expect_identical(vendorCalls(), c(
    'QVBOpenDatabase("A")', 'QVBGetInfo(NULL, "S1")', 'QVBGetInfo(NULL, "S3")',
    "QVBCloseDatabase()", 'QVBOpenDatabase("B")', 'QVBGetInfo(NULL, "S2")',
    "QVBCloseDatabase()", "QVBGetObsNum(19901, 20204, 30)"))
  expect_identical(result$observations, 124L)
})

test_that("the requested frequency is lowered to the coarsest series', never raised", {
  twoSeries <- function(requested) {
    resetDouble()
    script("QVBGetInfo", 0L, record = seriesRecord(frequency = 40L, firstPeriod = 199001L,
                                                   lastPeriod = 202012L))
    script("QVBGetInfo", 0L, record = seriesRecord())
    localRangeOf(c("A", "A"), c("M", "Q"), frequency = requested)$frequency
  }
  expect_identical(twoSeries(40L), 30L)
  expect_identical(twoSeries(10L), 10L)
  expect_identical(twoSeries(1000L), 30L)
  expect_identical(twoSeries(35L), 30L)
})

test_that("a range taken from the series is converted into the chosen frequency", {
  quarterly <- function(frequency) {
    resetDouble()
    script("QVBGetInfo", 0L, record = seriesRecord())
    result <- localRangeOf("A", "Q", frequency = frequency)
    c(result$start, result$end)
  }
  expect_identical(quarterly(30L), c(19901L, 20204L))
  expect_identical(quarterly(10L), c(1990L, 2020L))
  expect_identical(vendorCalls()[4], "QVBGetObsNum(1990, 2020, 10)")
})

test_that("each series' periods are read in its own frequency before conversion", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord(frequency = 40L, firstPeriod = 199002L,
                                                 lastPeriod = 202102L))
  script("QVBGetInfo", 0L, record = seriesRecord(firstPeriod = 19903L, lastPeriod = 20204L))
  result <- localRangeOf(c("A", "A"), c("M", "Q"), frequency = 30L)
  expect_identical(c(result$start, result$end, result$frequency), c(19901L, 20211L, 30L))
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord(frequency = 57L, firstPeriod = 19900105L,
                                                 lastPeriod = 20201225L))
  result <- localRangeOf("A", "W", frequency = 40L)
  expect_identical(c(result$start, result$end), c(199001L, 202012L))
})

test_that("explicit dates are converted into the chosen frequency; only -1 asks the series", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord())
  result <- localRangeOf("A", "Q", start = 20200115L, end = 20201231L, frequency = 30L)
  expect_identical(c(result$start, result$end), c(20201L, 20204L))
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord(frequency = 40L, firstPeriod = 199001L))
  result <- localRangeOf("A", "M", end = 20201231L, frequency = 40L)
  expect_identical(c(result$start, result$end), c(199001L, 202012L))
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord())
  expect_identical(localRangeOf("A", "Q", start = -2L, frequency = 30L)$start, 0L)
})

test_that("an unlisted frequency turns given and derived dates alike into -1", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord())
  script("QVBGetObsNum", 0L)
  derived <- localRangeOf("A", "Q", frequency = 20L)
  expect_identical(c(derived$start, derived$end, derived$frequency), c(-1L, -1L, 20L))
  expect_identical(vendorCalls()[4], "QVBGetObsNum(-1, -1, 20)")
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord())
  given <- localRangeOf("A", "Q", start = 20200115L, end = 20201231L, frequency = 20L)
  expect_identical(c(given$start, given$end), c(-1L, -1L))
})

test_that("with no database and no series the starting values come back", {
  resetDouble()
  script("QVBGetObsNum", 0L)
  result <- localRangeOf(character(), character(), frequency = 1000L)
  expect_identical(c(result$start, result$end, result$frequency, result$observations),
                   c(99999999L, -99999999L, 100L, 0L))
  expect_identical(vendorCalls(), "QVBGetObsNum(99999999, -99999999, 100)")
  resetDouble()
  expect_identical(localRangeOf(character(), character(), frequency = 40L)$frequency, 40L)
  resetDouble()
  negative <- bridge("getObsNum", "A", 1L, "A", "S1", -3L, start = -1L, end = -1L,
                     frequency = 30L, observations = 0L)
  expect_identical(c(negative$start, negative$end), c(99999999L, -99999999L))
  expect_identical(vendorCalls(), c('QVBOpenDatabase("A")', "QVBCloseDatabase()",
                                    "QVBGetObsNum(99999999, -99999999, 30)"))
})

test_that("a series whose database is not listed is never read nor used", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord(firstPeriod = 20001L, lastPeriod = 20104L))
  result <- localRangeOf(c("A", "B"), c("S1", "S2"), databases = "A")
  expect_identical(c(result$start, result$end, result$frequency), c(20001L, 20104L, 30L))
  expect_false(any(grepl("S2", vendorCalls())))
  resetDouble()
  result <- localRangeOf(c("A", "B"), c("S1", "S2"), databases = character(), frequency = 40L)
  expect_identical(c(result$start, result$end, result$frequency), c(99999999L, -99999999L, 40L))
  expect_identical(vendorCalls(), "QVBGetObsNum(99999999, -99999999, 40)")
})

test_that("a failed open raises at once, without a close, with nothing written", {
  resetDouble()
  script("QVBOpenDatabase", 0L)
  script("QVBOpenDatabase", 1L)
  args <- rangeArgs(c("A", "A"), c("S1", "S2"), databases = c("A", "Empty DB"))
  call <- inPlace("getObsNum", args)
  expect_identical(call$error, "Could not open database Empty DB")
  expect_identical(vendorCalls(), c(
    'QVBOpenDatabase("A")', 'QVBGetInfo(NULL, "S1")', 'QVBGetInfo(NULL, "S2")',
    "QVBCloseDatabase()", 'QVBOpenDatabase("Empty DB")'))
  expect_identical(call$outputs, lapply(args, freshCopy))
})

test_that("statuses 1 to 4 close the database, then fail, with nothing written", {
  messages <- c("Unable to open database", "Unable to load variable name S2",
                "Unable to load variable information", "Unable to load source information")
  for (status in 1:4) {
    resetDouble()
    script("QVBGetInfo", 0L, record = seriesRecord())
    script("QVBGetInfo", status)
    args <- rangeArgs(c("A", "A", "A"), c("S1", "S2", "S3"), frequency = 30L)
    call <- inPlace("getObsNum", args)
    expect_identical(call$error, messages[[status]])
    expect_identical(vendorCalls(), c(
      'QVBOpenDatabase("A")', 'QVBGetInfo(NULL, "S1")', 'QVBGetInfo(NULL, "S2")',
      "QVBCloseDatabase()"))
    expect_identical(call$outputs[6:9], args[6:9])
  }
})

test_that("a higher positive status closes at once, goes on, and the series counts", {
  resetDouble()
  script("QVBGetInfo", 5L, record = seriesRecord(frequency = 10L, firstPeriod = 1985L,
                                                 lastPeriod = 2019L))
  script("QVBGetInfo", 0L, record = seriesRecord())
  result <- localRangeOf(c("A", "A"), c("S1", "S2"))
  expect_identical(vendorCalls(), c(
    'QVBOpenDatabase("A")', 'QVBGetInfo(NULL, "S1")', "QVBCloseDatabase()",
    'QVBGetInfo(NULL, "S2")', "QVBCloseDatabase()", "QVBGetObsNum(1985, 2020, 10)"))
  expect_identical(c(result$start, result$end, result$frequency), c(1985L, 2020L, 10L))
})

test_that("a database listed twice is read twice and the second read stands", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord())
  script("QVBGetInfo", 0L, record = seriesRecord(firstPeriod = 20001L, lastPeriod = 20104L))
  result <- localRangeOf("A", "S1", databases = c("A", "Other", "A"), frequency = 30L)
  expect_identical(c(result$start, result$end), c(20001L, 20104L))
  expect_identical(vendorCalls(), c(
    'QVBOpenDatabase("A")', 'QVBGetInfo(NULL, "S1")', "QVBCloseDatabase()",
    'QVBOpenDatabase("Other")', "QVBCloseDatabase()",
    'QVBOpenDatabase("A")', 'QVBGetInfo(NULL, "S1")', "QVBCloseDatabase()",
    "QVBGetObsNum(20001, 20104, 30)"))
})
