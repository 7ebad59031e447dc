# Resolves the range of series of one database read from the given records,
# with the vendor's observation count scripted as 42.
resolveWith <- function(records, frequency = 1000L, start = -1L, end = -1L, merge = 0L,
                        direct = FALSE) {
  resetDouble()
  do.call(scriptInfo, c(list(direct), records))
  script(if (direct) "QVBDGetObsNum" else "QVBGetObsNum", 42L)
  codes <- vapply(records, function(r) r$code, "")
  seriesInfo(codes, rep("A", length(codes)), direct = direct, merge = merge, resolve = 1L,
             frequency = frequency, start = start, end = end)
}

obsNumCall <- function(start, end, frequency, direct = FALSE) {
  sprintf("%s(%d, %d, %d)", if (direct) "QVBDGetObsNum" else "QVBGetObsNum", start, end,
          frequency)
}

test_that("with no series kept the sentinel dates become periods of the target frequency", {
  empty <- list(record("X", attrA = 0L))
  periods <- list("10" = c(9999L, -9999L), "30" = c(100023L, -100023L),
                  "40" = c(999999L, -999999L), "52" = c(99999999L, -99999999L))
  for (frequency in names(periods)) {
    result <- resolveWith(empty, frequency = as.integer(frequency))
    expected <- periods[[frequency]]
    expect_identical(result$range, c(as.integer(frequency), expected, 42L))
    expect_identical(tail(vendorCalls(), 3)[1],
                     obsNumCall(expected[1], expected[2], as.integer(frequency)))
    expect_identical(result$setAside, list(0L, integer(), integer()))
  }
})

test_that("asking for the lowest frequency when no series has data gives 100", {
  result <- resolveWith(list(record("X", attrA = 0L), record("Y", attrA = 0L)))
  expect_identical(result$range, c(100L, -1L, -1L, 42L))
  expect_identical(result$lengths, c(2L, 0L, 0L))
  expect_identical(result$setAside[[1]], c(0L, 1L))
})

test_that("the lowest frequency wins; faster series that cannot aggregate are set aside", {
  result <- resolveWith(list(
    record("M0", frequency = 40L, attrF = 0L, firstPeriod = 199001L, lastPeriod = 203012L),
    record("Q", frequency = 30L, firstPeriod = 20001L, lastPeriod = 20104L),
    record("M1", frequency = 40L, attrF = 1L, firstPeriod = 199502L, lastPeriod = 201502L),
    record("M9", frequency = 40L, attrF = 9L)))
  expect_identical(result$setAside, list(integer(), c(0L, 3L), integer()))
  # The dates come from the quarterly series and the monthly one that aggregates.
  expect_identical(result$range, c(30L, 19951L, 20151L, 42L))
})

test_that("a lowest weekly code is refined by the first series kept", {
  result <- resolveWith(list(record("W5", frequency = 55L, firstPeriod = 20200103L,
                                    lastPeriod = 20201225L),
                             record("W2", frequency = 52L, firstPeriod = 20191230L,
                                    lastPeriod = 20201228L)))
  expect_identical(result$range, c(55L, 20191230L, 20201228L, 42L))
  expect_identical(result$lengths, c(0L, 0L, 0L))
  cases <- list(c(first = 60L, target = 55L), c(first = 61L, target = 57L),
                c(first = 53L, target = 53L))
  for (case in cases) {
    result <- resolveWith(list(record("M", frequency = 40L),
                               record("D", frequency = case[["first"]], attrF = 1L),
                               record("W", frequency = 52L)), frequency = 57L)
    expect_identical(result$setAside, list(integer(), integer(), 0L))
    expect_identical(result$range[1], case[["target"]])
  }
})

test_that("with a weekly target and no series kept, the target stays 57", {
  result <- resolveWith(list(record("M", frequency = 40L)), frequency = 57L)
  expect_identical(result$setAside, list(integer(), integer(), 0L))
  expect_identical(result$range, c(57L, 99999999L, -99999999L, 42L))
})

