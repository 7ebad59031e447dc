# vemroAuthenticate against the double: statuses become classed errors that
# never show the key; credentials come from the environment when not given.

test_that("a refused sign-in raises a classed error that does not show the key", {
  resetDouble()
  script("QVBDAuthenticate", 1001L)
  err <- expect_error(vemroAuthenticate("alice", "s3cret-key"), class = "vemro_error_auth")
  expect_identical(err$status, 1001L)
  expect_match(conditionMessage(err), "refused the credentials of user \"alice\"", fixed = TRUE)
  expect_false(grepl("s3cret-key", conditionMessage(err), fixed = TRUE))
  script("QVBDAuthenticate", 1002L)
  err <- expect_error(vemroAuthenticate("alice", "s3cret-key"), class = "vemro_error_unreachable")
  expect_identical(err$status, 1002L)
  script("QVBDAuthenticate", 1006L)
  expect_error(vemroAuthenticate("alice", "s3cret-key"), "only over HTTPS", class = "vemro_error_auth")
})

test_that("an accepted sign-in returns 0 invisibly, credentials read from the environment", {
  resetDouble()
  script("QVBDAuthenticate", 0L)
  old <- Sys.getenv(c("VEMRO_USER", "VEMRO_KEY"), unset = NA)
  on.exit({
    Sys.unsetenv(names(old))
    if (any(!is.na(old))) do.call(Sys.setenv, as.list(old[!is.na(old)]))
  })
  Sys.setenv(VEMRO_USER = "bob", VEMRO_KEY = "from-env")
  expect_invisible(status <- vemroAuthenticate())
  expect_identical(status, 0L)
  expect_identical(vendorCalls(), "QVBDAuthenticate(\"bob\", \"from-env\")")
  Sys.unsetenv("VEMRO_KEY")
  expect_error(vemroAuthenticate("bob"), "`key` is not given and VEMRO_KEY is not set",
    class = "vemro_error_argument")
})
