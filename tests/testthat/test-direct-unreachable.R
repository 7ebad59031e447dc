# The real client library with no service behind its address: every call
# fails cleanly and quickly, and credentials are never sent in clear to
# another machine. Only loopback is ever contacted.

withService <- function(url, code) {
  old <- Sys.getenv("VEMRO_SERVICE", unset = NA)
  on.exit(if (is.na(old)) Sys.unsetenv("VEMRO_SERVICE") else Sys.setenv(VEMRO_SERVICE = old))
  Sys.setenv(VEMRO_SERVICE = url)
  force(code)
}

# Nothing listens on port 1 of this machine: connections are refused.
nobody <- "http://127.0.0.1:1"

test_that("a service that is not there gives a clean error within seconds", {
  withService(nobody, {
    elapsed <- system.time({
      expect_error(vemroCodes("vemro-example", direct = TRUE),
                   "the direct service at http://127.0.0.1:1 cannot be reached",
                   class = "vemro_error_unreachable")
      expect_error(vemroFetch("AIRPASS", "vemro-example", source = "direct"),
                   class = "vemro_error_unreachable")
      expect_error(vemroInfo(c("AIRPASS", "NILE"), "vemro-example", source = "direct"),
                   class = "vemro_error_unreachable")
      expect_error(vemroGetData("AIRPASS", "vemro-example", 1950, 1951, 10, 2L, direct = TRUE),
                   class = "vemro_error_unreachable")
    })[["elapsed"]]
    expect_lt(elapsed, 15)
    err <- expect_error(vemroAuthenticate("ann", "k3y-never-shown"),
      class = "vemro_error_unreachable")
    expect_identical(err$status, 1002L)
    expect_false(grepl("k3y-never-shown", conditionMessage(err), fixed = TRUE))
  })
})

test_that("an address that is not http or https is named as such, not as unreachable", {
  for (address in c("ftp://127.0.0.1:9", "not a url")) {
    withService(address, {
      expected <- sprintf("VEMRO_SERVICE (%s) is not an http:// or https:// address", address)
      expect_error(vemroCodes("vemro-example", direct = TRUE), expected, fixed = TRUE,
                   class = "vemro_error_unreachable")
      expect_error(vemroAuthenticate("ann", "k3y-never-shown"), expected, fixed = TRUE,
                   class = "vemro_error_unreachable")
    })
  }
})

test_that("credentials are refused before any connection to a plain-HTTP remote host", {
  # A documentation address (TEST-NET-1): the refusal comes first, so no
  # connection is ever tried.
  withService("http://192.0.2.1:8750", {
    elapsed <- system.time(
      err <- expect_error(vemroAuthenticate("ann", "k3y-never-shown"), "only over HTTPS",
        class = "vemro_error_auth")
    )[["elapsed"]]
    expect_identical(err$status, 1006L)
    expect_false(grepl("k3y-never-shown", conditionMessage(err), fixed = TRUE))
    expect_lt(elapsed, 1)
  })
})