test_that("the merge flag's lowest bit sets aside a 61 series for a target of 60", {
  series <- list(record("D1", frequency = 61L, attrF = 1L), record("D0", frequency = 61L, attrF = 0L))
  expect_identical(resolveWith(series, frequency = 60L, merge = 1L)$setAside,
                   list(integer(), c(0L, 1L), integer()))
  expect_identical(resolveWith(series, frequency = 60L, merge = 3L)$setAside,
                   list(integer(), c(0L, 1L), integer()))
  expect_identical(resolveWith(series, frequency = 60L, merge = 0L)$setAside,
                   list(integer(), 1L, integer()))
  expect_identical(resolveWith(series, frequency = 60L, merge = 2L)$setAside,
                   list(integer(), 1L, integer()))
})

test_that("slower series are set aside only for a requested frequency, not for the lowest", {
  series <- list(record("Q", frequency = 30L, firstPeriod = 20003L, lastPeriod = 20204L),
                 record("A", frequency = 10L))
  result <- resolveWith(series, frequency = 30L)
  expect_identical(result$setAside, list(integer(), integer(), 1L))
  expect_identical(result$range, c(30L, 20003L, 20204L, 42L))
  # Above 999 the caller asks for no bound below: an unlisted target keeps all.
  result <- resolveWith(series, frequency = 2000L)
  expect_identical(result$setAside, list(integer(), integer(), integer()))
  expect_identical(result$range, c(2000L, -1L, -1L, 42L))
})

test_that("a requested day-based code other than 57 keeps its own bound and no refinement", {
  result <- resolveWith(list(record("W2", frequency = 52L), record("W4", frequency = 54L)),
                        frequency = 53L)
  expect_identical(result$setAside, list(integer(), integer(), 0L))
  expect_identical(result$range[1], 53L)
})

test_that("requested dates are used unchanged and only the missing one is derived", {
  series <- list(record("M", frequency = 40L, firstPeriod = 201001L, lastPeriod = 202306L))
  result <- resolveWith(series, frequency = 30L, start = 20200115L)
  expect_identical(result$range, c(30L, 20201L, 20232L, 42L))
  result <- resolveWith(series, frequency = 40L, start = 19000101L, end = 19010101L)
  expect_identical(result$range, c(40L, 190001L, 190101L, 42L))
  expect_identical(tail(vendorCalls(), 3)[1], obsNumCall(190001L, 190101L, 40L))
})

test_that("series without data or never read sway neither the frequency nor the dates", {
  resetDouble()
  script("QVBOpenDatabase", 0L)
  script("QVBOpenDatabase", 1L)
  scriptInfo(FALSE, record("A1", frequency = 10L, attrA = 0L, firstPeriod = 1900L),
             record("A2", frequency = 40L, firstPeriod = 200001L, lastPeriod = 200012L))
  script("QVBGetObsNum", 12L)
  result <- seriesInfo(c("A1", "B1", "A2", "C1"), c("A", "B", "A", "C"),
                       databases = c("A", "B"), resolve = 1L)
  expect_identical(result$failed[[1]], 1L)
  expect_identical(result$setAside, list(c(0L, 1L, 3L), integer(), integer()))
  expect_identical(result$range, c(40L, 200001L, 200012L, 12L))
})

test_that("failures beyond list 1, or no request, leave the range and set-aside lists alone", {
  resetDouble()
  scriptInfo(FALSE, record("A1"), 3L)
  result <- seriesInfo(c("A1", "A2"), c("A", "A"), resolve = 1L, frequency = 40L)
  expect_identical(result$range, c(40L, -1L, -1L, -1L))
  expect_identical(result$lengths, rep(-1L, 3))
  expect_false(any(grepl("ObsNum", vendorCalls())))
  resetDouble()
  result <- seriesInfo("A1", "A", resolve = 0L)
  expect_identical(result$range, c(1000L, -1L, -1L, -1L))
  expect_false(any(grepl("ObsNum", vendorCalls())))
})

test_that("the direct service counts the observations of a direct batch", {
  result <- resolveWith(list(record("Y", firstPeriod = 2001L, lastPeriod = 2010L)), direct = TRUE)
  expect_identical(result$range, c(10L, 2001L, 2010L, 42L))
  expect_identical(tail(vendorCalls(), 3),
                   c(obsNumCall(2001L, 2010L, 10L, direct = TRUE), restoreCalls(direct = TRUE)))
})
