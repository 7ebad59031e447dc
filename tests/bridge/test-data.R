test_that("a local retrieval takes over the settings, visits each database in turn, restores", {
  resetDouble()
  script("QVBGetMergeData", 7L)
  getData(c("a1", "b1", "a2"), c("A", "B", "A"), databases = c("B", "A"))
  expect_identical(vendorCalls(), c(
    strideCheck(), settingsTakeOver("QVB", 1),
    'QVBOpenDatabase("B")', localFetch("B", "b1"),
    'QVBOpenDatabase("A")', localFetch("A", "a1"), localFetch("A", "a2"),
    "QVBSetMergeData(7)", "QVBCloseDatabase()"))
})

test_that("a direct retrieval switches retries off after each head open and hands one chunk", {
  resetDouble()
  script("QVBDGetMergeData", 2L)
  script("QVBDOpenDatabase", 5L)
  expect_identical(errorMessage(getData("a1", "A", direct = 1L)),
                   "API: Unable to open database.")
  expect_identical(vendorCalls(), c(
    strideCheck("QVBD"), settingsTakeOver("QVBD", 1), 'QVBDOpenDatabase("A")',
    "QVBDEnableRetries(0)"))
  resetDouble()
  script("QVBDGetMergeData", 2L)
  getData(c("a1", "b1", "a2", "a3"), c("A", "B", "A", "A"), databases = c("B", "A"),
          direct = 7L, merge = 1L)
  expect_identical(vendorCalls(), c(
    strideCheck("QVBD"), settingsTakeOver("QVBD", 3),
    'QVBDOpenDatabase("B")', "QVBDEnableRetries(0)", directFetch("B", "b1"),
    'QVBDOpenDatabase("A")', "QVBDEnableRetries(0)", directFetch("A", "a1,a2,a3"),
    directFetch("A"), directFetch("A"),
    "QVBDSetMergeData(2)", "QVBDCloseDatabase()"))
})

test_that("a stride below the library's count is refused before any setting or open", {
  for (direct in 0:1) {
    prefix <- if (direct) "QVBD" else "QVB"
    resetDouble()
    script(paste0(prefix, "GetObsNum"), 3L)
    expect_identical(
      errorMessage(getData(c("a1", "a2"), "A", stride = 2L, matrix = rep(-1, 4), direct = direct)),
      "Column stride 2 is smaller than the 3 observations from 20201 to 20204 at frequency 30")
    expect_identical(vendorCalls(), strideCheck(prefix))
    resetDouble()
    script(paste0(prefix, "GetObsNum"), 2L)
    getData("a1", "A", stride = 2L, direct = direct)
    expect_true(any(startsWith(vendorCalls(), paste0(prefix, "GetData("))))
  }
})

test_that("the merge flag chooses setting 3 and the saved setting comes back", {
  for (direct in 0:1) {
    prefix <- if (direct) "QVBD" else "QVB"
    resetDouble()
    script(paste0(prefix, "GetMergeData"), 0L)
    getData("a1", "A", merge = -4L, direct = direct)
    expect_identical(callsOf(paste0(prefix, "SetMergeData")),
                     paste0(prefix, c("SetMergeData(3)", "SetMergeData(0)")))
  }
})

test_that("series k lands in column k whatever the visiting order; others keep their values", {
  for (direct in 0:1) {
    resetDouble()
    fetch <- if (direct) "QVBDGetData" else "QVBGetData"
    script(fetch, data = c(31, 32, 33))
    script(fetch, data = c(11, 12, 13))
    matrix <- getData(c("b", "x", "a", "y"), c("B", "a", "A", "C"), databases = c("A", "B"),
                      stride = 3L, matrix = rep(-1, 12), direct = direct)
    expect_identical(matrix, c(11, 12, 13, -1, -1, -1, 31, 32, 33, -1, -1, -1))
  }
})

test_that("a database listed twice is fetched twice into the same columns", {
  resetDouble()
  script("QVBGetData", data = 1)
  script("QVBGetData", data = 2)
  expect_identical(getData("a", "A", databases = c("A", "A"), stride = 1L), 2)
  expect_identical(callsOf("QVBOpenDatabase"), rep('QVBOpenDatabase("A")', 2))
})

