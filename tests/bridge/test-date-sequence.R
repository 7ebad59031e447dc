test_that("positions 1 to n are asked for in order and labelled with period ends", {
  resetDouble()
  scriptAll("QVBGetDate", c(20201L, 20202L, 20203L))
  dates <- bridge("c_vemroDateSeq", 20201L, 3L, 30L, dates = integer(3))$dates
  expect_identical(dates, c(20200331L, 20200630L, 20200930L))
  expect_identical(vendorCalls(), c(
    "QVBGetDate(20201, 1, 30)", "QVBGetDate(20201, 2, 30)", "QVBGetDate(20201, 3, 30)"))
})

test_that("monthly periods end on the right day, leap years and short years included", {
  resetDouble()
  scriptAll("QVBGetDate", c(202002L, 201902L, 9602L, 190002L))
  dates <- bridge("c_vemroDateSeq", 202001L, 4L, 40L, dates = integer(4))$dates
  expect_identical(dates, c(20200229L, 20190228L, 960229L, 19000228L))
})

test_that("day-based periods pass unchanged and unlisted codes give zeros", {
  resetDouble()
  scriptAll("QVBGetDate", c(20200106L, 20200113L))
  expect_identical(bridge("c_vemroDateSeq", 20200106L, 2L, 53L, dates = integer(2))$dates,
                   c(20200106L, 20200113L))
  scriptAll("QVBGetDate", c(20200715L))
  expect_identical(bridge("c_vemroDateSeq", 20200715L, 1L, 61L, dates = 0L)$dates, 20200715L)
  resetDouble()
  scriptAll("QVBGetDate", c(2020L, 2021L, 2022L))
  expect_identical(bridge("c_vemroDateSeq", 2020L, 3L, 20L, dates = rep(7L, 3))$dates,
                   c(0L, 0L, 0L))
  expect_length(vendorCalls(), 3)
})

test_that("a count of zero or less asks nothing and writes nothing", {
  resetDouble()
  expect_identical(bridge("c_vemroDateSeq", 2020L, 0L, 10L, dates = 5L)$dates, 5L)
  expect_identical(bridge("c_vemroDateSeq", 2020L, -3L, 10L, dates = 5L)$dates, 5L)
  expect_length(vendorCalls(), 0)
})

test_that("elements past the count are left alone", {
  resetDouble()
  scriptAll("QVBGetDate", c(2020L, 2021L))
  dates <- bridge("c_vemroDateSeq", 2020L, 2L, 10L, dates = c(1L, 2L, 3L, 4L))$dates
  expect_identical(dates, c(20201231L, 20211231L, 3L, 4L))
})

test_that("vemroDateSeq checks its arguments and names the wrong one", {
  resetDouble()
  expect_error(vemroDateSeq(2020, -1, 10), "`n` must not be negative, not -1")
  expect_error(vemroDateSeq(2020, 2, 20), "`frequency` must be one of 10, 30, 40")
  expect_error(vemroDateSeq("2020", 2, 10), "`start` must be a single whole number")
  expect_error(vemroDateSeq(2020, NA, 10), "`n` must be a single whole number")
  expect_length(vendorCalls(), 0)
  scriptAll("QVBGetDate", c(2020L, 2021L))
  expect_identical(vemroDateSeq(2020, 2, 10), c(20201231L, 20211231L))
})
