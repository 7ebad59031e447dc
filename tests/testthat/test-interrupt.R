test_that("an interrupted fetch leaves the session usable", {
  skip_if_not_installed("callr")
  session <- callr::r_session$new(wait = TRUE)
  on.exit(session$close(), add = TRUE)
  session$run(function(lib) {
    .libPaths(c(lib, .libPaths()))
    library(Vemro)
  }, list(lib = .libPaths()[1]))
  session$call(function() {
    codes <- rep(vemroCodes(vemroExampleDb()), 200)
    for (i in 1:1000) vemroFetch(codes, vemroExampleDb(), "annual", as = "matrix", reopen = 1)
  })
  Sys.sleep(1.5)
  session$interrupt()
  expect_identical(session$poll_process(10000), "ready")
  result <- session$read()
  expect_s3_class(result$error, "callr_error")
  expect_match(conditionMessage(result$error), "interrupt", ignore.case = TRUE)
  after <- session$run(function() {
    vemroFetch("NILE", vemroExampleDb(), start = 1871, end = 1873, as = "matrix")[, 1]
  })
  expect_identical(unname(after), as.double(Nile[1:3]))
})