test_that("nothing to visit or nothing to fetch still restores and closes once", {
  resetDouble()
  script("QVBGetMergeData", 9L)
  expect_identical(getData(c("a", "b"), c("A", "B"), databases = character(0),
                           matrix = 1:4), as.double(1:4))
  expect_identical(vendorCalls(), c(strideCheck(), settingsTakeOver("QVB", 1),
                                    "QVBSetMergeData(9)",
                                    "QVBCloseDatabase()"))
  resetDouble()
  script("QVBDGetMergeData", 9L)
  getData(character(0), character(0), databases = c("A", "B"), direct = 1L)
  expect_identical(vendorCalls(), c(
    strideCheck("QVBD"), settingsTakeOver("QVBD", 1), 'QVBDOpenDatabase("A")', "QVBDEnableRetries(0)",
    'QVBDOpenDatabase("B")', "QVBDEnableRetries(0)", "QVBDSetMergeData(9)",
    "QVBDCloseDatabase()"))
})

test_that("the periodic reopen is tested at every position, fetched or not", {
  resetDouble()
  getData(c("a1", "a2", "a3"), rep("A", 3), reopen = 2L)
  expect_identical(vendorCalls()[-(1:5)], c(
    'QVBOpenDatabase("A")', localFetch("A", "a1"), localFetch("A", "a2"),
    "QVBCloseDatabase()", 'QVBOpenDatabase("A")', localFetch("A", "a3"),
    "QVBSetMergeData(0)", "QVBCloseDatabase()"))
  resetDouble()
  getData(c("a1", "a2", "b3"), c("A", "A", "B"), reopen = 2L, direct = 1L)
  reopenB <- c("QVBCloseDatabase()", 'QVBDOpenDatabase("B")')
  expect_identical(vendorCalls()[-(1:5)], c(
    'QVBDOpenDatabase("A")', "QVBDEnableRetries(0)", directFetch("A", "a1,a2"),
    directFetch("A"), "QVBCloseDatabase()", 'QVBDOpenDatabase("A")',
    'QVBDOpenDatabase("B")', "QVBDEnableRetries(0)", reopenB, reopenB, reopenB,
    directFetch("B", "b3"), "QVBDSetMergeData(0)", "QVBDCloseDatabase()"))
})

test_that("with a reopen interval of 1 every position after the first fetch reopens", {
  resetDouble()
  getData(c("a1", "b2", "a3"), c("A", "B", "A"), databases = "A", reopen = 1L)
  expect_identical(vendorCalls()[6:12], c(
    'QVBOpenDatabase("A")', localFetch("A", "a1"), "QVBCloseDatabase()",
    'QVBOpenDatabase("A")', "QVBCloseDatabase()", 'QVBOpenDatabase("A")',
    localFetch("A", "a3")))
})

test_that("a failing open or reopen raises code 1 and leaves merge-data as set", {
  resetDouble()
  script("QVBOpenDatabase", 0L)
  script("QVBOpenDatabase", 0L)
  script("QVBOpenDatabase", 4L)
  expect_identical(errorMessage(getData(c("a", "b", "c"), c("A", "B", "C"))),
                   "API: Unable to open database.")
  expect_identical(tail(vendorCalls(), 2), c(localFetch("B", "b"), 'QVBOpenDatabase("C")'))
  expect_identical(callsOf("QVBSetMergeData"), "QVBSetMergeData(1)")
  for (direct in 0:1) {
    open <- if (direct) "QVBDOpenDatabase" else "QVBOpenDatabase"
    resetDouble()
    script(open, 0L)
    script(open, 11L)
    expect_identical(errorMessage(getData(c("a", "b"), c("A", "A"), reopen = 1L,
                                          direct = direct)),
                     "API: Unable to open database.")
    expect_identical(tail(vendorCalls(), 2), c("QVBCloseDatabase()", sprintf('%s("A")', open)))
  }
})

