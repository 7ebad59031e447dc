#' Write series into a local database
#'
#' Writes a `ts`, `mts`, `xts`/`zoo` or a long data frame (`code`, `date`,
#' `value`) into a local database through the engine's own importer:
#' all or nothing. The database is created if needed; series of the same
#' code are replaced.
#'
#' The values of a `ts` and of a regular `xts`/`zoo` reach the importer as
#' binary float64, so every bit is kept; those of a data frame, and of an
#' `xts`/`zoo` with periods missing from its index, as CSV with 17
#' significant digits, which also reads back exactly.
#'
#' @param x The series. Columns of a matrix-like `x` are named by code.
#' @param database Path of the local database file.
#' @param frequency For `xts`, `zoo` and data frames: the frequency name or
#'   code of the series. A `ts` carries its own (1, 4 or 12 per year).
#' @param aggregation How the series aggregate: `"average"`, `"sum"`,
#'   `"end of period"`, `"start of period"` or `"none"`; one for all or one
#'   per series.
#' @param description,source,units Optional texts, one for all or one per
#'   series. They are stored whole, but a series' information holds at most
#'   81 bytes of the description, 69 of the source and 17 of the units
#'   (UTF-8); a warning names a longer text.
#' @return `database`, invisibly. Each series written has today's date as
#'   its date of last change.
#' @examples
#' db <- tempfile(fileext = ".vdb")
#' vemroWrite(cbind(GAS = UKgas, DRIVER = aggregate(UKDriverDeaths, 4, sum)), db)
#' vemroFetch(c("GAS", "DRIVER"), db, start = "1980Q1", end = "1980Q4")
#' @export
vemroWrite <- function(x, database, frequency = NULL, aggregation = "average",
                       description = "", source = "", units = "") {
  checkString(database, "database")
  checkDatabaseNames(database, "database")
  long <- longSeries(x, frequency)
  codes <- switch(long$layout, "--long" = unique(long$data$code),
                  "--wide" = names(long$data)[-1L], "--values" = colnames(long$values))
  checkCodes(codes)
  aggregation <- aggregationCode(aggregation, length(codes))
  texts <- list(description = description, source = source, units = units)
  for (name in names(texts)) texts[[name]] <- checkText(texts[[name]], name, length(codes))
  meta <- data.frame(code = codes, frequency = long$frequency, aggregation = aggregation,
                     texts, changed = format(Sys.Date()))
  folder <- tempfile("vemro-write")
  dir.create(folder)
  on.exit(unlink(folder, recursive = TRUE), add = TRUE)
  metaFile <- file.path(folder, "meta.csv")
  dataFile <- file.path(folder, "data")
  if (long$layout == "--values") {
    meta$start <- isoDate(long$dates[1L])
    meta$count <- length(long$dates)
    writeBin(as.double(long$values), dataFile, size = 8L, endian = "little")
  } else {
    writeTable(long$data, dataFile)
  }
  utils::write.csv(meta, metaFile, row.names = FALSE, na = "", fileEncoding = "UTF-8")
  output <- suppressWarnings(system2(vemroDbTool(), c("import", shQuote(database), "--meta",
                                     shQuote(metaFile), long$layout, shQuote(dataFile)),
                                     stdout = TRUE, stderr = TRUE))
  if (!is.null(attr(output, "status")) && attr(output, "status") != 0L) {
    vemroAbort(paste("vemro-db import failed:", paste(output, collapse = "\n")), "write",
               status = attr(output, "status"))
  }
  invisible(database)
}

# The bytes of each text that a series' information record holds.
textSlots <- c(description = 81L, source = 69L, units = 17L)

# A text argument as UTF-8: one for all series or one each, valid text.
checkText <- function(x, name, n) {
  if (!is.character(x) || anyNA(x) || !length(x) %in% c(1L, n)) {
    argumentError(sprintf("`%s` must be text: one string for all series or %d, one per series",
                          name, n))
  }
  # iconv() gives NA for bytes that are not text in their encoding, where
  # enc2utf8() would write them as "<ff>".
  from <- ifelse(Encoding(x) %in% c("latin1", "UTF-8"), Encoding(x), "")
  x <- vapply(seq_along(x), function(i) iconv(x[i], from[i], "UTF-8"), "")
  if (anyNA(x) || !all(validUTF8(x))) argumentError(sprintf("`%s` must be valid text", name))
  long <- nchar(x, type = "bytes") > textSlots[[name]]
  if (any(long)) {
    rlang::warn(sprintf(paste("`%s` is longer than the %d bytes that a series' information",
                              "holds; it is stored whole, but read cut to them"),
                        name, textSlots[[name]]), class = "vemro_warning")
  }
  x
}

