test_that("apiError words every vendor status code it knows", {
  messages <- c(
    "1" = "API: Unable to open database.",
    "2" = "API: Unable to find variable name.",
    "3" = "API: Unable to load variable information.",
    "4" = "API: Unable to load source information.",
    "11" = "API: Unable to re-open database.",
    "20" = "API: Unable to set aggregation mode.")
  for (code in names(messages)) {
    expect_identical(errorMessage(apiError(as.integer(code))), messages[[code]])
  }
})

test_that("apiError calls every other code an unknown error", {
  for (code in c(0L, -1L, 5L, 6L, 10L, 12L, 19L, 21L, 1011L, .Machine$integer.max, -.Machine$integer.max)) {
    expect_identical(errorMessage(apiError(code)), "API: Unknown error.")
  }
})

test_that("the interface version is 18 whatever the vector held", {
  resetDouble()
  expect_identical(bridge("c_vemroCVersion", version = 99L)$version, 18L)
  expect_identical(bridge("c_vemroCVersion", version = NA_integer_, NAOK = TRUE)$version, 18L)
  expect_identical(vemroVersion(), 18L)
  expect_length(vendorCalls(), 0)
})

test_that("the chunk width is published as a read-only 1000", {
  path <- getLoadedDLLs()[["Vemro"]][["path"]]
  symbols <- system2("nm", c("-D", "--defined-only", shQuote(path)), stdout = TRUE)
  expect_match(grep(" QVBDchunk$", symbols, value = TRUE), " R QVBDchunk$")
})
