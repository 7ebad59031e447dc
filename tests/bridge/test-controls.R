test_that("the aggregation getters and setters reach the library the flag names", {
  resetDouble()
  script("QVBGetAggregationMode", 4L)
  script("QVBDGetAggregationMode", 7L)
  script("QVBDGetAggregationMode", 8L)
  script("QVBDGetAggregationMode", 9L)
  expect_identical(bridge("c_getAggmode", 0L, mode = 0L)$mode, 4L)
  expect_identical(bridge("c_getAggmode", 1L, mode = 0L)$mode, 7L)
  expect_identical(bridge("c_getAggmode", -1L, mode = 0L)$mode, 8L)
  expect_identical(bridge("c_getAggmode", 7L, mode = 0L)$mode, 9L)
  bridge("c_setAggmode", 0L, 2L)
  bridge("c_setAggmode", 1L, 3L)
  bridge("c_setAggmode", 7L, 5L)
  expect_identical(vendorCalls(), c(
    "QVBGetAggregationMode()", "QVBDGetAggregationMode()", "QVBDGetAggregationMode()",
    "QVBDGetAggregationMode()", "QVBSetAggregationMode(2)", "QVBDSetAggregationMode(3)",
    "QVBDSetAggregationMode(5)"))
})

test_that("both local getters read, and both local setters write, the same setting", {
  resetDouble()
  script("QVBGetAggregationMode", 6L)
  script("QVBGetAggregationMode", 6L)
  expect_identical(bridge("qvbGetAggregation", mode = 0L)$mode, 6L)
  expect_identical(bridge("c_getAggmode", 0L, mode = 0L)$mode, 6L)
  bridge("qvbSetAggregation", 1L)
  bridge("c_setAggmode", 0L, 1L)
  expect_identical(vendorCalls(), c(
    "QVBGetAggregationMode()", "QVBGetAggregationMode()",
    "QVBSetAggregationMode(1)", "QVBSetAggregationMode(1)"))
})

test_that("a setter succeeds on any result but -1 and leaves the mode as passed", {
  resetDouble()
  for (result in c(0L, 1L, 20L, -2L)) {
    script("QVBSetAggregationMode", result)
    script("QVBSetAggregationMode", result)
    script("QVBDSetAggregationMode", result)
    expect_identical(bridge("qvbSetAggregation", mode = 5L)$mode, 5L)
    expect_identical(bridge("c_setAggmode", 0L, mode = 5L)$mode, 5L)
    expect_identical(bridge("c_setAggmode", 1L, mode = 5L)$mode, 5L)
  }
})

test_that("the two setters fail on -1 with different messages", {
  resetDouble()
  script("QVBSetAggregationMode", -1L)
  expect_identical(errorMessage(bridge("qvbSetAggregation", 3L)),
                   "Unable to set aggregation mode")
  script("QVBSetAggregationMode", -1L)
  expect_identical(errorMessage(bridge("c_setAggmode", 0L, 3L)), "API: Unknown error.")
  script("QVBDSetAggregationMode", -1L)
  expect_identical(errorMessage(bridge("c_setAggmode", 1L, 3L)), "API: Unknown error.")
  script("QVBSetAggregationMode", -1L)
  expect_error(vemroSetAggregation(1L), "API: Unknown error.", fixed = TRUE)
})

test_that("vemroSetAggregation refuses an undocumented mode before any vendor call", {
  resetDouble()
  expect_error(vemroSetAggregation(3L), "^`mode` must be 0 \\(strict\\) or 1 \\(relaxed\\), not 3$",
               class = "vemro_error_argument")
  expect_identical(vendorCalls(), character(0))
})

test_that("close and authenticate write the vendor status back untested", {
  resetDouble()
  script("QVBCloseDatabase", 3L)
  script("QVBCloseDatabase", 0L)
  expect_identical(bridge("c_vemroCloseDb", status = 0L)$status, 3L)
  expect_identical(vemroCloseDb(), 0L)
  script("QVBDAuthenticate", 42L)
  result <- bridge("c_vemroAuthenticate", "alice", "s3cret", status = 0L)
  expect_identical(result$status, 42L)
  expect_identical(vendorCalls(), c(
    "QVBCloseDatabase()", "QVBCloseDatabase()", "QVBDAuthenticate(\"alice\", \"s3cret\")"))
})

test_that("the R wrappers refuse malformed arguments before any vendor call", {
  resetDouble()
  expect_error(vemroAggregation(direct = NA), "`direct` must be TRUE or FALSE")
  expect_error(vemroSetAggregation(1.5), "`mode` must be a single whole number")
  expect_error(vemroAuthenticate("alice", c("a", "b")), "`key` must be a single string")
  expect_length(vendorCalls(), 0)
})
