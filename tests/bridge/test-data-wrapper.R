test_that("vemroGetData fills an NA matrix, one named column per series", {
  resetDouble()
  script("QVBGetData", data = c(1, 2, 3))
  script("QVBGetData", data = c(7, 8))
  data <- vemroGetData(c("a", "b", "c"), c("A", "B", "A"), 20201, 20203, 30, 3, reopen = 2)
  expect_identical(data, matrix(c(1, 2, 3, NA, NA, NA, 7, 8, NA), 3,
                                dimnames = list(NULL, c("a", "b", "c"))))
  # A's two fetches reach the reopen interval: B is reopened until its fetch.
  expect_identical(callsOf("QVBOpenDatabase"),
                   c('QVBOpenDatabase("A")', rep('QVBOpenDatabase("B")', 3)))
  expect_identical(callsOf("QVBGetData")[[3]], 'QVBGetData("B", "b", 20201, 20203, 30)')
})

test_that("vemroGetData takes one database for all series and reads the direct service", {
  resetDouble()
  data <- vemroGetData(c("a", "b"), "A", 2020, 2021, 10, 2, direct = TRUE, merge = TRUE)
  expect_identical(dim(data), c(2L, 2L))
  expect_identical(callsOf("QVBDGetData"), c('QVBDGetData("A", "a,b", 2020, 2021, 10)',
                                             'QVBDGetData("A", NULL, 2020, 2021, 10)'))
  expect_identical(callsOf("QVBDSetMergeData")[[1]], "QVBDSetMergeData(3)")
  expect_identical(vemroGetData(character(0), character(0), 2020, 2021, 10, 2),
                   matrix(NA_real_, 2, 0, dimnames = list(NULL, character(0))))
})

test_that("vemroGetData names the argument that is wrong before any vendor call", {
  resetDouble()
  expect_error(vemroGetData(c("a", NA), "A", 1, 2, 10, 2),
               "`codes` must be a character vector without NA")
  expect_error(vemroGetData("a", c("A", "B"), 1, 2, 10, 2),
               "`databases` must have one name or one per series (1), not 2", fixed = TRUE)
  expect_error(vemroGetData("a", "A", 1, 2, 10, -1), "`observations` must not be negative")
  expect_error(vemroGetData("a", "A", 1, 2, 11, 2), "`frequency` must be one of")
  expect_error(vemroGetData("a", "A", 1.5, 2, 10, 2), "`start` must be a single whole number")
  expect_error(vemroGetData("a", "A", 1, 2, 10, 2, reopen = 0),
               "`reopen` must be at least 1, not 0")
  expect_error(vemroGetData("a", "A", 1, 2, 10, 2, merge = NA), "`merge` must be TRUE or FALSE")
  expect_length(vendorCalls(), 0)
})
