test_that("a record read with status 0 fills its entry of all 19 columns", {
  resetDouble()
  full <- record("Q1", firstPeriod = 20201L, lastPeriod = 20224L, attrA = 12L, frequency = 30L,
                 attrB = 2L, attrC = 3L, attrD = 4L, attrE = 5L, attrF = 6L,
                 textA = "Gross product", textB = "EUR", textC = "bn", textD = "A long text",
                 textE = "Source", textF = "Notes on it")
  scriptInfo(FALSE, full)
  columns <- seriesInfo("Q1", "Main")$columns
  expect_null(names(columns))
  expect_identical(columns, list(
    "Main", "Q1", "", 20200331L, 20221231L, 12L, 30L, 2L, 3L, 4L, 5L, 6L,
    "Gross product", "", "EUR", "bn", "A long text", "Source", "Notes on it"))
})

test_that("the dates are month ends of a monthly series and unchanged for a daily one", {
  resetDouble()
  scriptInfo(TRUE, record("M", firstPeriod = 200002L, lastPeriod = 202011L, frequency = 40L),
             record("D", firstPeriod = 20200105L, lastPeriod = 20211231L, frequency = 61L))
  columns <- seriesInfo(c("M", "D"), c("A", "A"), direct = 1L)$columns
  expect_identical(columns[[4]], c(20000229L, 20200105L))
  expect_identical(columns[[5]], c(20201130L, 20211231L))
})

test_that("entries of series not read keep NA and empty strings", {
  resetDouble()
  scriptInfo(FALSE, 2L, record("A2", textA = "kept"))
  columns <- seriesInfo(c("A1", "A2", "B1"), c("A", "A", "B"), databases = "A")$columns
  for (k in 4:12) expect_identical(columns[[k]][c(1, 3)], c(NA_integer_, NA_integer_))
  for (k in c(1:3, 13:19)) expect_identical(columns[[k]][c(1, 3)], c("", ""))
  expect_identical(columns[[13]], c("", "kept", ""))
})

test_that("each failing status sends its series to its list, in examination order", {
  statuses <- c(1L, 2L, 3L, 4L, 5L, 6L, 7L, -3L, 0L)
  codes <- sprintf("A%d", seq_along(statuses))
  for (direct in c(FALSE, TRUE)) {
    resetDouble()
    do.call(scriptInfo, c(list(direct), as.list(statuses[-9]), list(record("A9"))))
    result <- seriesInfo(codes, rep("A", 9), direct = direct)
    fourth <- if (direct) 3L else integer()
    expect_identical(result$failed, list(0L, 1L, c(2L, if (!direct) 3L), fourth, 4L, 5L,
                                         c(6L, 7L)))
    expect_identical(result$counts, lengths(result$failed))
    # Entries past a list's count are left as they were.
    expect_identical(result$failures[[2]], c(0L, rep(-1L, 8)))
    expect_identical(result$columns[[2]], c(rep("", 8), "A9"))
  }
})

test_that("a database that does not open puts each of its series in list 1 unread", {
  for (direct in c(FALSE, TRUE)) {
    resetDouble()
    script(if (direct) "QVBDOpenDatabase" else "QVBOpenDatabase", 1L)
    scriptInfo(direct, record("B1"))
    result <- seriesInfo(c("A1", "B1", "A2"), c("A", "B", "A"), databases = c("A", "B"),
                         direct = direct)
    expect_identical(result$failed[[1]], c(0L, 2L))
    expect_identical(result$counts, c(2L, rep(0L, 6)))
    expect_false(any(grepl("Info.*A", vendorCalls())))
  }
})

test_that("a database named twice is read twice: entries overwritten, failures entered twice", {
  resetDouble()
  scriptInfo(FALSE, record("A1", attrA = 1L), 2L, record("A1", attrA = 2L), 2L)
  result <- seriesInfo(c("A1", "A2"), c("A", "A"), databases = c("A", "A"), capacity = 4L)
  expect_identical(result$failed[[2]], c(1L, 1L))
  expect_identical(result$columns[[6]], c(2L, NA))
  expect_identical(sum(grepl("OpenDatabase", vendorCalls())), 2L)
})
