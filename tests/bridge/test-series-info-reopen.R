test_that("the periodic step is tested at every position, matching or not", {
  for (direct in c(FALSE, TRUE)) {
    resetDouble()
    result <- seriesInfo(c("A1", "A2", "B1", "B2"), c("A", "A", "B", "B"), reopen = 2L,
                         direct = direct)
    info <- function(code, chunk) {
      if (direct) sprintf("QVBDGetInfo(NULL, %s)", chunk) else sprintf("QVBGetInfo(NULL, \"%s\")", code)
    }
    # Only the local close, in both modes.
    step <- function(database) c("QVBCloseDatabase()", openCall(direct, database))
    expect_identical(vendorCalls(), c(
      setUpCalls(direct), openCall(direct, "A"),
      info("A1", "\"A1,A2\""), info("A2", "NULL"), step("A"), step("A"),
      openCall(direct, "B"), step("B"), step("B"), step("B"),
      info("B1", "\"B1,B2\""), info("B2", "NULL"), restoreCalls(direct)))
    expect_identical(result$counts, rep(0L, 7))
  }
})

test_that("a database that did not open is read again after a reopen that succeeds", {
  resetDouble()
  scriptAll("QVBOpenDatabase", c(1L, 0L))
  scriptInfo(FALSE, record("A3"), record("A4"))
  result <- seriesInfo(sprintf("A%d", 1:4), rep("A", 4), reopen = 2L)
  expect_identical(vendorCalls(), c(
    setUpCalls(), openCall(FALSE, "A"), "QVBCloseDatabase()", openCall(FALSE, "A"),
    "QVBGetInfo(NULL, \"A3\")", "QVBGetInfo(NULL, \"A4\")", restoreCalls()))
  expect_identical(result$failed[[1]], c(0L, 1L))
  expect_identical(result$columns[[2]], c("", "", "A3", "A4"))
})

test_that("a reopen interval below 1 is refused before any vendor call", {
  resetDouble()
  for (reopen in c(0L, -5L, NA)) {
    expect_identical(errorMessage(seriesInfo("A1", "A", reopen = reopen)),
                     "`reopenInterval` must be a whole number of at least 1")
  }
  expect_length(vendorCalls(), 0)
})

# R honours an elapsed-time limit at its interrupt checks, but looks at the
# clock only now and then. With a reopen interval of 1 and one series of A
# first, the step runs at every one of many later positions, so the limit
# is met in a step, right after the close.
interruptInSteps <- function(direct) {
  n <- 200000L
  resetDouble()
  on.exit(setTimeLimit())
  errorMessage(.Call(
    "call_vemroSeriesInfo", as.integer(direct),
    c(list(integer(7)), replicate(7, integer(n), simplify = FALSE)),
    rep(c("A1", "B"), c(1, n - 1)), rep(c("A", "B"), c(1, n - 1)), "A", 1L, n, 0L,
    lapply(1:5, function(i) integer(1)), NULL, {
      setTimeLimit(elapsed = 0.01, transient = TRUE)
      1L
    }, PACKAGE = "Vemro"))
}

test_that("a user interrupt in the periodic step ends the call right after the close", {
  for (direct in c(FALSE, TRUE)) {
    expect_identical(interruptInSteps(direct), "reached elapsed time limit")
    calls <- vendorCalls()
    first <- if (direct) "QVBDGetInfo(NULL, \"A1\")" else "QVBGetInfo(NULL, \"A1\")"
    expect_identical(head(calls, 6), c(setUpCalls(direct), openCall(direct, "A"), first))
    # Steps only, each a close and a reopen, and nothing after the last close.
    steps <- calls[-(1:6)]
    expect_identical(steps, rep(c("QVBCloseDatabase()", openCall(direct, "A")),
                                length.out = length(steps)))
    expect_identical(tail(steps, 1), "QVBCloseDatabase()")
    # The next call runs normally.
    resetDouble()
    expect_identical(seriesInfo("A1", "A", direct = direct)$counts, rep(0L, 7))
  }
})
