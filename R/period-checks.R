# Period dates that R code hands to the bridge must name a real period of
# years 1 to 9999: the bridge's own arithmetic is defined for any integer,
# but a period outside that span comes back as a wrapped or made-up date.

checkPeriodDate <- function(x, frequency, name) {
  if (is.na(periodDay(x, frequency))) {
    argumentError(sprintf("`%s` (%s) is not a valid %s period date of the years 1 to 9999",
                          name, format(x, scientific = FALSE), frequencyName(frequency)))
  }
  invisible(x)
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
