#' Observations of local series in one matrix
#'
#' Settles a frequency and date range common to a list of series held in
#' local databases, then fetches every series into one column of a matrix.
#' The requested frequency is lowered to the coarsest of the series' own
#' frequencies, never raised.
#'
#' This is a low-level function: it takes and returns the vendor's period
#' dates, frequency codes and raw attributes. Most users want
#' `vemroFetch()` instead, which takes dates and frequency names and returns
#' R's own classes.
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
#'   calendar dates of the last days of the first and last periods (for
#'   the day-based frequencies the days themselves, each a day of its
#'   period), and
#'   `frequency` the frequency code used. Periods a series does not cover
#'   are `NA`. A series without data, or one that cannot be converted to
#'   the frequency (its aggregation type forbids it, or its frequency is
#'   lower), is left out of the range and keeps a column of `NA`; one
#'   warning names each such series and why. A series that cannot be read
#'   fails the call with the library's message, and so does a range that
#'   holds no period (a `start` after the series' last observation).
#' @section Databases replaced during a read: a batch read closes and
#'   reopens the database every `reopen` series (500 for this function),
#'   and each reopen sees the newest file. A read with a small interval
#'   can therefore mix two versions of a database that `vemro-db import`
#'   replaces in the middle of it.
#' @examples
#' vemroLocalData(c("AIRPASS", "UKGAS"), vemroExampleDb(), frequency = 30,
#'                start = 19600101)
#' @export
vemroLocalData <- function(codes, databases, frequency = 1000, start = -1, end = -1) {
  checkStrings(codes, "codes")
  if (length(codes) == 0L) argumentError("`codes` must hold at least one code")
  databases <- seriesDatabases(databases, codes)
  checkTargetFrequency(frequency)
  checkRange(start, end)
  left <- leftOutSeries(codes, databases, frequency, start, end)
  kept <- setdiff(seq_along(codes), left$positions)
  if (length(kept) == 0L) return(emptyLocalMatrix(codes, frequency))
  data <- localChain(codes[kept], databases[kept], frequency, start, end)
  result <- matrix(NA_real_, nrow = nrow(data), ncol = length(codes),
                   dimnames = list(NULL, codes))
  result[, kept] <- data
  attributes(result) <- c(attributes(result), attributes(data)[c("start", "end", "frequency")])
  result
}

# Series that have no data, or whose frequency cannot be converted to the
# one asked for, would drag the common range back to year 0 or give a
# column of NA without a word: they are left out of the range, keep an NA
# column, and one warning names each with its reason.
leftOutSeries <- function(codes, databases, frequency, start, end) {
  info <- vemroSeriesInfo(codes, databases, frequency, start, end)
  setAside <- info$setAside
  if (is.null(setAside)) return(list(positions = integer(0)))
  reasons <- rep(c(noData = "no data", higherFrequency = "cannot be converted to the frequency",
                   lowerFrequency = "lower frequency than the one asked for")[names(setAside)],
                 lengths(setAside))
  positions <- unlist(setAside, use.names = FALSE)
  # A series that could not be read at all counts as having no data here;
  # it stays in, so that the chain's own error says why.
  unread <- positions %in% unlist(info$failed, use.names = FALSE)
  reasons <- reasons[!unread]
  positions <- positions[!unread]
  reasons <- reasons[order(positions)]
  positions <- sort(positions)
  if (length(positions) > 0L) {
    warning(warningCondition(
      paste0("left out of the range: ",
             paste0(shownText(codes[positions]), " (", reasons, ")", collapse = ", ")),
      class = c("vemro_warning_outcome", "vemro_warning")))
  }
  list(positions = positions)
}

emptyLocalMatrix <- function(codes, frequency) {
  result <- matrix(NA_real_, nrow = 0L, ncol = length(codes), dimnames = list(NULL, codes))
  attr(result, "frequency") <- as.integer(frequency)
  result
}

# The older local chain: the range that getObsNum settles for the series,
# then their observations through qvbGetData.
localChain <- function(codes, databases, frequency, start, end) {
  tryCatch({
    range <- localRange(codes, databases, as.integer(frequency), as.integer(start),
                        as.integer(end))
    if (range$observations < 1L) {
      argumentError(sprintf(paste("the range from %d to %d holds no period: `start` comes after",
                                  "the last observation of the series, or `end` before the first"),
                            range$start, range$end))
    }
    localMatrix(codes, databases, range)
  }, error = function(e) explainReadFailure(e, codes, databases, frequency))
}

localRange <- function(codes, databases, frequency, start, end) {
  listed <- unique(databases)
  range <- .C("getObsNum", nativeStrings(listed), length(listed), nativeStrings(databases),
              nativeStrings(codes), length(codes),
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
  data <- .C("qvbGetData", nativeStrings(listed), length(listed), nativeStrings(databases),
             nativeStrings(codes), length(codes),
             start = range$start, end = range$end, range$frequency, rows,
             matrix = rep(NA_real_, rows * length(codes)), NAOK = TRUE, PACKAGE = "Vemro")
  result <- matrix(data$matrix, nrow = rows, ncol = length(codes),
                   dimnames = list(NULL, codes))
  attr(result, "start") <- data$start
  attr(result, "end") <- data$end
  attr(result, "frequency") <- range$frequency
  result
}
