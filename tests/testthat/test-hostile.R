test_that("no hostile value crashes R in any exported function", {
  exported <- getNamespaceExports("Vemro")
  values <- list(NULL, NA, NA_character_, character(0), "", -1, 1e308, .Machine$integer.max,
                 strrep("x", 1e5), "\xff\xfe", list(1), TRUE, Sys.Date(), c("a", "b"), -Inf)
  set.seed(7)
  calls <- unlist(lapply(exported, function(fn) lapply(1:6, function(i) {
    list(fn = fn, args = sample(values, sample(0:4, 1), replace = TRUE))
  })), recursive = FALSE)
  survived <- callr::r(function(calls) {
    library(Vemro)
    for (call in calls) try(suppressWarnings(do.call(call$fn, call$args)), silent = TRUE)
    length(calls)
  }, args = list(calls = calls), timeout = 120, libpath = .libPaths())
  expect_identical(survived, length(exported) * 6L)
})
