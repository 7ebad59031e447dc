#' Information on many series, and a common range for them
#'
#' Reads the information records of series spread over one or more
#' databases, lists the series that could not be read by the reason, and
#' resolves one frequency, date range and observation count under which the
#' other series can be fetched together.
#'
#' This is a low-level function: it takes and returns the vendor's period
#' dates, frequency codes and raw attributes. Most users want
#' `vemroInfo()` instead, which takes dates and frequency names and returns
#' R's own classes.
#'
#' @param codes Series codes, a character vector.
#' @param databases The database of each series: one name for all of them,
#'   or one name per code. Databases are visited in the order in which they
#'   first appear.
#' @param frequency Target frequency code: 10, 30, 40, 51 to 57, 60 or 61,
#'   or 1000 for the lowest frequency among the series.
#' @param start,end Calendar dates (YYYYMMDD) of the range, or -1 to derive
#'   them from the series kept.
#' @param direct `TRUE` to read from the direct service, `FALSE` from local
#'   databases.
#' @param merge `TRUE` to have the vendor library merge data.
#' @param reopen The open database is closed and opened again after every
#'   `reopen` series read; a user interrupt is noticed there. A whole number
#'   of at least 1.
#' @param resolve `TRUE` to resolve a common frequency and range.
#' @return A list of four elements:
#'   \describe{
#'     \item{`info`}{A data frame with one row per series: `database`,
#'       `code`, `firstDate` and `lastDate` (calendar dates of the first and
#'       last observation), `attrA` (0 for a series without data),
#'       `frequency`, `attrB` to `attrF` and `textA` to `textF`. Series that
#'       were not read hold `NA` and empty strings.}
#'     \item{`failed`}{Positions in `codes` of the series that could not be
#'       read, in seven vectors: `notOpened` (the database did not open),
#'       `notFound`, `infoNotLoaded`, `sourceNotLoaded`, `status5`,
#'       `status6` and `otherStatus`.}
#'     \item{`setAside`}{Positions of the series left out of the range:
#'       `noData` (also series never read), `higherFrequency` and
#'       `lowerFrequency`; `NULL` when the series were not sorted, that is
#'       when `resolve` is `FALSE` or series failed for a reason other
#'       than `notOpened`.}
#'     \item{`range`}{`frequency`, `start` and `end` as period dates of that
#'       frequency (for the day-based frequencies the calendar days
#'       themselves, each a day of its period, not always the period's own
#'       date), and `observations`; `NULL` when no range was resolved
#'       (also when no series is left to resolve it from),
#'       that is when `resolve` is `FALSE` or series failed for a reason
#'       other than `notOpened`.}
#'   }
#' @section Databases replaced during a read: a batch read closes and
#'   reopens the database every `reopen` series, and each reopen sees the
#'   newest file. A read with a small `reopen` can therefore mix two
#'   versions of a database that `vemro-db import` replaces in the middle
#'   of it.
#' @export
vemroSeriesInfo <- function(codes, databases, frequency = 1000, start = -1, end = -1,
                            direct = FALSE, merge = FALSE, reopen = 500, resolve = TRUE) {
  checkStrings(codes, "codes")
  seriesDatabases <- seriesDatabases(databases, codes)
  checkTargetFrequency(frequency)
  checkRange(start, end)
  checkFlag(direct, "direct")
  checkFlag(merge, "merge")
  checkFlag(resolve, "resolve")
  checkPositive(reopen, "reopen")
  visited <- unique(seriesDatabases)
  n <- length(codes)
  failures <- c(list(integer(7)), replicate(7, integer(n), simplify = FALSE))
  range <- lapply(list(resolve, frequency, start, end, 0L), freshInteger)
  setAside <- list(NULL, integer(3), integer(n), integer(n), integer(n))
  columns <- .Call("call_vemroSeriesInfo", as.integer(direct), failures, nativeStrings(codes),
                   nativeStrings(seriesDatabases), nativeStrings(visited), length(visited), n, as.integer(merge), range,
                   setAside, as.integer(reopen), PACKAGE = "Vemro")
  counts <- failures[[1]]
  sorted <- resolve && all(counts[-1] == 0L)
  # With no series to resolve the bridge leaves its internal frequency 100:
  # there is no range then.
  resolved <- sorted && range[[2]][1] != noFrequency
  list(info = seriesInfoFrame(columns),
       failed = positionLists(failures[-1], counts, failureNames),
       setAside = if (sorted) positionLists(setAside[3:5], setAside[[2]], setAsideNames),
       range = if (resolved) stats::setNames(lapply(range[2:5], `[[`, 1L), rangeNames))
}

noFrequency <- 100L
failureNames <- c("notOpened", "notFound", "infoNotLoaded", "sourceNotLoaded", "status5",
                  "status6", "otherStatus")
setAsideNames <- c("noData", "higherFrequency", "lowerFrequency")
rangeNames <- c("frequency", "start", "end", "observations")
# The result columns, without the two that are always empty.
infoColumns <- c(database = 1L, code = 2L, firstDate = 4L, lastDate = 5L, attrA = 6L,
                 frequency = 7L, attrB = 8L, attrC = 9L, attrD = 10L, attrE = 11L,
                 attrF = 12L, textA = 13L, textB = 15L, textC = 16L, textD = 17L,
                 textE = 18L, textF = 19L)

seriesInfoFrame <- function(columns) {
  frame <- as.data.frame(stats::setNames(columns[infoColumns], names(infoColumns)),
                         stringsAsFactors = FALSE)
  texts <- startsWith(names(frame), "text")
  frame[texts] <- lapply(frame[texts], utf8Texts)
  frame
}

# The first counts[k] entries of list k, as 1-based positions.
positionLists <- function(lists, counts, names) {
  stats::setNames(lapply(seq_along(names), function(k) lists[[k]][seq_len(counts[k])] + 1L),
                  names)
}

# The bridge writes its results into these vectors in place, so each must
# be a vector of its own, never one shared with the caller.
freshInteger <- function(x) {
  fresh <- integer(1)
  fresh[1] <- as.integer(x)
  fresh
}

checkTargetFrequency <- function(frequency) {
  checkInteger(frequency, "frequency")
  if (!frequency %in% c(frequencyCodes, 1000L)) {
    argumentError(sprintf("`frequency` must be 1000 (the lowest among the series) or one of %s, not %d",
                 paste(frequencyCodes, collapse = ", "), as.integer(frequency)))
  }
  invisible(frequency)
}
