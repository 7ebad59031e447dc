frequencies <- c(10L, 30L, 40L, 51:57, 60L, 61L)

test_that("period sequences and their last days agree with the engine's calendar", {
  starts <- list("10" = 1999L, "30" = 19994L, "40" = 199911L)
  for (f in frequencies) {
    start <- if (f <= 40L) starts[[as.character(f)]] else vemroPeriodOf(as.Date("1999-12-27"), f)
    periods <- vemroPeriodSeq(start, 40L, f)
    expect_identical(yyyymmddOf(vemroDateOf(periods, f)), vemroDateSeq(start, 40L, f), info = f)
  }
})

test_that("each day falls into the period that holds it", {
  days <- seq(as.Date("2019-12-20"), as.Date("2020-01-12"), by = "day")
  for (f in frequencies) {
    periods <- vemroPeriodOf(days, f)
    ends <- vemroDateOf(periods, f)
    expect_true(all(ends >= days | f == 60L), info = f)
    expect_true(all(ends - days < c("10" = 366, "30" = 92, "40" = 31)[as.character(f)] |
                    f > 40L), info = f)
  }
  expect_identical(vemroPeriodOf(as.Date(c("2020-01-04", "2020-01-05", "2020-01-06")), "business"),
                   c(20200103L, 20200103L, 20200106L))
  expect_identical(vemroPeriodOf(as.Date("2020-01-01"), "weekly-sun"), 20200105L)
  expect_identical(vemroPeriodOf(as.Date("2020-01-03"), "weekly"), 20200103L)
  expect_identical(vemroDateOf(c(20201L, 20204L, 20210L), 30L),
                   as.Date(c("2020-03-31", "2020-12-31", NA)))
})

test_that("unknown frequencies and non-dates are argument errors", {
  expect_error(vemroPeriodOf(Sys.Date(), "fortnightly"), class = "vemro_error_argument")
  expect_error(vemroPeriodOf("2020-01-01", 40), "`dates` must be a Date", class = "vemro_error_argument")
  expect_error(vemroDateOf(2020, 11), "`frequency`", class = "vemro_error_argument")
})

test_that("period sequences that would pass the year 9999 are refused before any work", {
  expect_error(vemroPeriodSeq(20204L, 1e9, "quarterly"), "run past the year 9999",
               class = "vemro_error_argument")
  expect_error(vemroPeriodSeq(99994L, 2L, "quarterly"), "run past the year 9999",
               class = "vemro_error_argument")
  expect_identical(vemroPeriodSeq(99993L, 2L, "quarterly"), c(99993L, 99994L))
})

test_that("a frequency code given as text is the code", {
  expect_identical(vemroPeriodSeq(20201L, 2L, "30"), vemroPeriodSeq(20201L, 2L, 30L))
  expect_error(vemroPeriodSeq(20201L, 2L, "31"), "must be a frequency name or one of",
               class = "vemro_error_argument")
})

test_that("a day that is not a period date of its frequency has no date", {
  expect_identical(vemroDateOf(c(20240603L, 20240607L), "weekly"),
                   as.Date(c(NA, "2024-06-07")))
  expect_identical(vemroDateOf(c(20240601L, 20240531L), "business"),
                   as.Date(c(NA, "2024-05-31")))
  expect_identical(vemroDateOf(1e12, "annual"), as.Date(NA))
})

test_that("outside the years 1 to 9999 there is no period and no date", {
  lastDays <- as.Date("9999-12-30") + 0:3
  expect_identical(vemroPeriodOf(lastDays, "weekly-sun"), rep(NA_integer_, 4))
  expect_identical(vemroPeriodOf(lastDays, "weekly"), c(99991231L, 99991231L, NA, NA))
  expect_identical(vemroPeriodOf(lastDays, "annual"), c(9999L, 9999L, NA, NA))
  expect_identical(vemroPeriodOf(as.Date(c("0000-12-31", "0001-01-01")), "daily"),
                   c(NA, 10101L))
  expect_silent(huge <- vemroPeriodOf(structure(c(1e10, -1e10, Inf), class = "Date"), "daily"))
  expect_identical(huge, rep(NA_integer_, 3))
  expect_identical(vemroDateOf(c(0, 1, 9999, 10000), "annual"),
                   as.Date(c(NA, "0001-12-31", "9999-12-31", NA)))
  expect_identical(vemroDateOf(c(100000102L, 10101L), "weekly-sun"), as.Date(c(NA, NA)))
})

test_that("a day of the last week of 9999 is a weekly period date only as its week's end", {
  expect_identical(vemroDateOf(99991231L, "weekly-mon"), as.Date(NA))
  expect_identical(vemroDateOf(c(99991226L, 99991227L), 56L), as.Date(c(NA, NA)))
  expect_identical(vemroDateOf(99991231L, "weekly-fri"), as.Date("9999-12-31"))
  for (f in c(51:54, 56:57)) {
    expect_error(vemroDateSeq(99991231, 1, f), "^`start` \\(99991231\\) is not a valid weekly",
                 class = "vemro_error_argument")
  }
  expect_error(vemroPeriodSeq(99991229, 1, 51), "is not a valid weekly-mon period date",
               class = "vemro_error_argument")
})
