test_that("quarterly series come back as an mts in request order", {
  x <- vemroFetch(c("AIRPASS", "UKGAS"), vemroExampleDb(), "quarterly", "1960Q1", "1962Q4")
  expect_s3_class(x, "mts")
  expect_identical(c(nrow(x), frequency(x)), c(12, 4))
  expect_identical(start(x), c(1960, 1))
  expect_identical(colnames(x), c("AIRPASS", "UKGAS"))
  expect_equal(as.numeric(x[1:4, "AIRPASS"]), as.numeric(aggregate(window(AirPassengers, 1960), 4, sum)))
  expect_true(all(is.na(x[5:12, "AIRPASS"])))
  expect_equal(as.numeric(x[, "UKGAS"]), as.numeric(window(UKgas, c(1960, 1), c(1962, 4))))
  reversed <- vemroFetch(c("UKGAS", "AIRPASS", "UKGAS"), vemroExampleDb(), 30, as.Date("1960-01-01"),
                         19621231)
  expect_identical(colnames(reversed), c("UKGAS", "AIRPASS", "UKGAS"))
  expect_equal(unclass(reversed[, 2]), unclass(x[, 1]), ignore_attr = TRUE)
})

test_that("every outcome is named, the series kept as NA columns, with one warning", {
  broken <- tempfile(fileext = ".vdb")
  writeLines("not a database", broken)
  codes <- c("NILE", "NOSUCH", "UKGAS", "AIRPASS")
  expect_warning(x <- vemroFetch(codes, c(vemroExampleDb(), vemroExampleDb(), vemroExampleDb(), broken),
                                 "quarterly", 1960, 1960, as = "matrix"),
                 class = "vemro_warning_outcome")
  expect_identical(unname(attr(x, "outcome")),
                   c("lower frequency than quarterly", "not found", "ok", "database not opened"))
  expect_identical(colnames(x), codes)
  expect_true(all(is.na(x[, c(1, 2, 4)])))
  expect_false(anyNA(x[, 3]))
  expect_identical(rownames(x), c("19600331", "19600630", "19600930", "19601231"))
})

test_that("series without data and series that must not aggregate are told apart", {
  db <- tempfile(fileext = ".vdb")
  vemroWrite(ts(cbind(FIXED = 1:24), start = 2000, frequency = 12), db, aggregation = "none")
  vemroWrite(data.frame(code = "EMPTY", date = as.Date("2000-01-31"), value = NA), db,
             frequency = "monthly")
  vemroWrite(ts(cbind(OK = 1:24), start = 2000, frequency = 12), db)
  expect_warning(x <- vemroFetch(c("FIXED", "EMPTY", "OK"), db, "annual"), "FIXED")
  expect_identical(unname(attr(x, "outcome")),
                   c("cannot be aggregated to annual", "no observations in the range", "ok"))
  err <- expect_error(vemroFetch(c("FIXED", "EMPTY"), db, "annual"),
                      class = "vemro_error_not_found")
  expect_match(conditionMessage(err), "^none of the series can be fetched\n")
  expect_match(conditionMessage(err),
               "FIXED (cannot be aggregated to annual), EMPTY (no observations in the range)",
               fixed = TRUE)
  expect_identical(unname(err$outcome),
                   c("cannot be aggregated to annual", "no observations in the range"))
})

test_that("a fetch that can serve no series fails the same way at every stage", {
  db <- vemroExampleDb()
  stages <- list(
    nothingRead = list(codes = "NOSUCH", frequency = NULL, outcome = "not found"),
    setAside = list(codes = "NILE", frequency = "monthly",
                    outcome = "lower frequency than monthly"),
    emptyRange = list(codes = c("NILE", "LYNX"), frequency = "annual", start = 2000, end = 2005,
                      outcome = rep("no observations in the range", 2)))
  for (stage in stages) {
    err <- expect_error(suppressWarnings(
      vemroFetch(stage$codes, db, stage$frequency, start = stage$start, end = stage$end)),
      "none of the series can be fetched", class = "vemro_error_not_found")
    expect_identical(unname(err$outcome), stage$outcome)
  }
})

test_that("under strict aggregation a series with a gap in every period says so", {
  old <- vemroAggregation()
  on.exit(vemroSetAggregation(old))
  vemroSetAggregation(0)
  expect_warning(x <- vemroFetch(c("AQOZONE", "AQTEMP"), vemroExampleDb(), "monthly"),
                 "AQOZONE \\(no monthly value in the range under strict aggregation\\)")
  expect_identical(unname(attr(x, "outcome")),
                   c("no monthly value in the range under strict aggregation", "ok"))
  vemroSetAggregation(1)
  expect_identical(unname(attr(vemroFetch("AQOZONE", vemroExampleDb(), "monthly"), "outcome")),
                   "ok")
})

test_that("every shape holds the same values", {
  codes <- c("UKDRIVER", "CO2")
  m <- vemroFetch(codes, vemroExampleDb(), "monthly", "1970-01", "1970-06", as = "matrix")
  long <- vemroFetch(codes, vemroExampleDb(), "monthly", "1970-01", "1970-06", as = "long")
  wide <- vemroFetch(codes, vemroExampleDb(), "monthly", "1970-01", "1970-06", as = "wide")
  z <- vemroFetch(codes, vemroExampleDb(), "monthly", "1970-01", "1970-06", as = "zoo")
  expect_equal(long$value, as.vector(m))
  expect_identical(long$date[1:2], as.Date(c("1970-01-31", "1970-02-28")))
  expect_equal(as.matrix(wide[, codes]), unclass(m), ignore_attr = TRUE)
  expect_equal(unclass(zoo::coredata(z)), unclass(m), ignore_attr = TRUE)
  daily <- vemroFetch("AQTEMP", vemroExampleDb(), start = "1973-05-01", end = "1973-05-03")
  expect_s3_class(daily, "xts")
  expect_equal(as.numeric(daily), airquality$Temp[1:3])
  expect_error(vemroFetch("AQTEMP", as = "ts"), "annual, quarterly or monthly",
               class = "vemro_error_argument")
})

