# Period dates that R code hands to the bridge must name a real period of
# years 1 to 9999: the bridge's own arithmetic is defined for any integer,
# but a period outside that span comes back as a wrapped or made-up date.

# With `exact`, a day-based date must also be its period's own date (a
# week's last day, a weekday), not any day that the period holds.
checkPeriodDate <- function(x, frequency, name, exact = FALSE) {
  day <- periodDay(x, frequency)
  if (!is.na(day) && exact && frequency >= 51L && !isTRUE(vemroPeriodOf(day, frequency) == x)) {
    day <- NA
  }
  if (is.na(day)) {
    argumentError(sprintf("`%s` (%s) is not a valid %s period date of the years 1 to 9999",
                          name, format(x, scientific = FALSE), frequencyName(frequency)))
  }
  invisible(x)
}

# A range bound given as a calendar date: -1 (derive it from the series)
# or YYYYMMDD of a real day of the years 1 to 9999; a start after the end
# is refused.
checkRange <- function(start, end) {
  for (name in c("start", "end")) {
    x <- get(name)
    checkInteger(x, name)
    if (x != -1 && is.na(periodDay(x, 61L))) {
      argumentError(sprintf(
        "`%s` must be -1 or a calendar date YYYYMMDD of the years 1 to 9999, not %s",
        name, format(x, scientific = FALSE)))
    }
  }
  if (start != -1 && end != -1 && start > end) argumentError("`start` must not come after `end`")
  invisible()
}

# A run of n periods from a valid start must end by the year 9999.
checkPeriodRun <- function(start, n, frequency, name = "n") {
  if (n == 0) return(invisible(n))
  first <- periodDay(start, frequency)
  last <- switch(periodKind(frequency),
    year = as.integer(format(first, "%Y")) + n - 1,
    quarter = periodYear(first, 4, 3, n),
    month = periodYear(first, 12, 1, n),
    week = as.integer(format(first + 7 * (n - 1), "%Y")),
    business = as.integer(format(first + 7 * ceiling(n / 5) + 3, "%Y")),
    day = as.integer(format(first + (n - 1), "%Y")))
  if (last > 9999) {
    argumentError(sprintf("`%s` (%s) periods from %s run past the year 9999", name,
                          format(n, scientific = FALSE), start))
  }
  invisible(n)
}

periodKind <- function(frequency) {
  if (frequency == 10) return("year")
  if (frequency == 30) return("quarter")
  if (frequency == 40) return("month")
  if (frequency == 60) return("business")
  if (frequency == 61) return("day")
  "week"
}

# The first day of a period date's period, NA for no such period.
periodDay <- function(x, frequency) {
  x <- as.numeric(x)
  parts <- switch(periodKind(frequency),
    year = c(x, 1, 1),
    quarter = c(x %/% 10, 3 * (x %% 10) - 2, if (x %% 10 %in% 1:4) 1 else NA),
    month = c(x %/% 100, x %% 100, 1),
    c(x %/% 10000, x %/% 100 %% 100, x %% 100))
  if (anyNA(parts) || parts[1] < 1 || parts[1] > 9999) return(as.Date(NA))
  as.Date(sprintf("%04d-%02d-%02d", as.integer(parts[1]), as.integer(parts[2]),
                  as.integer(parts[3])), optional = TRUE)
}

# The year of the n-th period of a run of periods of `perYear` to a year.
periodYear <- function(first, perYear, monthsEach, n) {
  index <- (as.integer(format(first, "%m")) - 1) %/% monthsEach
  as.integer(format(first, "%Y")) + (index + n - 1) %/% perYear
}

# The number of periods from the period of `start` to that of `end`, as the
# engine counts them; for day-based frequencies a day names the period
# that holds it.
periodCount <- function(start, end, frequency) {
  first <- periodDay(start, frequency)
  last <- periodDay(end, frequency)
  kind <- periodKind(frequency)
  if (kind %in% c("year", "quarter", "month")) {
    perYear <- c(year = 1, quarter = 4, month = 12)[[kind]]
    index <- function(day) {
      month <- as.integer(format(day, "%m")) - 1
      as.integer(format(day, "%Y")) * perYear + month %/% (12 / perYear)
    }
    return(index(last) - index(first) + 1)
  }
  # Day numbers counted from a Monday, so that day %% 7 is the weekday
  # (0 Monday to 6 Sunday).
  day <- function(x) as.numeric(x - as.Date("1970-01-05"))
  if (kind == "day") return(day(last) - day(first) + 1)
  if (kind == "week") {
    weekEnd <- frequency - 51
    weekIndex <- function(x) (day(x) - weekEnd + 6) %/% 7
    return(weekIndex(last) - weekIndex(first) + 1)
  }
  # A Saturday or Sunday belongs to the Friday before.
  businessIndex <- function(x) day(x) %/% 7 * 5 + pmin(day(x) %% 7, 4)
  businessIndex(last) - businessIndex(first) + 1
}
