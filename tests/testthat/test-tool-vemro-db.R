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

test_that("create refuses a folder", {
  folder <- scratchFolder()
  for (name in c(folder, file.path(folder, "inside.vdb"))) {
    dir.create(name, showWarnings = FALSE)
    created <- runTool("create", name)
    expect_identical(created$status, 1L)
    expect_identical(created$err,
                     sprintf("vemro-db create: '%s' is a folder, not a database file", name))
  }
  expect_identical(list.files(folder, all.files = TRUE, no.. = TRUE), "inside.vdb")
})

test_that("an import with a bad second data file leaves the database byte for byte as it was", {
  folder <- scratchFolder()
  db <- file.path(folder, "prices.vdb")
  oldMeta <- writeText(file.path(folder, "old.csv"), "code,frequency,aggregation", "OLD,40,1")
  oldData <- writeText(file.path(folder, "good.csv"), "code,date,value", "OLD,2020-01-31,1")
  expect_identical(runTool("import", db, "--meta", oldMeta, "--long", oldData)$status, 0L)
  before <- readBin(db, "raw", file.size(db))

  meta <- writeText(file.path(folder, "meta.csv"), "code,frequency,aggregation", "NEW,40,1")
  newData <- writeText(file.path(folder, "new.csv"), "date,NEW", "2020-01-31,5")
  tooWide <- writeText(file.path(folder, "wide.csv"), "code,date,value", "NEW,2020-02-29,6,7")
  refused <- runTool("import", db, "--meta", meta, "--wide", newData, "--long", tooWide)
  expect_identical(refused$status, 1L)
  expect_identical(refused$err,
                   sprintf("vemro-db import: %s:2: 4 fields where the header has 3", tooWide))
  expect_identical(readBin(db, "raw", file.size(db) + 1), before)
  expect_false(any(grepl("\\.vemro-import-", list.files(folder))))
  expect_identical(runTool("list", db)$out, "OLD")
})

test_that("an import reads spreadsheet CSV with a byte-order mark and refuses unreadable numbers", {
  folder <- scratchFolder()
  db <- file.path(folder, "marked.vdb")
  meta <- writeText(file.path(folder, "meta.csv"), "\ufeffcode,frequency,aggregation", "M,40,1")
  data <- writeText(file.path(folder, "data.csv"), "\ufeffdate,M", "2020-01-31,1.5")
  expect_identical(runTool("import", db, "--meta", meta, "--wide", data)$status, 0L)
  expect_identical(tail(runTool("show", db, "M")$out, 1), "M,2020-01-31,1.5")

  for (value in c("0x10", "inf", "1e999")) {
    writeText(data, "date,M", paste0("2020-01-31,", value))
    refused <- runTool("import", db, "--meta", meta, "--wide", data)
    expect_identical(refused$status, 1L)
    expect_match(refused$err, sprintf("%s:2: value '%s' is ", data, value), fixed = TRUE)
  }
})

# A copy of the example database with one bit of NILE's third observation
# (963, a value stored nowhere else) flipped on disk.
damagedExampleCopy <- function() {
  path <- file.path(scratchFolder(), "damaged.vdb")
  bytes <- readBin(exampleDb(), "raw", file.size(exampleDb()))
  value <- writeBin(963, raw(), size = 8, endian = "little")
  at <- which(vapply(seq_len(length(bytes) - 7),
                     function(i) identical(bytes[i:(i + 7)], value), logical(1)))
  stopifnot(length(at) == 1)
  bytes[at] <- xor(bytes[at], as.raw(1))
  writeBin(bytes, path)
  path
}

test_that("a flipped observation byte fails verify and the read, and no other series", {
  damaged <- damagedExampleCopy()
  verified <- runTool("verify", damaged)
  expect_identical(verified$status, 1L)
  expect_true(any(grepl("^problem: series 'NILE': cannot be read \\(status 3\\)", verified$out)))
  expect_match(verified$out[[length(verified$out)]], ": 14 series, .* 1 problem\\(s\\)$")

  fetched <- suppressWarnings(vemroFetch(c("NILE", "LYNX"), damaged, as = "matrix"))
  expect_true(all(is.na(fetched[, "NILE"])))
  expect_identical(attr(fetched, "outcome")[["LYNX"]], "ok")
  expect_identical(attr(fetched, "outcome")[["NILE"]], "damaged or unreadable")
  err <- expect_error(vemroGetData(c("LYNX", "NILE"), damaged, 1871, 1880, 10, 10L),
                      class = "vemro_error")
  expect_match(conditionMessage(err), "NILE in .*damaged\\.vdb: its stored observations are damaged")
  expect_identical(err$status, 3L)
})

