#' Write series into a local database
#'
#' Writes a `ts`, `mts`, `xts`/`zoo` or a long data frame (`code`, `date`,
#' `value`) into a local database through the engine's own importer:
#' all or nothing. The database is created if needed; series of the same
#' code are replaced.
#'
#' The data are handed to the importer as CSV, written with data.table's
#' `fwrite()` when data.table is installed; it uses as many threads as
#' `data.table::setDTthreads()` allows (half the cores by default), and a
#' large write is faster with more.
#'
#' @param x The series. Columns of a matrix-like `x` are named by code.
#' @param database Path of the local database file.
#' @param frequency For `xts`, `zoo` and data frames: the frequency name or
#'   code of the series. A `ts` carries its own (1, 4 or 12 per year).
#' @param aggregation How the series aggregate: `"average"`, `"sum"`,
#'   `"end of period"`, `"start of period"` or `"none"`; one for all or one
#'   per series.
#' @param description,source,units Optional texts, one for all or one per
#'   series.
#' @return `database`, invisibly.
#' @examples
#' db <- tempfile(fileext = ".vdb")
#' vemroWrite(cbind(GAS = UKgas, DRIVER = aggregate(UKDriverDeaths, 4, sum)), db)
#' vemroFetch(c("GAS", "DRIVER"), db, start = "1980Q1", end = "1980Q4")
#' @export
vemroWrite <- function(x, database, frequency = NULL, aggregation = "average",
                       description = "", source = "", units = "") {
  checkString(database, "database")
  long <- longSeries(x, frequency)
  codes <- if (long$layout == "--long") unique(long$data$code) else names(long$data)[-1L]
  checkCodes(codes)
  aggregation <- aggregationCode(aggregation, length(codes))
  meta <- data.frame(code = codes, frequency = long$frequency, aggregation = aggregation,
                     description = description, source = source, units = units)
  folder <- tempfile("vemro-write")
  dir.create(folder)
  on.exit(unlink(folder, recursive = TRUE), add = TRUE)
  metaFile <- file.path(folder, "meta.csv")
  dataFile <- file.path(folder, "data.csv")
  utils::write.csv(meta, metaFile, row.names = FALSE, na = "", fileEncoding = "UTF-8")
  writeTable(long$data, dataFile)
  output <- suppressWarnings(system2(vemroDbTool(), c("import", shQuote(database), "--meta",
                                     shQuote(metaFile), long$layout, shQuote(dataFile)),
                                     stdout = TRUE, stderr = TRUE))
  if (!is.null(attr(output, "status")) && attr(output, "status") != 0L) {
    vemroAbort(paste("vemro-db import failed:", paste(output, collapse = "\n")), "write",
               status = attr(output, "status"))
  }
  invisible(database)
}

# The observations of `x` as a long data frame, with the frequency code.
longSeries <- function(x, frequency) {
  if (stats::is.ts(x)) {
    code <- c("1" = 10L, "4" = 30L, "12" = 40L)[as.character(stats::frequency(x))]
    if (is.na(code)) {
      argumentError(sprintf("`x` has %s periods a year; only 1, 4 and 12 can be stored",
                            format(stats::frequency(x))))
    }
    matrixX <- plainMatrix(x)
    if (is.null(colnames(matrixX))) argumentError("`x` must have column names, the series codes")
    dates <- tsDates(x)
    return(list(frequency = unname(code), data = wideFrame(matrixX, dates), layout = "--wide"))
  }
  if (is.null(frequency)) argumentError("`frequency` must be given unless `x` is a ts")
  code <- frequencyCode(frequency)
  if (inherits(x, "zoo")) {
    dates <- zoo::index(x)
    if (!inherits(dates, "Date")) argumentError("the index of `x` must be Date")
    matrixX <- as.matrix(zoo::coredata(x))
    colnames(matrixX) <- colnames(x)
    if (is.null(colnames(matrixX))) argumentError("`x` must have column names, the series codes")
    checkOnePerPeriod(dates, code)
    return(list(frequency = code, data = wideFrame(matrixX, dates), layout = "--wide"))
  }
  if (is.data.frame(x) && all(c("code", "date", "value") %in% names(x))) {
    dates <- as.Date(x$date)
    if (anyNA(dates)) argumentError("`x$date` must hold dates")
    return(list(frequency = code,
                data = data.frame(code = as.character(x$code), date = format(dates),
                                  value = as.numeric(x$value)), layout = "--long"))
  }
  argumentError("`x` must be a ts, an xts or zoo, or a data frame of code, date and value")
}

# The values of a ts as a plain matrix: taking columns of a ts goes through
# its own, much slower, subsetting method.
plainMatrix <- function(x) {
  matrix(as.vector(x), nrow = NROW(x), dimnames = list(NULL, colnames(x)))
}

tsDates <- function(x) {
  perYear <- stats::frequency(x)
  step <- round((stats::time(x) - floor(stats::time(x))) * perYear + 1e-9)
  year <- floor(stats::time(x) + 1e-9)
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
    return(cbind(data.frame(date = format(dates)), as.data.frame(values, optional = TRUE)))
  }
  table <- data.table::as.data.table(values)
  data.table::set(table, j = "date", value = format(dates))
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
    argumentError(sprintf("`aggregation` must be one or %d of %s", n,
                          paste0("\"", names(codes), "\"", collapse = ", ")))
  }
  unname(found)
}
