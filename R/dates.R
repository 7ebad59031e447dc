#' Period dates and calendar dates
#'
#' `vemroPeriodOf()` gives the period date of the period that holds each
#' calendar date; `vemroDateOf()` gives the calendar date of the last day of
#' each period. Both are vectorised and follow the engine's calendar: a week
#' ends on its named weekday, and a Saturday or Sunday belongs to the
#' business day of the Friday before.
#'
#' @param dates Calendar dates, a `Date` vector.
#' @param periods Period dates in the form of the frequency: a year, year *
#'   10 + quarter, year * 100 + month, or YYYYMMDD for day-based frequencies.
#' @param frequency A frequency name (`"annual"`, `"quarterly"`,
#'   `"monthly"`, `"weekly"` or `"weekly-mon"` to `"weekly-sun"`,
#'   `"business"`, `"daily"`) or code (10, 30, 40, 51 to 57, 60, 61).
#'   `"weekly"` alone means weeks ending on Friday.
#' @return `vemroPeriodOf()`: an integer vector of period dates.
#'   `vemroDateOf()`: a `Date` vector. Both give `NA` where there is no
#'   such period: outside the years 1 to 9999 (a week that ends in the
#'   year 10000 included), and for a number that is no period date of the
#'   frequency.
#' @examples
#' vemroPeriodOf(as.Date(c("2020-02-15", "2020-11-30")), "quarterly")
#' vemroDateOf(c(20201L, 20204L), "quarterly")
#' @export
vemroPeriodOf <- function(dates, frequency) {
  if (!inherits(dates, "Date")) argumentError("`dates` must be a Date vector")
  frequency <- frequencyCode(frequency)
  # Only the days of the years 1 to 9999 have period dates.
  dates[!is.na(dates) & (dates < as.Date("0001-01-01") | dates > as.Date("9999-12-31"))] <- NA
  parts <- as.POSIXlt(dates)
  year <- parts$year + 1900L
  month <- parts$mon + 1L
  periods <- switch(as.character(frequency),
    "10" = year,
    "30" = year * 10L + (month - 1L) %/% 3L + 1L,
    "40" = year * 100L + month,
    "60" = yyyymmdd(dates - pmax(parts$wday - 5L, 0L) - 2L * (parts$wday == 0L)),
    "61" = yyyymmdd(dates),
    yyyymmdd(dates + ((frequency - 50L) %% 7L - parts$wday) %% 7L))
  # A week that ends after 9999-12-31 has no period date either.
  periods[periods > 99991231L] <- NA
  as.integer(periods)
}

#' @rdname vemroPeriodOf
#' @export
vemroDateOf <- function(periods, frequency) {
  if (!is.numeric(periods)) argumentError("`periods` must be a numeric vector")
  frequency <- frequencyCode(frequency)
  # Beyond the integer range there is no period: NA, quietly.
  periods <- suppressWarnings(as.integer(periods))
  if (frequency >= 51L) {
    # A day is a period date only of its own period: a weekly date is the
    # week's last day, a business date a weekday.
    periods[!periods %/% 10000L %in% 1:9999] <- NA
    days <- dateOfYyyymmdd(periods)
    own <- vemroPeriodOf(days, frequency)
    days[!is.na(days) & (is.na(own) | own != periods)] <- NA
    return(days)
  }
  year <- switch(as.character(frequency), "10" = periods, "30" = periods %/% 10L,
                 "40" = periods %/% 100L)
  lastMonth <- switch(as.character(frequency), "10" = rep(12L, length(periods)),
                      "30" = (periods %% 10L) * 3L, "40" = periods %% 100L)
  bad <- is.na(lastMonth) | lastMonth < 1L | lastMonth > 12L | !year %in% 1:9999
  lastMonth[bad] <- NA_integer_
  # The day before the first of the next month, but December ends on the
  # 31st: the year 10000 has no date.
  firstOfNext <- as.Date(sprintf("%04d-%02d-01", year, lastMonth %% 12L + 1L),
                         format = "%Y-%m-%d")
  lastDay <- firstOfNext - 1L
  december <- which(lastMonth == 12L)
  lastDay[december] <- as.Date(sprintf("%04d-12-31", year[december]), format = "%Y-%m-%d")
  lastDay
}

#' @rdname vemroPeriodOf
#' @param start First period date of a run.
#' @param n Number of periods.
#' @return `vemroPeriodSeq()`: the `n` period dates from `start`, integer.
#' @export
vemroPeriodSeq <- function(start, n, frequency) {
  checkInteger(start, "start")
  checkCount(n, "n")
  frequency <- frequencyCode(frequency)
  if (n == 0L) return(integer(0))
  checkPeriodDate(start, frequency, "start", exact = TRUE)
  checkPeriodRun(start, n, frequency)
  first <- vemroDateOf(start, frequency)
  days <- switch(as.character(frequency), "10" = seq(first + 1L, by = "year", length.out = n) - 1L,
                 "30" = seq(first + 1L, by = "quarter", length.out = n) - 1L,
                 "40" = seq(first + 1L, by = "month", length.out = n) - 1L,
                 "60" = businessDays(first, n),
                 "61" = seq(first, by = "day", length.out = n),
                 seq(vemroDateOf(vemroPeriodOf(first, frequency), 61L), by = "week", length.out = n))
  vemroPeriodOf(days, frequency)
}

businessDays <- function(first, n) {
  first <- vemroDateOf(vemroPeriodOf(first, 60L), 61L)
  days <- seq(first, by = "day", length.out = n + n %/% 5L * 2L + 7L)
  days <- days[as.POSIXlt(days)$wday %in% 1:5]
  days[seq_len(n)]
}

yyyymmdd <- function(dates) {
  parts <- as.POSIXlt(dates)
  (parts$year + 1900L) * 10000L + (parts$mon + 1L) * 100L + parts$mday
}

# An explicit format: without it as.Date() guesses the format from the
# first element and, when that one is NA, gives NA for all of them.
dateOfYyyymmdd <- function(x) {
  as.Date(sprintf("%04d-%02d-%02d", x %/% 10000L, x %/% 100L %% 100L, x %% 100L),
          format = "%Y-%m-%d")
}

frequencyNames <- c(annual = 10L, quarterly = 30L, monthly = 40L, weekly = 55L,
                    "weekly-mon" = 51L, "weekly-tue" = 52L, "weekly-wed" = 53L,
                    "weekly-thu" = 54L, "weekly-fri" = 55L, "weekly-sat" = 56L,
                    "weekly-sun" = 57L, business = 60L, daily = 61L)

# A frequency given by name or code, as its code.
frequencyCode <- function(frequency, name = "frequency") {
  if (is.character(frequency) && length(frequency) == 1L && grepl("^[0-9]{2}$", frequency)) {
    frequency <- as.integer(frequency)
  }
  if (is.character(frequency) && length(frequency) == 1L && !is.na(frequency)) {
    code <- frequencyNames[tolower(frequency)]
    if (is.na(code)) {
      argumentError(sprintf("`%s` must be one of %s, not \"%s\"", name,
                            paste(names(frequencyNames), collapse = ", "), shownText(frequency)))
    }
    return(unname(code))
  }
  checkInteger(frequency, name)
  if (!frequency %in% frequencyCodes) {
    argumentError(sprintf("`%s` must be a frequency name or one of %s", name,
                          paste(frequencyCodes, collapse = ", ")))
  }
  as.integer(frequency)
}

frequencyName <- function(code) {
  names(frequencyNames)[-4][match(code, frequencyNames[-4])]
}
