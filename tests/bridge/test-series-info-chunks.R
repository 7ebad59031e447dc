# The chunk each direct information request carried, by the position of the
# series it was made for (all series of one database, read in order).
chunksByPosition <- function(calls) {
  requests <- grep("^QVBDGetInfo", calls, value = TRUE)
  chunks <- sub("^QVBDGetInfo\\(NULL, (.*)\\)$", "\\1", requests)
  carried <- which(chunks != "NULL")
  stats::setNames(gsub("\"", "", chunks[carried]), carried - 1L)
}

test_that("chunks are built at every thousandth position, 1000 positions wide", {
  resetDouble()
  codes <- sprintf("S%d", 0:2499)
  seriesInfo(codes, rep("A", 2500), direct = 1L)
  calls <- vendorCalls()
  expect_identical(sum(grepl("^QVBDGetInfo", calls)), 2500L)
  # Each chunk goes with one request; the others carry none.
  expect_identical(chunksByPosition(calls), c(
    "0" = paste(codes[1:1000], collapse = ","), "1000" = paste(codes[1001:2000], collapse = ","),
    "2000" = paste(codes[2001:2500], collapse = ",")))
})

test_that("a window holding none of the database's series gives a chunk no request carries", {
  resetDouble()
  databases <- rep(c("B", "A"), c(1000, 500))
  codes <- sprintf("S%d", 0:1499)
  seriesInfo(codes, databases, databases = "A", direct = 1L)
  expect_identical(chunksByPosition(vendorCalls()),
                   c("0" = paste(codes[1001:1500], collapse = ",")))
})

test_that("a series that got no request renews the chunk at the next series read", {
  resetDouble()
  scriptAll("QVBDOpenDatabase", c(0L, 1L, 0L))
  scriptInfo(TRUE, record("A1"), record("A2"), record("A5"), record("A6"))
  result <- seriesInfo(sprintf("A%d", 1:6), rep("A", 6), direct = 1L, reopen = 2L)
  # A3 and A4 went without their requests, so A5's request names A5 first.
  expect_identical(grep("Info", vendorCalls(), value = TRUE), c(
    "QVBDGetInfo(NULL, \"A1,A2,A3,A4,A5,A6\")", "QVBDGetInfo(NULL, NULL)",
    "QVBDGetInfo(NULL, \"A5,A6\")", "QVBDGetInfo(NULL, NULL)"))
  expect_identical(result$failed[[1]], c(2L, 3L))
  expect_identical(result$columns[[2]], c("A1", "A2", "", "", "A5", "A6"))
})

test_that("a pending chunk whose first series went unread is renewed too", {
  resetDouble()
  scriptAll("QVBDOpenDatabase", c(1L, 0L))
  result <- seriesInfo(sprintf("A%d", 1:4), rep("A", 4), direct = 1L, reopen = 2L)
  expect_identical(grep("Info", vendorCalls(), value = TRUE), c(
    "QVBDGetInfo(NULL, \"A3,A4\")", "QVBDGetInfo(NULL, NULL)"))
  expect_identical(result$failed[[1]], c(0L, 1L))
})

test_that("a window whose codes do not fit one chunk goes on in chunks of their own", {
  resetDouble()
  # 21 bytes a code with its comma: 476 codes fill a chunk.
  codes <- sprintf("C%019d", 0:1099)
  seriesInfo(codes, rep("A", 1100), direct = 1L)
  chunks <- chunksByPosition(vendorCalls())
  expect_identical(names(chunks), c("0", "476", "952", "1000"))
  expect_identical(unname(chunks), c(
    paste(codes[1:476], collapse = ","), paste(codes[477:952], collapse = ","),
    paste(codes[953:1000], collapse = ","), paste(codes[1001:1100], collapse = ",")))
  expect_true(all(nchar(chunks) < 10000))
})

test_that("a code too long for any chunk is refused before any vendor call", {
  resetDouble()
  long <- strrep("x", 10000)
  expect_identical(
    errorMessage(seriesInfo(c("A1", long), c("A", "A"), direct = 1L)),
    "`codes` element 2 is 10000 bytes long; the direct service takes codes of at most 9999 bytes")
  expect_length(vendorCalls(), 0)
  # The local library takes it.
  expect_identical(seriesInfo(c("A1", long), c("A", "A"))$counts, rep(0L, 7))
})
