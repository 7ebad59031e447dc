#' Calendar dates of a run of periods
#'
#' Counts `n` consecutive periods of a frequency from a start period and
#' labels each with the calendar date of its last day.
#'
#' @param start Period date of the first period, in the form of the
#'   frequency: a year (annual), year * 10 + quarter (quarterly),
#'   year * 100 + month (monthly) or YYYYMMDD (day-based: the last day of
#'   a week, a weekday for business days).
#' @param n Number of periods.
#' @param frequency Frequency code: 10, 30, 40, 51 to 57, 60 or 61.
#' @return An integer vector of `n` calendar dates, YYYYMMDD.
#' @examples
#' vemroDateSeq(20201, 4, 30)
#' @export
vemroDateSeq <- function(start, n, frequency) {
  checkInteger(start, "start")
  checkCount(n, "n")
  checkFrequency(frequency)
  checkPeriodDate(start, frequency, "start", exact = TRUE)
  checkPeriodRun(start, n, frequency)
  .C("c_vemroDateSeq", as.integer(start), as.integer(n), as.integer(frequency),
     dates = integer(n), PACKAGE = "Vemro")$dates
}

frequencyCodes <- c(10L, 30L, 40L, 51:57, 60L, 61L)

checkFrequency <- function(frequency) {
  checkInteger(frequency, "frequency")
  if (!frequency %in% frequencyCodes) {
    argumentError(sprintf("`frequency` must be one of %s, not %d",
                 paste(frequencyCodes, collapse = ", "), as.integer(frequency)))
  }
  invisible(frequency)
}
