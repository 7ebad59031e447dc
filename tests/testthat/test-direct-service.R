# The installed vemro-serve on a free loopback port over a copy of the
# example database, read through the real client library: the same
# results as the local engine, one request per chunk, sign-in with a users
# file, and a clean failure once the service is gone.

serveProgram <- function() system.file("bin", "vemro-serve", package = "Vemro")

# Starts the service and stops it when the calling test ends; the URL and
# the log file of its stderr.
startService <- function(root, users = NULL, envir = parent.frame()) {
  log <- tempfile("vemro-serve-", fileext = ".log")
  args <- c("--root", root, "--listen", "127.0.0.1:0", if (!is.null(users)) c("--users", users))
  process <- processx::process$new(serveProgram(), args, stdout = "|", stderr = log)
  withr::defer({
    process$kill()
    unlink(log)
  }, envir = envir)
  line <- character()
  deadline <- Sys.time() + 10
  while (length(line) == 0L && process$is_alive() && Sys.time() < deadline) {
    process$poll_io(1000)
    line <- process$read_output_lines(1)
  }
  if (length(line) == 0L) stop("vemro-serve did not start: ", paste(readLines(log), collapse = "\n"))
  url <- sub("^listening on ", "", line)
  withr::local_envvar(VEMRO_SERVICE = url, .local_envir = envir)
  list(process = process, url = url, log = log)
}

exampleRoot <- function(envir = parent.frame()) {
  root <- withr::local_tempdir(.local_envir = envir)
  file.copy(exampleDb(), file.path(root, "vemro-example.vdb"))
  root
}

skipWithoutService <- function() {
  skip_if_not_installed("processx")
  skip_if_not_installed("withr")
  skip_if_not(file.exists(serveProgram()), "vemro-serve is not installed")
}

# A line is logged once its answer went out, so the last one can trail the
# client's return by a moment: wait for `atLeast` lines, at most 2 s.
logLines <- function(service, pattern, atLeast = 0L) {
  deadline <- Sys.time() + 2
  repeat {
    count <- sum(grepl(pattern, readLines(service$log), fixed = TRUE))
    if (count >= atLeast || Sys.time() > deadline) return(count)
    Sys.sleep(0.02)
  }
}

test_that("the direct service serves what the local engine reads", {
  skipWithoutService()
  service <- startService(exampleRoot())
  yearly <- c("AIRPASS", "UKGAS", "JJ", "NILE", "CO2", "LYNX")
  daily <- c("AQOZONE", "AQSOLAR", "AQTEMP", "AQWIND")
  cases <- list(list(yearly, "annual", NULL, NULL), list(yearly, "quarterly", "1955Q1", "1962Q4"),
                list(yearly, "monthly", "1958-01", "1960-12"),
                list(daily, "weekly", "1973-05-01", "1973-09-30"),
                list(daily, "daily", "1973-04-15", "1973-10-15"))
  for (case in cases) {
    args <- list(case[[1]], frequency = case[[2]], start = case[[3]], end = case[[4]],
                 as = "matrix")
    local <- suppressWarnings(do.call(vemroFetch, c(args, databases = exampleDb(),
                                                     source = "local")))
    direct <- suppressWarnings(do.call(vemroFetch, c(args, databases = "vemro-example",
                                                      source = "direct")))
    expect_identical(direct, local, info = case[[2]])
    expect_gt(sum(!is.na(direct)), 0)
  }
  expect_gt(logLines(service, "POST /v1/data 200", 1L), 0)
})

test_that("a batch read reopening in the middle of chunks gives the local matrix, one request a chunk", {
  skipWithoutService()
  service <- startService(exampleRoot())
  monthly <- c("AIRPASS", "CO2", "NOTTEM", "UKDRIVER")
  codes <- rep(monthly, length.out = 2500)  # three chunks of at most 1000 codes
  n <- 312L  # January 1950 to December 1975
  before <- logLines(service, "POST /v1/data")
  direct <- vemroGetData(codes, "vemro-example", 195001, 197512, 40, n, direct = TRUE, reopen = 7)
  expect_identical(logLines(service, "POST /v1/data", before + 3L) - before, 3L)
  expect_gt(logLines(service, "GET /v1/open 200", 301L), 300)  # reopened every 7 series
  local <- vemroGetData(codes, exampleDb(), 195001, 197512, 40, n, reopen = 7)
  expect_identical(direct, local)
  expect_gt(sum(!is.na(direct[, "CO2"])), 100)
})

test_that("sign-in with a users file: the right key reads, a wrong one is refused unshown", {
  skipWithoutService()
  users <- withr::local_tempfile(fileext = ".json")
  key <- system2(serveProgram(), c("user", "add", users, "ann"), stdout = TRUE)
  expect_match(key, "^[A-Za-z0-9_-]{43}$")
  service <- startService(exampleRoot(), users = users)

  expect_identical(vemroAuthenticate("ann", key), 0L)
  direct <- vemroFetch("NILE", "vemro-example", source = "direct", as = "matrix")
  expect_identical(direct, vemroFetch("NILE", exampleDb(), as = "matrix"))

  wrong <- "wr0ng-key-never-shown"
  err <- expect_error(vemroAuthenticate("ann", wrong), class = "vemro_error_auth")
  expect_identical(err$status, 1001L)
  expect_false(grepl(wrong, conditionMessage(err), fixed = TRUE))
  log <- paste(readLines(service$log), collapse = "\n")
  expect_false(grepl(key, log, fixed = TRUE))
  expect_false(grepl(wrong, log, fixed = TRUE))
  expect_gt(logLines(service, "POST /v1/token 401", 1L), 0)
  # Signed out by the refusal, the service answers but opens nothing.
  err <- expect_error(vemroCodes("vemro-example", direct = TRUE), class = "vemro_error_open")
  expect_match(conditionMessage(err), "sign in with vemroAuthenticate()", fixed = TRUE)
})

test_that("a killed service gives vemro_error_unreachable within seconds", {
  skipWithoutService()
  service <- startService(exampleRoot())
  expect_identical(vemroGetData("NILE", "vemro-example", 1871, 1880, 10, 10L, direct = TRUE),
                   vemroGetData("NILE", exampleDb(), 1871, 1880, 10, 10L))
  service$process$kill()
  service$process$wait(5000)
  elapsed <- system.time({
    err <- expect_error(vemroAuthenticate("ann", "k3y-never-shown"),
                        class = "vemro_error_unreachable")
    expect_error(vemroGetData("NILE", "vemro-example", 1871, 1880, 10, 10L, direct = TRUE),
                 class = "vemro_error_unreachable")
  })[["elapsed"]]
  expect_identical(err$status, 1002L)
  expect_lt(elapsed, 15)
})
