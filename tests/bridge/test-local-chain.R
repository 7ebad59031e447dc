test_that("the local chain settles the range, then fills one named column per series", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord(frequency = 40L, firstPeriod = 202001L,
                                                 lastPeriod = 202012L))
  script("QVBGetInfo", 0L, record = seriesRecord(firstPeriod = 20202L, lastPeriod = 20204L))
  script("QVBGetObsNum", 3L)
  script("QVBGetObsNum", 3L)
  script("QVBGetData", 0L, data = c(1, 2, 3))
  script("QVBGetData", 0L, data = c(4, 5, 6))
  result <- Vemro:::localChain(c("M", "Q"), c("Monthly DB", "Quarterly DB"), 1000, -1, -1)
  expected <- matrix(c(1, 2, 3, 4, 5, 6), nrow = 3, dimnames = list(NULL, c("M", "Q")))
  expect_identical(as.vector(result), as.vector(expected))
  expect_identical(dimnames(result), dimnames(expected))
  expect_identical(attributes(result)[c("start", "end", "frequency")],
                   list(start = 20200331L, end = 20201231L, frequency = 30L))
  expect_identical(vendorCalls()[c(7, 8, 10, 13)], c(
    "QVBGetObsNum(20201, 20204, 30)", "QVBGetObsNum(20201, 20204, 30)",
    'QVBGetData("Monthly DB", "M", 20201, 20204, 30)',
    'QVBGetData("Quarterly DB", "Q", 20201, 20204, 30)'))
})

test_that("the local chain passes explicit dates to getObsNum", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord())
  script("QVBGetInfo", 0L, record = seriesRecord())
  script("QVBGetObsNum", 2L)
  script("QVBGetObsNum", 2L)
  result <- Vemro:::localChain(c("A", "B"), c("DB", "DB"), 10, 20000101, 20011231)
  expect_identical(dim(result), c(2L, 2L))
  expect_identical(vendorCalls()[1:4], c('QVBOpenDatabase("DB")', 'QVBGetInfo(NULL, "A")',
                                         'QVBGetInfo(NULL, "B")', "QVBCloseDatabase()"))
  expect_identical(vendorCalls()[5], "QVBGetObsNum(2000, 2001, 10)")
  expect_identical(attr(result, "end"), 20011231L)
})

test_that("a range of no period is refused before any data is read", {
  resetDouble()
  script("QVBGetInfo", 0L, record = seriesRecord())
  script("QVBGetObsNum", 0L)
  expect_error(Vemro:::localChain("A", "DB", 10, 20000101, 19991231),
               "holds no period", class = "vemro_error_argument")
  expect_false(any(grepl("QVBGetData", vendorCalls())))
})

test_that("a frequency that no listed code results from is refused", {
  resetDouble()
  expect_error(vemroLocalData("A", "DB", frequency = 20), "`frequency` must be 1000")
  expect_length(vendorCalls(), 0)
  script("QVBGetInfo", 0L, record = seriesRecord(frequency = 20L))
  expect_error(Vemro:::localChain("A", "DB", 1000, -1, -1),
               "`frequency` 1000 and the series' own frequencies give 20, which is not one of",
               fixed = TRUE)
  expect_false(any(grepl("QVBGetData", vendorCalls())))
})

test_that("vemroLocalData names the argument that is wrong, before any vendor call", {
  resetDouble()
  expect_error(vemroLocalData(character(), "DB"), "`codes` must hold at least one code")
  expect_error(vemroLocalData(c("A", NA), "DB"), "`codes` must be a character vector")
  expect_error(vemroLocalData("A", 1), "`databases` must be a character vector")
  expect_error(vemroLocalData(c("A", "B", "C"), c("X", "Y")),
               "`databases` must have one name or one per series (3), not 2", fixed = TRUE)
  expect_error(vemroLocalData("A", "DB", frequency = 1.5), "`frequency` must be a single whole")
  expect_error(vemroLocalData("A", "DB", start = NA), "`start` must be a single whole number")
  expect_error(vemroLocalData("A", "DB", end = "2020"), "`end` must be a single whole number")
  expect_length(vendorCalls(), 0)
})
