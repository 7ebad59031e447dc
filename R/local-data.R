#' Observations of local series in one matrix
#'
#' Settles a frequency and date range common to a list of series held in
#' local databases, then fetches every series into one column of a matrix.
#' The requested frequency is lowered to the coarsest of the series' own
#' frequencies, never raised.
#'
#' @param codes Series codes, one column each.
#' @param databases Database name of each series: one name for all, or one
#'   per element of `codes`. Each database is opened once, in order of
#'   first appearance.
#' @param frequency Requested frequency code; the default 1000 asks for the
#'   coarsest frequency among the series.
#' @param start,end Calendar dates (YYYYMMDD) of the range, or -1 to take
#'   the earliest first and latest last observation of the series.
#' @return A double matrix with one row per period and one column per
#'   series, named by `codes`. Attributes `start` and `end` give the
#'   calendar dates of the last days of the first and last periods, and
#'   `frequency` the frequency code used. Periods a series does not cover
#'   hold whatever the library writes for them; a series that cannot be
#'   read fails the call with the library's message.
#' @examples
#' \dontrun{
#' vemroLocalData(c("GDP", "CPI"), "example", frequency = 30)
#' }
#' @export
vemroLocalData <- function(codes, databases, frequency = 1000, start = -1, end = -1) {
  checkStrings(codes, "codes")
  if (length(codes) == 0L) argumentError("`codes` must hold at least one code")
  databases <- seriesDatabases(databases, codes)
  checkTargetFrequency(frequency)
  checkInteger(start, "start")
  checkInteger(end, "end")
  range <- localRange(codes, databases, as.integer(frequency), as.integer(start),
                      as.integer(end))
  localMatrix(codes, databases, range)
}

localRange <- function(codes, databases, frequency, start, end) {
  listed <- unique(databases)
  range <- .C("getObsNum", listed, length(listed), databases, codes, length(codes),
              start = start, end = end, frequency = frequency, observations = integer(1),
              PACKAGE = "Vemro")
  if (!range$frequency %in% frequencyCodes) {
    argumentError(sprintf("`frequency` %d and the series' own frequencies give %d, which is not one of %s",
                 frequency, range$frequency, paste(frequencyCodes, collapse = ", ")))
  }
  range
}

localMatrix <- function(codes, databases, range) {
  rows <- max(range$observations, 0L)
  listed <- unique(databases)
  data <- .C("qvbGetData", listed, length(listed), databases, codes, length(codes),
             start = range$start, end = range$end, range$frequency, rows,
             matrix = rep(NA_real_, rows * length(codes)), NAOK = TRUE, PACKAGE = "Vemro")
  result <- matrix(data$matrix, nrow = rows, ncol = length(codes),
                   dimnames = list(NULL, codes))
  attr(result, "start") <- data$start
  attr(result, "end") <- data$end
  attr(result, "frequency") <- range$frequency
  result
}
