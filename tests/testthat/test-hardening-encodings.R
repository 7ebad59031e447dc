# Every function that takes a database reads the example database at `db`.
expectOpensEverywhere <- function(db) {
  expect_identical(vemroCodes(db)[1], "AIRPASS")
  expect_identical(vemroSeriesInfo("NILE", db, resolve = FALSE)$info$attrA, 100L)
  expect_identical(vemroGetData("NILE", db, 1871, 1872, 10, 2)[, 1], as.double(Nile[1:2]))
  expect_identical(qvbSeriesInfo(db, "NILE")$attrA, 100L)
  expect_identical(as.numeric(vemroFetch("NILE", db, start = 1871, end = 1872)),
                   as.double(Nile[1:2]))
  expect_identical(vemroInfo("NILE", db)$outcome, "ok")
}

test_that("a latin1-marked path reaches the file system as the same bytes everywhere", {
  folder <- file.path(tempdir(), "caf\u00e9")
  dir.create(folder)
  expect_true(file.copy(vemroExampleDb(), file.path(folder, "example.vdb")))
  db <- iconv(file.path(folder, "example.vdb"), "UTF-8", "latin1")
  expect_identical(Encoding(db), "latin1")
  expectOpensEverywhere(db)
})

test_that("texts read from the engine are marked UTF-8", {
  folder <- tempfile("texts")
  dir.create(folder)
  meta <- file.path(folder, "meta.csv")
  data <- file.path(folder, "data.csv")
  description <- "Caf\u00e9 \u00fcber \u20ac"
  writeLines(enc2utf8(c("code,frequency,aggregation,description", paste0("T,10,1,", description))),
             meta, useBytes = TRUE)
  writeLines(c("code,date,value", "T,2020-12-31,1"), data)
  db <- file.path(folder, "texts.vdb")
  expect_identical(system2(vemroDbTool(), c("import", db, "--meta", meta, "--long", data),
                           stdout = FALSE, stderr = FALSE), 0L)
  seriesText <- vemroSeriesInfo("T", db, resolve = FALSE)$info$textD
  expect_identical(Encoding(seriesText), "UTF-8")
  expect_identical(seriesText, description)
  localText <- qvbSeriesInfo(db, "T")$textD
  expect_identical(Encoding(localText), "UTF-8")
  expect_identical(localText, description)
})

test_that("a path that is no valid text, or is marked as bytes, opens from every function", {
  folder <- tempfile("bytes")
  dir.create(folder)
  invalid <- paste0(folder, "/bad\xff.vdb")
  marked <- paste0(folder, "/caf\xc3\xa9.vdb")
  expect_true(all(file.copy(vemroExampleDb(), c(invalid, marked))))
  Encoding(marked) <- "bytes"
  for (db in c(invalid, marked)) {
    expectOpensEverywhere(db)
  }
  expect_length(vemroDatabases(folder), 2)
  error <- expect_error(vemroCodes(paste0(folder, "/no\001such.vdb")), class = "vemro_error_open")
  expect_match(conditionMessage(error), "no\\001such.vdb", fixed = TRUE)
})

test_that("a name that is no valid text fails as a name that does not open or is unknown", {
  missing <- paste0(tempdir(), "/nope\xff.vdb")
  expect_error(vemroLocalData("NILE", missing), "^Could not open database .*nope\\\\xff",
               class = "vemro_error_open")
  expect_error(qvbSeriesInfo(missing, "NILE"), class = "vemro_error_open")
  expect_error(vemroLocalData("NO\xffSUCH", vemroExampleDb()), "NO\\\\xffSUCH",
               class = "vemro_error_not_found")
})

test_that("vemroDatabases lists only files that can be databases", {
  folder <- tempfile("listing")
  dir.create(file.path(folder, "sub.vdb"), recursive = TRUE)
  file.symlink("nowhere", file.path(folder, "dangling.vdb"))
  file.create(file.path(folder, "empty.vdb"))
  file.copy(vemroExampleDb(), file.path(folder, "real.vdb"))
  expect_identical(vemroDatabases(folder), file.path(folder, "real.vdb"))
})
