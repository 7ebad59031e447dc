test_that("a local batch sets up, visits the databases in their order and restores", {
  resetDouble()
  script("QVBGetMergeData", 7L)
  scriptInfo(FALSE, record("B1"), record("A1"), record("A2"))
  result <- seriesInfo(c("A1", "B1", "A2"), c("A", "B", "A"), databases = c("B", "A"))
  expect_identical(vendorCalls(), c(
    setUpCalls(), openCall(FALSE, "B"), "QVBGetInfo(NULL, \"B1\")",
    openCall(FALSE, "A"), "QVBGetInfo(NULL, \"A1\")", "QVBGetInfo(NULL, \"A2\")",
    restoreCalls(saved = 7L)))
  expect_identical(result$columns[[2]], c("A1", "B1", "A2"))
})

test_that("a merge flag makes a second setting, and the direct service takes the same steps", {
  resetDouble()
  script("QVBDGetMergeData", 5L)
  result <- seriesInfo(c("A1", "A2"), c("A", "A"), direct = 1L, merge = 2L)
  expect_identical(vendorCalls(), c(
    setUpCalls(direct = TRUE, merge = TRUE), openCall(TRUE, "A"),
    "QVBDGetInfo(NULL, \"A1,A2\")", "QVBDGetInfo(NULL, NULL)",
    restoreCalls(direct = TRUE, saved = 5L)))
  expect_identical(result$counts, rep(0L, 7))
})

test_that("no series or no database still sets up, opens what is named and closes", {
  resetDouble()
  result <- seriesInfo(character(), character(), databases = c("A", "B"))
  expect_identical(vendorCalls(), c(
    setUpCalls(), openCall(FALSE, "A"), openCall(FALSE, "B"), restoreCalls()))
  expect_length(result$columns, 19)
  expect_true(all(lengths(result$columns) == 0))
  resetDouble()
  script("QVBGetObsNum", 0L)
  result <- seriesInfo("A1", "A", databases = character(), resolve = 1L)
  expect_identical(vendorCalls(), c(
    setUpCalls(), "QVBGetObsNum(-1, -1, 100)", restoreCalls()))
  expect_identical(result$counts, rep(0L, 7))
  expect_identical(result$range, c(100L, -1L, -1L, 0L))
})

test_that("series of a database that is not visited are never read and in no list", {
  resetDouble()
  scriptInfo(FALSE, record("A1"))
  result <- seriesInfo(c("B1", "A1"), c("B", "A"), databases = "A")
  expect_identical(vendorCalls(), c(
    setUpCalls(), openCall(FALSE, "A"), "QVBGetInfo(NULL, \"A1\")", restoreCalls()))
  expect_identical(result$counts, rep(0L, 7))
  expect_identical(result$columns[[1]], c("", "A"))
  expect_identical(result$columns[[6]], c(NA, 20L))
})
