# A database with a series of data, one without data and one whose
# aggregation type forbids conversion, made with the database tool.
oddDatabase <- function() {
  folder <- tempfile("odd")
  dir.create(folder)
  meta <- file.path(folder, "meta.csv")
  data <- file.path(folder, "data.csv")
  writeLines(c("code,frequency,aggregation", "GOOD,40,2", "EMPTY,40,2", "FIXED,40,0"), meta)
  writeLines(c("code,date,value", "GOOD,2020-01-31,1", "GOOD,2020-02-29,2", "GOOD,2020-03-31,3",
               "GOOD,2020-04-30,4", "FIXED,2020-01-31,5", "FIXED,2020-02-29,6"), data)
  db <- file.path(folder, "odd.vdb")
  status <- system2(vemroDbTool(), c("import", db, "--meta", meta, "--long", data),
                    stdout = FALSE, stderr = FALSE)
  stopifnot(status == 0L)
  db
}

test_that("series without data or that cannot be converted are left out of the range", {
  db <- oddDatabase()
  expect_warning(
    data <- vemroLocalData(c("FIXED", "GOOD", "EMPTY"), db, frequency = 30),
    "^left out of the range: FIXED \\(cannot be converted to the frequency\\), EMPTY \\(no data\\)$",
    class = "vemro_warning_outcome")
  expect_identical(dim(data), c(2L, 3L))
  expect_identical(colnames(data), c("FIXED", "GOOD", "EMPTY"))
  # Strict aggregation: the second quarter holds April alone.
  expect_identical(data[, "GOOD"], c(6, NA))
  expect_true(all(is.na(data[, c("FIXED", "EMPTY")])))
  expect_identical(attr(data, "start"), 20200331L)
  expect_identical(attr(data, "frequency"), 30L)
})

test_that("with every series left out the matrix has no rows", {
  db <- oddDatabase()
  data <- suppressWarnings(vemroLocalData("EMPTY", db))
  expect_identical(dim(data), c(0L, 1L))
})

test_that("a series whose database does not open is an error, not a series without data", {
  expect_error(vemroLocalData("AIRPASS", tempdir(), 30, 19600101, 19601231),
               "Could not open database", class = "vemro_error")
})

test_that("a start after the series' data leaves no period and is an error", {
  expect_error(vemroLocalData(c("AIRPASS", "UKGAS"), vemroExampleDb(), frequency = 30,
                              start = 20000101),
               "^the range from 20001 to 19864 holds no period", class = "vemro_error_argument")
})