test_that("upgrade adds checksums to a file of the older schema and keeps its series", {
  skip_if_not_installed("RSQLite")
  older <- file.path(scratchFolder(), "older.vdb")
  file.copy(exampleDb(), older)
  connection <- DBI::dbConnect(RSQLite::SQLite(), older)
  for (sql in c("ALTER TABLE series DROP COLUMN info_check",
                "ALTER TABLE series DROP COLUMN data_check",
                "PRAGMA user_version = 1", "VACUUM")) {
    DBI::dbExecute(connection, sql)
  }
  DBI::dbDisconnect(connection)
  fetchAll <- function(db) suppressWarnings(vemroFetch(exampleCodes, db, as = "matrix"))
  expected <- fetchAll(exampleDb())
  expect_equal(fetchAll(older), expected)
  expect_true(any(grepl("^note: schema version 1", runTool("verify", older)$out)))

  upgraded <- runTool("upgrade", older)
  expect_identical(upgraded$status, 0L)
  expect_identical(upgraded$out, paste0("upgraded ", older, ": 14 series, each with its checksums"))
  expect_identical(runTool("verify", older)$status, 0L)
  expect_false(any(grepl("^note:", runTool("verify", older)$out)))
  expect_equal(fetchAll(older), expected)
  expect_match(runTool("upgrade", older)$out, "already of the current schema")
})

unreadableMessage <- function(command, db, code) {
  sprintf(paste0("vemro-db %s: 1 series could not be read and were left out: '%s' (status 3); ",
                 "'vemro-db verify %s' tells what is wrong"), command, code, db)
}

test_that("export goes on past a damaged series, names it and fails", {
  damaged <- damagedExampleCopy()
  folder <- dirname(damaged)
  meta <- file.path(folder, "meta.csv")
  data <- file.path(folder, "data.csv")
  exported <- runTool("export", damaged, meta, data)
  expect_identical(exported$status, 1L)
  expect_identical(exported$err, unreadableMessage("export", damaged, "NILE"))
  expect_identical(read.csv(meta)$code, setdiff(exampleCodes, "NILE"))
  expect_false("NILE" %in% read.csv(data)$code)
  expect_length(readLines(data), 2281 - 100)
  # list reads the information alone, which the damage did not touch
  expect_identical(runTool("list", damaged)$out, exampleCodes)
})

test_that("list goes on past a series whose information is damaged, names it and fails", {
  skip_if_not_installed("RSQLite")
  damaged <- file.path(scratchFolder(), "tampered.vdb")
  file.copy(exampleDb(), damaged)
  connection <- DBI::dbConnect(RSQLite::SQLite(), damaged)
  DBI::dbExecute(connection, "UPDATE series SET description = 'tampered' WHERE code = 'AIRPASS'")
  DBI::dbDisconnect(connection)
  listed <- runTool("list", damaged)
  expect_identical(listed$status, 1L)
  expect_identical(listed$out, setdiff(exampleCodes, "AIRPASS"))
  expect_identical(listed$err, unreadableMessage("list", damaged, "AIRPASS"))
})

test_that("export refuses to write over the database or one file twice, and writes nothing", {
  folder <- scratchFolder()
  db <- file.path(folder, "copy.vdb")
  file.copy(exampleDb(), db)
  before <- readBin(db, "raw", file.size(db))
  other <- file.path(folder, "other.csv")
  overDb <- runTool("export", db, db, other)
  expect_identical(overDb$err,
                   sprintf("vemro-db export: '%s' is the database itself; name another output file",
                           db))
  sameByAnotherName <- file.path(folder, ".", "other.csv")
  twice <- runTool("export", db, other, sameByAnotherName)
  expect_identical(twice$err, sprintf(
    "vemro-db export: '%s' is given for both the metadata and the data", other))
  expect_identical(c(overDb$status, twice$status), c(1L, 1L))
  expect_identical(readBin(db, "raw", file.size(db) + 1), before)
  expect_identical(list.files(folder), "copy.vdb")
})

test_that("an import replaces a damaged series, and stops on one it would have to keep", {
  damaged <- damagedExampleCopy()
  folder <- dirname(damaged)
  meta <- writeText(file.path(folder, "meta.csv"), "code,frequency,aggregation", "NILE,10,1")
  data <- writeText(file.path(folder, "data.csv"), "date,NILE", "1871-12-31,1120")
  otherMeta <- writeText(file.path(folder, "other.csv"), "code,frequency,aggregation", "ZZZ,10,1")

  kept <- runTool("import", damaged, "--meta", otherMeta)
  expect_identical(kept$status, 1L)
  expect_identical(kept$err, paste("vemro-db import: the existing series 'NILE' cannot be read",
                                   "(status 3); import it again to replace it"))
  replaced <- runTool("import", damaged, "--meta", meta, "--wide", data)
  expect_identical(replaced$status, 0L)
  expect_identical(runTool("verify", damaged)$status, 0L)
  expect_identical(runTool("list", damaged)$out, exampleCodes)
  expect_identical(tail(runTool("show", damaged, "NILE")$out, 1), "NILE,1871-12-31,1120")
})

