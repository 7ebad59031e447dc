#' Observations of many series in one matrix
#'
#' Reads the observations of series spread over several databases, all at
#' one frequency and over one range of periods, into a matrix with one
#' column per series. Each database is visited once, in the order in which
#' it first appears in `databases`.
#'
#' This is a low-level function: it takes and returns the vendor's period
#' dates, frequency codes and raw attributes. Most users want
#' `vemroFetch()` instead, which takes dates and frequency names and returns
#' R's own classes.
#'
#' @param codes Series codes, a character vector.
#' @param databases The database of each series: one name per series, or
#'   one name for all of them.
#' @param start,end Period dates of the first and last observation, in the
#'   form of `frequency`: a year, year * 10 + quarter, year * 100 + month or
#'   YYYYMMDD; for the day-based frequencies any day names the period that
#'   holds it. `start` must not come after `end`.
#' @param frequency Frequency code: 10, 30, 40, 51 to 57, 60 or 61.
#' @param observations Number of observations from `start` to `end` at
#'   `frequency`: the number of rows of the matrix. Any other number is
#'   refused.
#' @param direct `TRUE` to read from the direct service, `FALSE` for local
#'   database files.
#' @param merge `TRUE` to ask the vendor library for merged data.
#' @param reopen After every `reopen` series read, the open database is
#'   closed and opened again; this is also where a long read can be
#'   interrupted. At least 1.
#' @return A numeric matrix of `observations` rows with one column per
#'   series, named by its code. The vendor library writes each series'
#'   observations into its column; what it leaves unwritten is `NA`.
#' @section Databases replaced during a read: a batch read closes and
#'   reopens the database every `reopen` series, and each reopen sees the
#'   newest file. A read with a small `reopen` can therefore mix two
#'   versions of a database that `vemro-db import` replaces in the middle
#'   of it.
#' @export
vemroGetData <- function(codes, databases, start, end, frequency, observations,
                         direct = FALSE, merge = FALSE, reopen = 500) {
  checkStrings(codes, "codes")
  databases <- seriesDatabases(databases, codes)
  checkInteger(start, "start")
  checkInteger(end, "end")
  checkFrequency(frequency)
  checkPeriodDate(start, frequency, "start")
  checkPeriodDate(end, frequency, "end")
  if (start > end) argumentError("`start` must not come after `end`")
  checkObservations(observations, periodCount(start, end, frequency))
  checkFlag(direct, "direct")
  checkFlag(merge, "merge")
  checkPositive(reopen, "reopen")
  # The series at `which`; after a failure, one at a time, to find the
  # series whose observations could not be read.
  readSeries <- function(which) {
    visited <- unique(databases[which])
    data <- matrix(NA_real_, nrow = observations, ncol = length(which),
                   dimnames = list(NULL, codes[which]))
    .C("c_vemroGetData", as.integer(direct), data = data, nativeStrings(codes[which]),
       nativeStrings(databases[which]), nativeStrings(visited), length(visited), length(which),
       as.integer(start), as.integer(end), as.integer(frequency), as.integer(merge),
       as.integer(observations), as.integer(reopen), NAOK = TRUE, PACKAGE = "Vemro")$data
  }
  tryCatch(readSeries(seq_along(codes)), error = function(e) {
    explainReadFailure(e, codes, databases, frequency, direct, readSeries)
  })
}

# The matrix has one row per period: fewer would have the library write
# past its columns, more would only be rows of NA (and a typo of a huge
# count would take all memory).
checkObservations <- function(observations, periods) {
  checkCount(observations, "observations")
  if (observations != periods) {
    argumentError(sprintf("`observations` is %s, but there are %s periods from `start` to `end`",
                          format(observations, scientific = FALSE),
                          format(periods, scientific = FALSE)))
  }
  invisible(observations)
}
