test_that("the listing holds every series of the example database in code order", {
  expect_identical(vemroCodes(exampleDb()), exampleCodes)
})

test_that("series information matches the source data", {
  info <- vemroSeriesInfo(c("NILE", "JJ", "AIRPASS", "AQOZONE"), exampleDb(), resolve = FALSE)
  expect_identical(info$info$firstDate, c(18711231L, 19600331L, 19490131L, 19730501L))
  expect_identical(info$info$lastDate, c(19701231L, 19801231L, 19601231L, 19730930L))
  expect_identical(info$info$attrA, c(100L, 84L, 144L, 153L))
  expect_identical(info$info$frequency, c(10L, 30L, 40L, 61L))
  expect_match(info$info$textD[[1]], "Nile")
  expect_true(all(lengths(info$failed) == 0L))
})

test_that("every series reads back exactly at its own frequency, gaps as NA", {
  sources <- list(NILE = Nile, LYNX = lynx, LAKEHURON = LakeHuron, JJ = JohnsonJohnson,
                  UKGAS = UKgas, PRESIDENT = presidents, AIRPASS = AirPassengers, CO2 = co2,
                  NOTTEM = nottem, UKDRIVER = UKDriverDeaths)
  for (code in names(sources)) {
    data <- vemroFetch(code, exampleDb(), as = "matrix")
    expect_equal(as.numeric(data[, code]), asValues(sources[[code]]), info = code)
  }
  ozone <- vemroFetch("AQOZONE", exampleDb(), as = "matrix")
  expect_identical(nrow(ozone), 153L)
  expect_identical(unname(which(is.na(ozone[, 1]))), which(is.na(airquality$Ozone)))
  expect_equal(ozone[!is.na(ozone[, 1]), 1], airquality$Ozone[!is.na(airquality$Ozone)],
               ignore_attr = TRUE)
})

test_that("lower frequencies aggregate by each series' own rule", {
  quarterly <- vemroFetch(c("AIRPASS", "CO2"), exampleDb(), frequency = 30,
                          start = 19590101, end = 19601231, as = "matrix")
  expect_equal(quarterly[, "AIRPASS"],
               asValues(aggregate(window(AirPassengers, 1959, c(1960, 12)), 4, sum)),
               ignore_attr = TRUE)
  expect_equal(quarterly[, "CO2"], asValues(aggregate(window(co2, 1959, c(1960, 12)), 4, mean)),
               ignore_attr = TRUE)
  expect_identical(rownames(quarterly)[1:2], c("19590331", "19590630"))
})

test_that("a range resolves over the series and lowers to their lowest frequency", {
  info <- vemroSeriesInfo(c("NILE", "UKGAS"), exampleDb())
  expect_identical(info$range, list(frequency = 10L, start = 1871L, end = 1986L,
                                    observations = 116L))
})

test_that("unknown series and databases are reported, not raised", {
  info <- vemroSeriesInfo(c("NILE", "NOSUCH"), exampleDb())
  expect_identical(info$failed$notFound, 2L)
  missing <- vemroSeriesInfo("NILE", file.path(tempdir(), "absent.vdb"))
  expect_identical(missing$failed$notOpened, 1L)
  expect_error(vemroCodes(file.path(tempdir(), "absent.vdb")), "API: Unable to open database.",
               fixed = TRUE)
})

test_that("the older local chain reads the same values", {
  one <- qvbSeriesInfo(exampleDb(), "UKDRIVER")
  expect_identical(one$frequency, 40L)
  local <- vemroLocalData(c("UKDRIVER", "NOTTEM"), exampleDb(), start = 19690101,
                          end = 19691231)
  expect_equal(local[, "UKDRIVER"], asValues(window(UKDriverDeaths, 1969, c(1969, 12))),
               ignore_attr = TRUE)
  expect_identical(attr(local, "start"), 19690131L)
  expect_error(qvbSeriesInfo(exampleDb(), "NOSUCH"), "Unable to find variable name",
               fixed = TRUE)
})

test_that("date sequences come from the engine's calendar", {
  expect_identical(vemroDateSeq(202001, 3, 40), c(20200131L, 20200229L, 20200331L))
  expect_identical(vemroDateSeq(20191231, 3, 60), c(20191231L, 20200101L, 20200102L))
  expect_identical(vemroDateSeq(20200105, 2, 57), c(20200105L, 20200112L))
})

test_that("the aggregation mode is kept by the engine, and an unknown one refused", {
  previous <- vemroAggregation()
  on.exit(vemroSetAggregation(previous))
  vemroSetAggregation(1)
  expect_identical(vemroAggregation(), 1L)
  relaxed <- vemroFetch("AQOZONE", exampleDb(), frequency = 40, as = "matrix")
  expect_equal(relaxed[1, 1], mean(airquality$Ozone[1:31], na.rm = TRUE))
  expect_error(vemroSetAggregation(77), "`mode` must be 0 (strict) or 1 (relaxed), not 77",
               fixed = TRUE)
  expect_identical(vemroCloseDb(), 0L)
})

test_that("an observation count below the periods of the range is refused, never over-run", {
  db <- vemroExampleDb()
  for (args in list(list(194901, 194912, 40, 3), list(19490101, 19490331, 61, 3),
                    list(1, 9999, 10, 2), list(194901, 194902, 40, 1))) {
    expect_error(do.call(vemroGetData, c(list("AIRPASS", db), args)),
                 "^`observations` is [0-9]+, but there are [0-9]+ periods from `start` to `end`$",
                 class = "vemro_error_argument")
  }
  expect_identical(vemroGetData("AIRPASS", db, 194901, 194903, 40, 3)[, 1],
                   as.double(AirPassengers[1:3]))
})

