test_that("a failed read names the series, the database and the reason", {
  db <- vemroExampleDb()
  error <- expect_error(vemroGetData(c("NILE", "NOSUCH"), db, 1871, 1872, 10, 2),
                        class = "vemro_error_not_found")
  expect_identical(error$status, 2L)
  expect_match(conditionMessage(error), "API: Unable to find variable name.", fixed = TRUE)
  expect_match(conditionMessage(error), "NOSUCH in .*vemro-example.vdb: no series with this code")
  error <- expect_error(qvbSeriesInfo(db, "NOSUCH"), class = "vemro_error_not_found")
  expect_match(conditionMessage(error), "NOSUCH in .*: no series with this code")
  missing <- file.path(tempdir(), "missing.vdb")
  error <- expect_error(vemroGetData("NILE", missing, 1871, 1872, 10, 2),
                        class = "vemro_error_open")
  expect_match(conditionMessage(error), "NILE in .*missing.vdb: the database did not open")
})

test_that("an unknown error from a conversion says what the engine meant", {
  db <- vemroExampleDb()
  error <- expect_error(vemroGetData("NILE", db, 187101, 187112, 40, 12), class = "vemro_error")
  expect_identical(error$status, 22L)
  expect_match(conditionMessage(error), "API: Unknown error.", fixed = TRUE)
  expect_match(conditionMessage(error),
               "NILE in .*: the frequency asked for \\(40\\) is higher than the series' own \\(10\\)")
})

test_that("a code or path of 100,000 characters is cut in messages", {
  long <- strrep("x", 1e5)
  error <- expect_error(vemroGetData(long, vemroExampleDb(), 1871, 1872, 10, 2))
  expect_lt(nchar(conditionMessage(error)), 400)
  expect_match(conditionMessage(error), "xxx...", fixed = TRUE)
})

test_that("the older chain's failures are classed errors too", {
  db <- vemroExampleDb()
  err <- expect_error(vemroLocalData(c("AIRPASS", "NOPE"), rep(db, 2), 40, 19500101, 19501231),
                      "NOPE in", class = "vemro_error_not_found")
  expect_identical(err$status, 2L)
  expect_error(qvbSeriesInfo(tempdir(), "UKGAS"), "Could not open database",
               class = "vemro_error")
})

test_that("the older chain cuts a long name and classes a database that does not open", {
  missing <- file.path(tempdir(), "missing.vdb")
  calls <- list(function() qvbSeriesInfo(missing, "NILE"),
                function() vemroLocalData("NILE", missing))
  for (call in calls) {
    error <- expect_error(call(), "^Could not open database .*missing\\.vdb",
                          class = "vemro_error_open")
    expect_identical(error$status, 1L)
  }
  error <- expect_error(vemroLocalData(strrep("z", 1e5), vemroExampleDb()),
                        "^Unable to load variable name z+\\.\\.\\.",
                        class = "vemro_error_not_found")
  expect_lt(nchar(conditionMessage(error)), 400)
})