test_that("an import names an input that is a folder, and dates outside the years 1 to 9999", {
  folder <- scratchFolder()
  db <- file.path(folder, "new.vdb")
  meta <- writeText(file.path(folder, "meta.csv"), "code,frequency,aggregation", "A,10,1")
  inputs <- list(c("--meta", folder), c("--meta", meta, "--long", folder),
                 c("--meta", meta, "--values", folder))
  for (input in inputs) {
    refused <- runTool("import", db, input)
    expect_identical(refused$status, 1L)
    expect_match(refused$err, sprintf("^vemro-db import: %s(:0)?: is a folder, not a file$", folder))
  }
  early <- writeText(file.path(folder, "early.csv"), "code,date,value", "A,0000-12-31,1")
  refused <- runTool("import", db, "--meta", meta, "--long", early)
  expect_identical(refused$err, sprintf(
    "vemro-db import: %s:2: date '0000-12-31' is outside the years 1 to 9999", early))
  # 9999-12-31 is a Friday: its week, ending on Sunday, ends in year 10000
  weekly <- writeText(file.path(folder, "weekly.csv"), "code,frequency,aggregation", "W,57,1")
  late <- writeText(file.path(folder, "late.csv"), "code,date,value", "W,9999-12-31,1")
  refused <- runTool("import", db, "--meta", weekly, "--long", late)
  expect_identical(refused$err,
                   "vemro-db import: series 'W': the observations run past 9999-12-31")
  expect_false(file.exists(db))
})

test_that("a failed export leaves the files that were there, and a good one replaces them", {
  folder <- scratchFolder()
  notes <- writeText(file.path(folder, "notes.csv"), "my own notes")
  dir.create(file.path(folder, "outdir"))
  failed <- runTool("export", exampleDb(), notes, file.path(folder, "outdir"))
  expect_identical(failed$status, 1L)
  expect_identical(failed$err,
                   sprintf("vemro-db export: cannot write '%s'", file.path(folder, "outdir")))
  expect_identical(readLines(notes), "my own notes")
  expect_setequal(list.files(folder), c("notes.csv", "outdir"))

  data <- writeText(file.path(folder, "data.csv"), "old")
  expect_identical(runTool("export", exampleDb(), notes, data)$status, 0L)
  expect_identical(read.csv(notes)$code, exampleCodes)
  expect_identical(readLines(data, 1), "code,date,value")
  expect_setequal(list.files(folder), c("notes.csv", "data.csv", "outdir"))
})

test_that("help goes to standard output; an unknown command is a usage error", {
  for (asked in c("help", "--help", "-h")) {
    helped <- runTool(asked)
    expect_identical(helped$status, 0L)
    expect_identical(helped$out[1], "usage: vemro-db COMMAND ARGS")
  }
  expect_identical(runTool("--version")$out, "vemro-db: database files of schema version 2")
  unknown <- runTool("frobnicate")
  expect_identical(unknown$status, 2L)
  expect_identical(unknown$err[1], "usage: vemro-db COMMAND ARGS")
})

test_that("export refuses an output that nobody may write, and show escapes stored control bytes", {
  folder <- scratchFolder()
  locked <- writeText(file.path(folder, "locked.csv"), "kept")
  Sys.chmod(locked, "444")
  refused <- runTool("export", exampleDb(), locked, file.path(folder, "data.csv"))
  expect_identical(refused$status, 1L)
  expect_identical(refused$err, sprintf(
    "vemro-db export: '%s' is read-only; make it writable to change it", locked))
  expect_identical(readLines(locked), "kept")

  db <- file.path(folder, "texts.vdb")
  meta <- writeText(file.path(folder, "meta.csv"), "code,frequency,aggregation,source",
                    "W1,40,1,\"\033]0;title\a and\nmore\"")
  data <- writeText(file.path(folder, "data.csv"), "code,date,value", "W1,2020-01-31,1")
  expect_identical(runTool("import", db, "--meta", meta, "--long", data)$status, 0L)
  shown <- runTool("show", db, "W1")$out
  expect_true("source: \\x1B]0;title\\x07 and\\x0Amore" %in% shown)
})