test_that("a count above the periods of the range, or a start after the end, is refused", {
  db <- vemroExampleDb()
  expect_error(vemroGetData(c("NILE", "LYNX"), db, 1900, 1905, 10, 1e9),
               "^`observations` is 1000000000, but there are 6 periods from `start` to `end`$",
               class = "vemro_error_argument")
  expect_error(vemroGetData("NILE", db, 1900, 1905, 10, 10), "there are 6 periods")
  expect_error(vemroGetData("NILE", db, 1905, 1900, 10, 6), "^`start` must not come after `end`$",
               class = "vemro_error_argument")
})

test_that("the count of periods agrees with the library's for every frequency", {
  # c_vemroGetData refuses, before anything else, a stride below the
  # library's own count; with no series it reads nothing.
  strideAccepted <- function(start, end, frequency, stride) {
    tryCatch({
      .C("c_vemroGetData", 0L, double(0), character(0), character(0), character(0), 0L, 0L,
         as.integer(start), as.integer(end), as.integer(frequency), 0L, as.integer(stride), 1L,
         PACKAGE = "Vemro")
      TRUE
    }, error = function(e) FALSE)
  }
  set.seed(8)
  days <- as.Date("1990-01-01") + sort(sample(0:3000, 2 * 40))
  for (f in c(10L, 30L, 40L, 51:57, 60L, 61L)) {
    for (k in seq(1, length(days), by = 2)) {
      first <- days[k]
      last <- days[k + 1]
      # Any day names its period for the day-based frequencies.
      start <- if (f > 40L) yyyymmddOf(first) else vemroPeriodOf(first, f)
      end <- if (f > 40L) yyyymmddOf(last) else vemroPeriodOf(last, f)
      count <- Vemro:::periodCount(start, end, f)
      expect_true(strideAccepted(start, end, f, count) && !strideAccepted(start, end, f, count - 1),
                  info = paste(f, start, end, count))
    }
  }
})

test_that("period dates that name no period of the years 1 to 9999 are refused", {
  expect_error(vemroGetData("AIRPASS", vemroExampleDb(), -2147483647, 2147483647, 10, 2),
               "^`start` \\(-2147483647\\) is not a valid annual period date", class = "vemro_error_argument")
  expect_error(vemroDateSeq(214748, 3, 10), "^`start` \\(214748\\) is not a valid annual")
  expect_error(vemroDateSeq(2147483647, 3, 61), "^`start` \\(2147483647\\) is not a valid daily")
  expect_error(vemroDateSeq(20240229, 3, 10), "^`start` \\(20240229\\) is not a valid annual")
  expect_error(vemroDateSeq(20205, 1, 30), "is not a valid quarterly period date")
  expect_error(vemroDateSeq(202013, 1, 40), "is not a valid monthly period date")
  expect_error(vemroDateSeq(20230229, 1, 61), "is not a valid daily period date")
  expect_error(vemroDateSeq(9999, 2, 10), "^`n` \\(2\\) periods from 9999 run past the year 9999$")
  expect_error(vemroDateSeq(99994, 2, 30), "run past the year 9999")
  expect_error(vemroDateSeq(99991201, 32, 61), "run past the year 9999")
  expect_identical(vemroDateSeq(99994, 1, 30), 99991231L)
  expect_identical(vemroDateSeq(99991201, 31, 61)[31], 99991231L)
  expect_identical(vemroDateSeq(20240229, 2, 61), c(20240229L, 20240301L))
  # A day is the start of a weekly or business run only as its period's own date.
  expect_error(vemroDateSeq(20200104, 3, 55), "^`start` \\(20200104\\) is not a valid weekly-fri")
  expect_error(vemroDateSeq(20200104, 3, 60), "is not a valid business period date")
  expect_identical(vemroDateSeq(20200110, 2, 55), c(20200110L, 20200117L))
  expect_error(vemroPeriodSeq(20200104, 3, 55), "^`start` \\(20200104\\) is not a valid weekly-fri")
})

test_that("a range of calendar dates is -1 or a real day, and does not run backwards", {
  db <- vemroExampleDb()
  for (bad in list(list(start = 1950), list(start = -2), list(end = 19500230),
                   list(start = 99991232))) {
    expect_error(do.call(vemroSeriesInfo, c(list("AIRPASS", db, 40), bad)),
                 "must be -1 or a calendar date YYYYMMDD of the years 1 to 9999, not",
                 class = "vemro_error_argument")
    expect_error(do.call(vemroLocalData, c(list("NILE", db), bad)),
                 "must be -1 or a calendar date YYYYMMDD", class = "vemro_error_argument")
  }
  expect_error(vemroLocalData("NILE", db, start = 19031231, end = 19000101),
               "^`start` must not come after `end`$", class = "vemro_error_argument")
  expect_identical(vemroSeriesInfo("AIRPASS", db, 40, 19500115, -1)$range$start, 195001L)
})

test_that("one frequency check for one series or many, and no range without series", {
  db <- vemroExampleDb()
  for (codes in list("AIRPASS", c("AIRPASS", "UKGAS"))) {
    for (frequency in c(45, 99, 2^31 - 1)) {
      expect_error(vemroLocalData(codes, db, frequency = frequency), "^`frequency` must be",
                   class = "vemro_error_argument")
    }
  }
  expect_null(vemroSeriesInfo(character(0), db)$range)
})
