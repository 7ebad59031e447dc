# The installed vemro-db tool, run as a program: every command on the
# example database, and imports that must refuse bad input whole.

runTool <- function(...) {
  errors <- tempfile()
  on.exit(unlink(errors))
  out <- suppressWarnings(system2(vemroDbTool(), shQuote(c(...)), stdout = TRUE,
                                  stderr = errors))
  status <- attr(out, "status")
  list(status = if (is.null(status)) 0L else status, out = as.character(out),
       err = readLines(errors))
}

# A new folder in R's session temporary folder, which R removes at exit.
scratchFolder <- function() {
  folder <- tempfile("vemro-tool-")
  dir.create(folder)
  folder
}

writeText <- function(path, ...) {
  writeLines(c(...), path, useBytes = TRUE)
  path
}

test_that("list prints every code of the example database in code order", {
  listed <- runTool("list", exampleDb())
  expect_identical(listed$status, 0L)
  expect_identical(listed$out, exampleCodes)
})

test_that("show prints a series' metadata and its observations by period end", {
  shown <- runTool("show", exampleDb(), "NILE")
  expect_identical(shown$status, 0L)
  expect_true(all(c("code: NILE", "frequency: 10", "aggregation: 1", "magnitude: 8",
                    "observations: 100") %in% shown$out))
  rows <- grep("^NILE,", shown$out, value = TRUE)
  expect_length(rows, 100)
  expect_identical(rows[[1]], "NILE,1871-12-31,1120")
  expect_identical(rows[[100]], "NILE,1970-12-31,740")

  missing <- runTool("show", exampleDb(), "NOSUCH")
  expect_identical(missing$status, 1L)
  expect_identical(missing$err, "vemro-db show: no series 'NOSUCH'")
})

test_that("verify passes the example database and counts its contents", {
  verified <- runTool("verify", exampleDb())
  expect_identical(verified$status, 0L)
  expect_identical(verified$out[[length(verified$out)]],
                   paste0(exampleDb(), ": 14 series, 2280 observations, 0 problem(s)"))
})

test_that("export then import into a new database gives back the same series", {
  folder <- scratchFolder()
  meta <- file.path(folder, "meta.csv")
  data <- file.path(folder, "data.csv")
  expect_identical(runTool("export", exampleDb(), meta, data)$status, 0L)
  expect_length(readLines(meta), 15)
  expect_length(readLines(data), 2281)

  copy <- file.path(folder, "copy.vdb")
  expect_identical(runTool("create", copy)$status, 0L)
  expect_identical(runTool("list", copy)$out, character())
  imported <- runTool("import", copy, "--meta", meta, "--long", data)
  expect_identical(imported$status, 0L)
  expect_identical(imported$out, sprintf("imported 14 series into %s", copy))
  for (code in exampleCodes) {
    expect_identical(runTool("show", copy, code)$out, runTool("show", exampleDb(), code)$out,
                     info = code)
  }
  expect_identical(runTool("verify", copy)$status, 0L)
})

test_that("create refuses a database that exists, and unknown commands show the usage", {
  existing <- runTool("create", exampleDb())
  expect_identical(existing$status, 1L)
  expect_match(existing$err, "already exists", fixed = TRUE)
  unknown <- runTool("frobnicate", exampleDb())
  expect_identical(unknown$status, 2L)
  expect_match(unknown$err[[1]], "^usage: vemro-db COMMAND ARGS")
})
