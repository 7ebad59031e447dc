test_that("vemroSeriesInfo refuses malformed arguments by name before any vendor call", {
  resetDouble()
  expect_error(vemroSeriesInfo(c("A1", NA), "A"), "`codes` must be a character vector without NA",
               fixed = TRUE)
  expect_error(vemroSeriesInfo(c("A1", "A2", "A3"), c("A", "B")),
               "`databases` must have one name or one per series (3), not 2", fixed = TRUE)
  expect_error(vemroSeriesInfo("A1", "A", frequency = 20), paste(
    "`frequency` must be 1000 (the lowest among the series) or one of 10, 30, 40, 51, 52, 53,",
    "54, 55, 56, 57, 60, 61, not 20"), fixed = TRUE)
  expect_error(vemroSeriesInfo("A1", "A", start = "2020"), "`start` must be a single whole number",
               fixed = TRUE)
  expect_error(vemroSeriesInfo("A1", "A", end = 1.5), "`end` must be a single whole number",
               fixed = TRUE)
  expect_error(vemroSeriesInfo("A1", "A", direct = 1), "`direct` must be TRUE or FALSE",
               fixed = TRUE)
  expect_error(vemroSeriesInfo("A1", "A", merge = NA), "`merge` must be TRUE or FALSE",
               fixed = TRUE)
  expect_error(vemroSeriesInfo("A1", "A", reopen = 0), "`reopen` must be at least 1, not 0",
               fixed = TRUE)
  expect_length(vendorCalls(), 0)
})

test_that("vemroSeriesInfo names the columns, lists and range, with 1-based positions", {
  resetDouble()
  scriptAll("QVBOpenDatabase", c(0L, 1L))
  scriptInfo(FALSE, record("A1", frequency = 40L, firstPeriod = 201001L, lastPeriod = 202012L,
                           textA = "first"),
             record("A2", attrA = 0L))
  script("QVBGetObsNum", 132L)
  result <- vemroSeriesInfo(c("A1", "B1", "A2"), c("A", "B", "A"), merge = TRUE)
  expect_identical(names(result$info), c(
    "database", "code", "firstDate", "lastDate", "attrA", "frequency", "attrB", "attrC",
    "attrD", "attrE", "attrF", "textA", "textB", "textC", "textD", "textE", "textF"))
  expect_identical(result$info$code, c("A1", "", "A2"))
  expect_identical(result$info$firstDate, c(20100131L, NA, 20011231L))
  expect_identical(result$info$textA, c("first", "", ""))
  expect_identical(result$failed, list(notOpened = 2L, notFound = integer(),
    infoNotLoaded = integer(), sourceNotLoaded = integer(), status5 = integer(),
    status6 = integer(), otherStatus = integer()))
  expect_identical(result$setAside, list(noData = 2:3, higherFrequency = integer(),
                                         lowerFrequency = integer()))
  expect_identical(result$range, list(frequency = 40L, start = 201001L, end = 202012L,
                                      observations = 132L))
  expect_identical(vendorCalls()[c(4:7, 9)], c(
    "QVBSetMergeData(1)", "QVBSetMergeData(3)", openCall(FALSE, "A"),
    "QVBGetInfo(NULL, \"A1\")", openCall(FALSE, "B")))
})

test_that("vemroSeriesInfo gives no range when not asked or when series failed", {
  resetDouble()
  scriptInfo(TRUE, 2L)
  result <- vemroSeriesInfo(c("A1", "A2"), "A", direct = TRUE)
  expect_identical(result$failed$notFound, 1L)
  expect_null(result$setAside)
  expect_null(result$range)
  resetDouble()
  result <- vemroSeriesInfo("A1", "A", resolve = FALSE, frequency = 40, start = 20200101)
  expect_null(result$range)
  expect_false(any(grepl("ObsNum", vendorCalls())))
})
