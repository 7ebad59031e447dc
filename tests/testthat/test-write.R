test_that("a written series reads back the same at every frequency, NA included", {
  db <- tempfile(fileext = ".vdb")
  yearly <- ts(c(1.5, NA, 3), start = 2001)
  vemroWrite(cbind(Y = yearly, Y2 = yearly * 2), db)
  expect_equal(as.numeric(vemroFetch("Y", db)), c(1.5, NA, 3))
  quarterly <- ts(c(1, 2, NA, 4, 5), start = c(2001, 2), frequency = 4)
  vemroWrite(cbind(Q = quarterly, Q2 = quarterly), db)
  q <- vemroFetch("Q", db)
  expect_equal(as.numeric(q), as.numeric(quarterly))
  expect_identical(start(q), c(2001, 2))
  for (f in c("weekly-mon", "weekly", "business", "daily")) {
    days <- vemroDateOf(vemroPeriodSeq(vemroPeriodOf(as.Date("2020-01-01"), f), 6L, f), 61L)
    x <- zoo::zoo(cbind(D = c(1, NA, 3, 4, 5, 6)), days)
    vemroWrite(x, db, frequency = f)
    back <- vemroFetch("D", db, f)
    expect_equal(as.numeric(back), c(1, NA, 3:6), info = f)
    expect_equal(zoo::index(back), days, ignore_attr = c("tclass", "tzone"), info = f)
  }
})

test_that("frequencies the engine cannot hold are refused, import failures are classed", {
  db <- tempfile(fileext = ".vdb")
  expect_error(vemroWrite(ts(cbind(A = 1:10), frequency = 7), db), "7 periods",
               class = "vemro_error_argument")
  twice <- zoo::zoo(cbind(A = 1:2), as.Date(c("2020-01-01", "2020-01-02")))
  expect_error(vemroWrite(twice, db, frequency = "monthly"), "irregular",
               class = "vemro_error_argument")
  expect_error(vemroWrite(ts(1:3), db), "column names", class = "vemro_error_argument")
  expect_error(vemroWrite(ts(cbind(A = 1:3)), file.path(tempdir(), "no", "such", "x.vdb")),
               "vemro-db import failed", class = "vemro_error")
})

test_that("every bit of every value comes back, whatever the layout it is written in", {
  db <- tempfile(fileext = ".vdb")
  set.seed(1)
  values <- c(rnorm(8), pi, 123456789.123456789, .Machine$double.xmax, NA)
  vemroWrite(ts(cbind(T = values), start = c(2001, 1), frequency = 12), db)
  expect_identical(as.numeric(vemroFetch("T", db, as = "matrix")), values)

  months <- vemroDateOf(vemroPeriodSeq(200101L, 12L, "monthly"), "monthly")
  vemroWrite(zoo::zoo(cbind(Z = values), months), db, "monthly")
  expect_identical(as.numeric(vemroFetch("Z", db, as = "matrix")), values)
  # With periods missing from the index the values travel as text.
  gappy <- zoo::zoo(cbind(G = values[-2]), months[-2])
  vemroWrite(gappy, db, "monthly")
  expect_identical(as.numeric(vemroFetch("G", db, as = "matrix")), replace(values, 2, NA))
  vemroWrite(data.frame(code = "L", date = months, value = values), db, "monthly")
  expect_identical(as.numeric(vemroFetch("L", db, as = "matrix")), values)
})

test_that("bad values, dates and arguments are refused before anything is written", {
  db <- tempfile(fileext = ".vdb")
  expect_error(vemroWrite(data.frame(code = "X", date = as.Date("2020-01-31"), value = "abc"),
                          db, "monthly"), "`x\\$value` must be numeric",
               class = "vemro_error_argument")
  expect_error(vemroWrite(NULL, db), "`x` must be a ts", class = "vemro_error_argument")
  expect_error(vemroWrite(ts(cbind(A = 1:3), start = -5), db), "years 1 to 9999",
               class = "vemro_error_argument")
  expect_false(file.exists(db))
  vemroWrite(ts(cbind(Y1 = 1:3), start = 1), db)
  expect_identical(as.numeric(vemroFetch("Y1", db, as = "matrix")), c(1, 2, 3))
})

test_that("a database named without its extension is written and read as the same file", {
  name <- tempfile("noext")
  vemroWrite(ts(cbind(N = c(1, 2)), start = 2001), name)
  expect_true(file.exists(paste0(name, ".vdb")))
  expect_identical(as.numeric(vemroFetch("N", name, as = "matrix")), c(1, 2))
  expect_identical(vemroInfo("N", name)$outcome, "ok")
})

test_that("texts are checked, long ones named, and the date of change is today", {
  db <- tempfile(fileext = ".vdb")
  x <- ts(cbind(B = 1:3), start = 2000)
  expect_error(vemroWrite(x, db, units = "bad\xff"), "^`units` must be valid text$",
               class = "vemro_error_argument")
  expect_error(vemroWrite(x, db, source = c("a", "b")), "^`source` must be text",
               class = "vemro_error_argument")
  expect_error(vemroWrite(ts(cbind(A = c("x", "y")), start = 2000), db), "^`x` must hold numbers$",
               class = "vemro_error_argument")
  expect_error(vemroWrite(ts(cbind(A = 1:3), start = 2000.5), db),
               "must fall on the start of its periods", class = "vemro_error_argument")
  expect_false(file.exists(db))
  expect_warning(vemroWrite(x, db, description = strrep("d", 82)),
                 "`description` is longer than the 81 bytes", class = "vemro_warning")
  expect_silent(vemroWrite(x, db, description = strrep("d", 81), units = strrep("u", 17)))
  info <- vemroInfo("B", db)
  expect_identical(info$description, strrep("d", 81))
  expect_identical(info$lastChange, Sys.Date())
})

test_that("a database name that is empty or too long is refused before anything is written", {
  x <- ts(cbind(Z = 1:3), start = 2000)
  expect_error(vemroWrite(x, ""), "^`database` must not hold an empty name$",
               class = "vemro_error_argument")
  long <- file.path(tempdir(), strrep("d", 600))
  error <- expect_error(vemroWrite(x, long), "^`database` must be at most 511 bytes long$",
                        class = "vemro_error_argument")
  for (call in list(function() vemroFetch("Z", long), function() qvbSeriesInfo(long, "Z"),
                    function() vemroGetData("Z", long, 2000, 2002, 10, 3))) {
    expect_error(call(), "must be at most 511 bytes long", class = "vemro_error_argument")
  }
  expect_error(vemroFetch("Z", ""), "^`databases` must not hold an empty name$")
})