test_that("a failing fetch raises its own status, unchanged", {
  for (direct in 0:1) {
    fetch <- if (direct) "QVBDGetData" else "QVBGetData"
    for (case in list(c(2, "API: Unable to find variable name."),
                      c(-1, "API: Unknown error."),
                      c(11, "API: Unable to re-open database."),
                      c(4, "API: Unable to load source information."))) {
      resetDouble()
      script(fetch, 0L, data = 1)
      script(fetch, as.integer(case[[1]]), data = 2)
      matrix <- rep(0, 3)
      expect_identical(errorMessage(getData(c("a", "b", "c"), rep("A", 3), stride = 1L,
                                            direct = direct)), case[[2]])
      expect_length(callsOf(fetch), 2)
      expect_identical(tail(vendorCalls(), 1), tail(callsOf(fetch), 1))
    }
  }
})

test_that("chunks cover 1000 positions each and go with exactly one fetch", {
  resetDouble()
  codes <- sprintf("s%d", 1:2500)
  getData(codes, rep("A", 2500), direct = 1L, stride = 0L)
  chunks <- fetchedChunks()
  expect_length(chunks, 2500)
  expect_identical(which(!is.na(chunks)), c(1L, 1001L, 2001L))
  expect_identical(chunks[[1]], paste(codes[1:1000], collapse = ","))
  expect_identical(chunks[[1001]], paste(codes[1001:2000], collapse = ","))
  expect_identical(chunks[[2001]], paste(codes[2001:2500], collapse = ","))
})

test_that("a chunk built where no series of the database sits goes to its first fetch", {
  resetDouble()
  databases <- c(rep("B", 1003), "A", "B", "A")
  codes <- sprintf("s%d", seq_along(databases))
  getData(codes, databases, databases = "A", direct = 1L, stride = 0L)
  expect_identical(callsOf("QVBDGetData"),
                   c(directFetch("A", "s1004,s1006"), directFetch("A")))
})

test_that("codes too many for one chunk buffer start a new chunk where the last one ended", {
  resetDouble()
  codes <- sprintf("series-code-%08d", 1:1500)  # 21 bytes each with its comma
  databases <- rep(c("A", "B", "A"), 500)
  getData(codes, databases, databases = "A", direct = 1L, stride = 0L)
  expect_identical(servedCodes(), codes[databases == "A"])
  chunks <- fetchedChunks()
  expect_true(all(nchar(chunks[!is.na(chunks)]) < 10000))
  # 476 codes fill a chunk: the first window's chunk ends early and the
  # next is built there; the window at position 1000 (fetch 668) fits whole.
  expect_identical(which(!is.na(chunks)), c(1L, 477L, 668L))
})

test_that("malformed counts, stride, reopen interval and codes are refused before any call", {
  resetDouble()
  expect_identical(errorMessage(getData("a", "A", stride = -1L, matrix = 0)),
                   "column stride must not be negative, not -1")
  expect_identical(errorMessage(getData("a", "A", reopen = 0L)),
                   "reopen interval must be at least 1, not 0")
  expect_identical(errorMessage(getData("a", "A", seriesCount = -2L)),
                   "series count must not be negative, not -2")
  long <- strrep("x", 10000)
  expect_identical(
    errorMessage(getData(c("a", long), c("A", "B"), direct = 1L)),
    "series code 2 is 10000 bytes long; the direct service takes codes of at most 9999 bytes")
  expect_length(vendorCalls(), 0)
  getData(c("a", long), c("A", "B"), direct = 0L)
  expect_identical(callsOf("QVBGetData")[[2]], localFetch("B", long))
})

test_that("an interrupt at the periodic step ends the call cleanly", {
  resetDouble()
  on.exit(setTimeLimit(), add = TRUE)
  count <- 1e6
  setTimeLimit(elapsed = 0.2, transient = TRUE)
  message <- errorMessage(getData(rep("a", count), rep("A", count), reopen = 1L, stride = 0L,
                                  seriesCount = count, direct = 1L))
  setTimeLimit()
  expect_match(message, "elapsed time limit")
  calls <- vendorCalls()
  expect_identical(tail(calls, 1), "QVBCloseDatabase()")
  expect_lt(length(callsOf("QVBDGetData")), count)
  expect_identical(callsOf("QVBDSetMergeData"), "QVBDSetMergeData(1)")
  resetDouble()
  expect_identical(getData("a", "A", stride = 1L, direct = 1L), 0)
})
