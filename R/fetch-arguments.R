# Checks of vemroFetch()'s and vemroInfo()'s arguments, made before any
# native call.

checkCodes <- function(codes) {
  if (!is.character(codes) || length(codes) == 0L) {
    argumentError("`codes` must be a non-empty character vector")
  }
  if (anyNA(codes) || !all(nzchar(codes))) argumentError("`codes` must not hold NA or empty codes")
  if (any(nchar(codes, type = "bytes", allowNA = TRUE) > 511L, na.rm = TRUE) ||
      anyNA(nchar(codes, allowNA = TRUE))) {
    argumentError("`codes` must hold valid text of at most 511 bytes each")
  }
  invisible(codes)
}

sourceIsDirect <- function(source) {
  if (!is.character(source) || length(source) != 1L || is.na(source) ||
      !source %in% c("local", "direct")) {
    argumentError("`source` must be \"local\" or \"direct\"")
  }
  source == "direct"
}

# One database per series; local database files must exist, named as the
# engine names them: the file itself, or the name with ".vdb" added.
checkDatabases <- function(databases, codes, direct) {
  if (!is.character(databases) || length(databases) == 0L || anyNA(databases)) {
    argumentError("`databases` must be a character vector of database names without NA")
  }
  databases <- seriesDatabases(databases, codes)
  if (!direct) {
    paths <- nativeStrings(databases)
    missing <- unique(databases[!file.exists(paths) & !file.exists(paste0(paths, ".vdb"))])
    if (length(missing) > 0L) {
      argumentError(sprintf("`databases`: no such database file: %s",
                            paste(shownText(missing), collapse = ", ")))
    }
  }
  databases
}

# A range bound as YYYYMMDD: the first day of what `x` names for a start,
# the last day for an end.
rangeDate <- function(x, name, isStart) {
  if (length(x) != 1L || is.na(x)) argumentError(sprintf("`%s` must be a single date", name))
  whole <- is.numeric(x) && !inherits(x, "Date") && is.finite(x) && x == trunc(x)
  day <- if (inherits(x, "Date")) x
         else if (is.character(x)) textDate(x, isStart)
         else if (whole && x >= 1 && x <= 9999) yearDate(x, isStart)
         else if (whole && x >= 10000101 && x <= 99991231) dateOfYyyymmdd(as.integer(x))
         else NA
  # Only the days of the years 1 to 9999 have periods.
  if (!is.na(day) && (!is.finite(day) || day < as.Date("0001-01-01") ||
                      day > as.Date("9999-12-31"))) {
    argumentError(sprintf("`%s` must lie in the years 1 to 9999", name))
  }
  if (is.na(day)) {
    argumentError(sprintf("`%s` must be a Date, a date as text (2020-03-31, 2020-03, 2020Q3, 2020), a year or YYYYMMDD", name))
  }
  yyyymmdd(day)
}

yearDate <- function(year, isStart) {
  as.Date(sprintf(if (isStart) "%04d-01-01" else "%04d-12-31", as.integer(year)))
}

textDate <- function(x, isStart) {
  x <- trimws(x)
  if (grepl("^[0-9]{4}$", x)) return(yearDate(as.integer(x), isStart))
  if (grepl("^[0-9]{4}-[0-9]{2}-[0-9]{2}$", x)) return(as.Date(x, optional = TRUE))
  if (grepl("^[0-9]{4}[Qq][1-4]$", x)) {
    quarter <- as.integer(substr(x, 1L, 4L)) * 10L + as.integer(substr(x, 6L, 6L))
    return(periodBound(quarter, 30L, isStart))
  }
  if (grepl("^[0-9]{4}-[0-9]{2}$", x)) {
    month <- as.integer(sub("-", "", x))
    if (month %% 100L < 1L || month %% 100L > 12L) return(NA)
    return(periodBound(month, 40L, isStart))
  }
  NA
}

periodBound <- function(period, frequency, isStart) {
  if (!isStart) return(vemroDateOf(period, frequency))
  year <- if (frequency == 30L) period %/% 10L else period %/% 100L
  month <- if (frequency == 30L) (period %% 10L - 1L) * 3L + 1L else period %% 100L
  as.Date(sprintf("%04d-%02d-01", year, month))
}
