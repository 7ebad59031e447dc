# Calls the entry point with arguments that pass, except those named.
callWith <- function(...) {
  args <- list(0L, c(list(integer(7)), replicate(7, integer(2), simplify = FALSE)),
               c("A1", "A2"), c("A", "A"), "A", 1L, 2L, 0L,
               lapply(c(1L, 1000L, -1L, -1L, 0L), function(x) x + 0L),
               list(0L, integer(3), integer(2), integer(2), integer(2)), 500L)
  names(args) <- c("direct", "failures", "codes", "seriesDatabases", "databases",
                   "databaseCount", "seriesCount", "merge", "range", "setAside", "reopen")
  args[names(list(...))] <- list(...)
  errorMessage(do.call(.Call, c(list("call_vemroSeriesInfo"), unname(args),
                                list(PACKAGE = "Vemro"))))
}

test_that("unusable arguments are refused by name before any vendor call", {
  resetDouble()
  expect_identical(callWith(seriesCount = -1L),
                   "`seriesCount` must be a whole number of at least 0")
  expect_identical(callWith(databaseCount = NA_integer_),
                   "`databaseCount` must be a whole number of at least 0")
  expect_identical(callWith(codes = 1:2),
                   "`codes` must be a character vector of at least 2 elements")
  expect_identical(callWith(seriesDatabases = "A"),
                   "`seriesDatabases` must be a character vector of at least 2 elements")
  expect_identical(callWith(databaseCount = 2L),
                   "`databases` must be a character vector of at least 2 elements")
  expect_identical(callWith(failures = list(integer(7))), paste(
    "`failures` must be a list of 8 integer vectors: 7 counts, then 7 lists of at least 2",
    "entries"))
  expect_identical(callWith(range = list(1L, 1000L, -1L, -1L)),
                   "`range` must be a list of 5 integer vectors of at least 1 entry")
  expect_identical(callWith(setAside = list(0L, integer(3), integer(1), integer(2), integer(2))),
                   paste("`setAside` must be a list of 5 elements whose elements 2 to 5 are",
                         "integer vectors: 3 lengths, then 3 lists of at least 2 entries"))
  expect_length(vendorCalls(), 0)
})

test_that("set-aside lists are needed only when a range is asked for", {
  resetDouble()
  noResolve <- lapply(c(0L, 1000L, -1L, -1L, 0L), function(x) x + 0L)
  expect_identical(callWith(range = noResolve, setAside = NULL), NA_character_)
})

test_that("a database named twice needs room for failures entered twice", {
  resetDouble()
  scriptAll("QVBGetInfo", c(2L, 2L, 2L, 2L))
  expect_identical(callWith(databases = c("A", "A"), databaseCount = 2L), paste(
    "`failures` must be a list of 8 integer vectors: 7 counts, then 7 lists of at least 4",
    "entries"))
  expect_length(vendorCalls(), 0)
  longer <- c(list(integer(7)), replicate(7, integer(4), simplify = FALSE))
  expect_identical(callWith(databases = c("A", "A"), databaseCount = 2L, failures = longer),
                   NA_character_)
  expect_identical(longer[[3]], c(0L, 1L, 0L, 1L))
})