# The observations of `x` with their frequency code, in the layout the
# importer is given: "--values" (a matrix of values, one column per
# series, and the dates of its rows, one period after another), or a CSV
# table in the "--long" or "--wide" layout.
longSeries <- function(x, frequency) {
  if (stats::is.ts(x)) {
    code <- c("1" = 10L, "4" = 30L, "12" = 40L)[as.character(stats::frequency(x))]
    if (is.na(code)) {
      argumentError(sprintf("`x` has %s periods a year; only 1, 4 and 12 can be stored",
                            format(stats::frequency(x))))
    }
    checkNumbers(x)
    return(valuesLayout(namedValues(plainMatrix(x)), tsDates(x), unname(code)))
  }
  if (!inherits(x, "zoo") && !is.data.frame(x)) {
    argumentError("`x` must be a ts, an xts or zoo, or a data frame of code, date and value")
  }
  if (is.null(frequency)) argumentError("`frequency` must be given unless `x` is a ts")
  code <- frequencyCode(frequency)
  if (inherits(x, "zoo")) return(zooLayout(x, code))
  if (!all(c("code", "date", "value") %in% names(x))) {
    argumentError("`x` must be a ts, an xts or zoo, or a data frame of code, date and value")
  }
  if (!is.numeric(x$value) && !all(is.na(x$value))) argumentError("`x$value` must be numeric")
  dates <- as.Date(x$date)
  if (anyNA(dates)) argumentError("`x$date` must hold dates")
  list(frequency = code, layout = "--long",
       data = data.frame(code = as.character(x$code), date = isoDate(dates),
                         value = exactText(as.numeric(x$value))))
}

# Values that are text would reach the importer as NA.
checkNumbers <- function(values) {
  if (!is.numeric(values) && !(is.logical(values) && all(is.na(values)))) {
    argumentError("`x` must hold numbers")
  }
  invisible(values)
}

valuesLayout <- function(values, dates, code) {
  list(frequency = code, layout = "--values", values = values, dates = dates)
}

namedValues <- function(values) {
  if (is.null(colnames(values))) argumentError("`x` must have column names, the series codes")
  values
}

# A zoo whose index has a date in every period from its first to its last
# goes as binary values; one with periods missing goes as a wide table.
zooLayout <- function(x, code) {
  dates <- zoo::index(x)
  if (!inherits(dates, "Date")) argumentError("the index of `x` must be Date")
  values <- as.matrix(zoo::coredata(x))
  checkNumbers(values)
  colnames(values) <- colnames(x)
  namedValues(values)
  checkOnePerPeriod(dates, code)
  if (length(dates) == 0L) argumentError("`x` holds no observations")
  periods <- vemroPeriodOf(dates, code)
  if (identical(as.integer(periods), as.integer(vemroPeriodSeq(periods[1L], length(dates), code)))) {
    return(valuesLayout(values, dates, code))
  }
  values[] <- exactText(values)
  list(frequency = code, layout = "--wide", data = wideFrame(values, dates))
}

# Decimal text that reads back as the very same double: 17 significant
# digits, where R and data.table write 15.
exactText <- function(values) {
  text <- sprintf("%.17g", values)
  text[is.na(values)] <- "NA"
  text
}

# YYYY-MM-DD with four-digit years, which format() does not give before
# the year 1000; the engine stores the years 1 to 9999.
isoDate <- function(dates) {
  parts <- as.POSIXlt(dates)
  year <- parts$year + 1900L
  if (any(year < 1L | year > 9999L, na.rm = TRUE)) {
    argumentError("the dates of `x` must lie in the years 1 to 9999")
  }
  sprintf("%04d-%02d-%02d", year, parts$mon + 1L, parts$mday)
}

# The values of a ts as a plain matrix: taking columns of a ts goes through
# its own, much slower, subsetting method.
plainMatrix <- function(x) {
  matrix(as.vector(x), nrow = NROW(x), dimnames = list(NULL, colnames(x)))
}

# The first day of each row's period, from the ts's own time.
tsDates <- function(x) {
  perYear <- stats::frequency(x)
  periods <- stats::time(x) * perYear
  if (any(abs(periods - round(periods)) > 1e-6)) {
    argumentError("the time of `x` must fall on the start of its periods (as `start = c(2000, 1)`)")
  }
  step <- round((stats::time(x) - floor(stats::time(x))) * perYear + 1e-9)
  year <- floor(stats::time(x) + 1e-9)
  if (any(year < 1 | year > 9999)) argumentError("`x` must lie in the years 1 to 9999")
  as.Date(sprintf("%04d-%02d-01", as.integer(year), as.integer(step * 12 / perYear + 1)))
}

checkOnePerPeriod <- function(dates, code) {
  if (anyDuplicated(vemroPeriodOf(dates, code))) {
    argumentError("`x` has more than one observation in one period of its frequency; it is irregular")
  }
}

# One row per date, one column per series; NA is written as a missing
# observation. data.table builds the table without copying each column
# through a data frame and writes it many times faster than write.csv.
wideFrame <- function(values, dates) {
  if (!requireNamespace("data.table", quietly = TRUE)) {
    return(cbind(data.frame(date = isoDate(dates)), as.data.frame(values, optional = TRUE)))
  }
  table <- data.table::as.data.table(values)
  data.table::set(table, j = "date", value = isoDate(dates))
  data.table::setcolorder(table, "date")
  table
}

writeTable <- function(frame, file) {
  if (requireNamespace("data.table", quietly = TRUE)) {
    data.table::fwrite(frame, file, na = "NA", quote = FALSE)
  } else {
    utils::write.csv(frame, file, row.names = FALSE, na = "NA", quote = FALSE)
  }
}

aggregationCode <- function(aggregation, n) {
  codes <- c(average = 1L, sum = 2L, "end of period" = 3L, "start of period" = 4L, none = 0L)
  found <- codes[aggregation]
  if (!is.character(aggregation) || anyNA(found) || !length(aggregation) %in% c(1L, n)) {
    argumentError(sprintf("`aggregation` must be one of %s%s",
                          paste0("\"", names(codes), "\"", collapse = ", "),
                          if (n > 1L) sprintf(", or %d of them, one per series", n) else ""))
  }
  unname(found)
}