test_that("bad arguments are refused before any read, naming the argument", {
  db <- vemroExampleDb()
  expect_error(vemroFetch(character(0), db), "`codes`", class = "vemro_error_argument")
  expect_error(vemroFetch(c("NILE", NA), db), "`codes`", class = "vemro_error_argument")
  expect_error(vemroFetch(c("NILE", ""), db), "`codes`", class = "vemro_error_argument")
  expect_error(vemroFetch("NILE", db, "hourly"), "`frequency`", class = "vemro_error_argument")
  expect_error(vemroFetch("NILE", db, start = 1990, end = 1980), "`start` must not come after",
               class = "vemro_error_argument")
  expect_error(vemroFetch("NILE", db, start = "2020Q5"), "`start`", class = "vemro_error_argument")
  expect_error(vemroFetch("NILE", file.path(tempdir(), "absent.vdb")), "no such database",
               class = "vemro_error_argument")
  expect_error(vemroFetch("NILE", db, as = "list"), "`as`", class = "vemro_error_argument")
  expect_error(vemroFetch("NILE", db, source = "remote"), "`source`", class = "vemro_error_argument")
})

test_that("options give the defaults, and native errors come back classed", {
  expect_identical(getOption("vemro.database"), vemroExampleDb())
  old <- options(vemro.as = "matrix")
  on.exit(options(old))
  expect_true(is.matrix(vemroFetch("NILE", start = 1900, end = 1901)))
  err <- tryCatch(Vemro:::nativeCall(stop("API: Unable to open database.")), error = identity)
  expect_s3_class(err, "vemro_error_open")
  expect_identical(err$status, 1L)
  expect_s3_class(tryCatch(Vemro:::nativeCall(stop("API: Unable to find variable name.")),
                           error = identity), "vemro_error_not_found")
})

test_that("reading in batches fills every column of its own series", {
  codes <- c("UKGAS", "JJ", "PRESIDENT", "UKGAS", "JJ")
  whole <- vemroFetch(codes, frequency = 30, start = 1970, end = 1971, as = "matrix")
  range <- list(frequency = 30L, start = 19701L, end = 19714L, observations = 8L)
  empty <- matrix(NA_real_, 8, 5, dimnames = list(NULL, codes))
  outcome <- setNames(rep("ok", 5), codes)
  batched <- Vemro:::readBatches(empty, outcome, c(1L, 2L, 3L, 5L), codes,
                                 rep(vemroExampleDb(), 5), range, FALSE, batch = 2L)
  expect_equal(batched$data[, -4], unclass(whole)[, -4], ignore_attr = TRUE)
  expect_true(all(is.na(batched$data[, 4])))
  expect_identical(batched$outcome, outcome)
})

test_that("a failed batch is read again series by series, but an unreachable service ends it", {
  # Column 3 stands for a damaged series: any read that includes it fails.
  read <- function(columns) {
    if (3L %in% columns) Vemro:::vemroAbort("API: Unable to load variable information.", status = 3L)
    matrix(rep(as.numeric(columns), each = 2L), 2L)
  }
  batch <- Vemro:::readColumns(1:4, read, 2L)
  expect_equal(batch$data, cbind(c(1, 1), c(2, 2), c(NA, NA), c(4, 4)))
  expect_identical(batch$outcome, c("ok", "ok", "damaged or unreadable", "ok"))

  gone <- function(columns) Vemro:::vemroAbort("service unreachable", "unreachable", 1002L)
  expect_error(Vemro:::readColumns(1:4, gone, 2L), class = "vemro_error_unreachable")
  refused <- function(columns) Vemro:::vemroAbort("not signed in", "auth", 1001L)
  expect_error(Vemro:::readColumns(1:4, refused, 2L), class = "vemro_error_auth")
})

test_that("a failed batch that names its damaged series is read again without it, in one read", {
  reads <- 0L
  read <- function(columns) {
    reads <<- reads + 1L
    if (3L %in% columns) {
      Vemro:::vemroAbort("API: Unable to load variable information.", status = 3L,
                         series = match(3L, columns))
    }
    matrix(rep(as.numeric(columns), each = 2L), 2L)
  }
  batch <- Vemro:::readColumns(1:5, read, 2L)
  expect_equal(batch$data, cbind(c(1, 1), c(2, 2), c(NA, NA), c(4, 4), c(5, 5)))
  expect_identical(batch$outcome, c("ok", "ok", "damaged or unreadable", "ok", "ok"))
  expect_identical(reads, 2L)
})

test_that("a year of any size is a year, and a date past the years 1 to 9999 is refused", {
  db <- tempfile(fileext = ".vdb")
  vemroWrite(ts(cbind(EARLY = c(1, 2, 3)), start = 998), db)
  expect_identical(as.numeric(vemroFetch("EARLY", db, start = 999, end = 1000)), c(2, 3))
  expect_identical(as.numeric(vemroFetch("EARLY", db, start = "0999", end = 999)), 2)
  for (bad in list(as.Date(Inf), as.Date("9999-12-31") + 1, as.Date("0000-06-30"), "0000")) {
    expect_error(vemroFetch("EARLY", db, start = bad), "^`start` must lie in the years 1 to 9999$",
                 class = "vemro_error_argument")
  }
})
