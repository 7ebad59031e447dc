#' Fetch series as R time series
#'
#' Reads series from local databases or the direct service at one
#' frequency and over one range, and returns them in the shape asked for.
#' Every requested series is in the result, in request order; a series that
#' cannot be served is a column of `NA`, and attribute `outcome` says why.
#'
#' @param codes Series codes, a character vector without NA or empty codes.
#' @param databases One database for all series, or one per series.
#'   Defaults to the option `vemro.database`.
#' @param frequency A frequency name or code (see [vemroPeriodOf()]); by
#'   default the lowest frequency among the series.
#' @param start,end The range: a `Date`, text such as `"2020-03-31"`,
#'   `"2020-03"`, `"2020Q3"` or `"2020"`, a year, or YYYYMMDD. By default
#'   the range of the series.
#' @param as The shape of the result: `"auto"` (a `ts` for annual,
#'   quarterly and monthly data, an `xts` otherwise), `"ts"`, `"xts"`,
#'   `"zoo"`, `"matrix"` (rows named YYYYMMDD), `"long"` or `"wide"`.
#' @param source `"local"` or `"direct"`; defaults to option `vemro.source`.
#' @param ... Passed to [vemroSeriesInfo()] (`merge`, `reopen`).
#' @return The series in the shape of `as`, with attribute `outcome`: a
#'   character vector named by code, `"ok"` or the reason a series was not
#'   served: `"not found"`, `"database not opened"`, `"no data"`,
#'   `"cannot be aggregated to quarterly"` (its aggregation type forbids it),
#'   `"lower frequency than quarterly"`, `"damaged or unreadable"` (its
#'   stored row fails its checksum; `vemro-db verify` tells more), and
#'   the like.
#' @examples
#' vemroFetch(c("AIRPASS", "UKGAS"), vemroExampleDb(), "quarterly", "1960Q1", "1962Q4")
#' @export
vemroFetch <- function(codes, databases = getOption("vemro.database"), frequency = NULL,
                       start = NULL, end = NULL, as = getOption("vemro.as", "auto"),
                       source = getOption("vemro.source", "local"), ...) {
  checkCodes(codes)
  direct <- sourceIsDirect(source)
  databases <- checkDatabases(databases, codes, direct)
  target <- if (is.null(frequency)) 1000L else frequencyCode(frequency)
  first <- if (is.null(start)) -1L else rangeDate(start, "start", TRUE)
  last <- if (is.null(end)) -1L else rangeDate(end, "end", FALSE)
  if (first > 0L && last > 0L && first > last) argumentError("`start` must not come after `end`")
  as <- checkAs(as)
  outcome <- stats::setNames(rep("ok", length(codes)), codes)
  probe <- nativeCall(vemroSeriesInfo(codes, databases, target, first, last, direct = direct,
                                      ...))
  checkDirectOpened(direct, probe$failed, length(codes))
  outcome <- markReasons(outcome, probe$failed, failureReasons)
  noData <- outcome == "ok" & probe$info$attrA %in% 0L
  outcome[noData] <- "no data"
  served <- which(outcome == "ok")
  if (length(served) == 0L) {
    warnOutcome(outcome)
    vemroAbort("none of the series can be fetched", "not_found")
  }
  # A series that failed or has no data would pull the resolved range off,
  # so only then is the range resolved again over the others.
  resolved <- if (length(served) == length(codes)) probe else {
    nativeCall(vemroSeriesInfo(codes[served], databases[served], target, first, last,
                               direct = direct, ...))
  }
  range <- resolved$range
  outcome[served] <- markReasons(outcome[served], resolved$setAside,
                                 setAsideReasons(frequencyName(range$frequency)))
  served <- which(outcome == "ok")
  data <- matrix(NA_real_, range$observations, length(codes), dimnames = list(NULL, codes))
  if (length(served) > 0L) {
    batches <- readBatches(data, outcome, served, codes, databases, range, direct, ...)
    data <- batches$data
    outcome <- batches$outcome
    # A series with no observation in the range has no data for this fetch.
    read <- served[outcome[served] == "ok"]
    empty <- read[colSums(!is.na(data[, read, drop = FALSE])) == 0L]
    outcome[empty] <- "no data"
  }
  warnOutcome(outcome)
  shapeResult(data, range, as, outcome)
}

failureReasons <- c(notOpened = "database not opened", notFound = "not found",
                    infoNotLoaded = "damaged or unreadable",
                    sourceNotLoaded = "source not loaded", status5 = "vendor status 5",
                    status6 = "vendor status 6", otherStatus = "vendor failure")

setAsideReasons <- function(name) {
  c(noData = "no data", higherFrequency = paste("cannot be aggregated to", name),
    lowerFrequency = paste("lower frequency than", name))
}

markReasons <- function(outcome, lists, reasons) {
  for (kind in names(lists)) outcome[lists[[kind]]] <- reasons[[kind]]
  outcome
}

warnOutcome <- function(outcome) {
  missed <- outcome != "ok"
  if (!any(missed)) return(invisible())
  rlang::warn(paste0("not served: ", paste0(shownText(names(outcome)[missed]), " (",
                                            outcome[missed], ")", collapse = ", ")),
              class = "vemro_warning_outcome")
}

# Large fetches are read in batches so that a progress bar can advance; a
# batch of thousands of series keeps the cost of the extra calls small.
readBatches <- function(data, outcome, served, codes, databases, range, direct, ...,
                        batch = 2000L) {
  batches <- split(served, (seq_along(served) - 1L) %/% batch)
  bar <- if (interactive() && length(batches) > 1L) {
    cli::cli_progress_bar("Fetching series", total = length(served))
  }
  read <- function(columns) {
    nativeCall(vemroGetData(codes[columns], databases[columns], range$start, range$end,
                            range$frequency, range$observations, direct = direct, ...))
  }
  for (columns in batches) {
    batchRead <- readColumns(columns, read, nrow(data))
    data[, columns] <- batchRead$data
    outcome[columns] <- batchRead$outcome
    if (!is.null(bar)) cli::cli_progress_update(inc = length(columns), id = bar)
  }
  list(data = data, outcome = outcome)
}

# A series whose stored observations are damaged fails the read of its
# whole batch. The error names it when it can: it becomes an NA column and
# the others are read again together; otherwise they are read one at a
# time. A service that cannot be reached or refuses the user still ends
# the fetch.
readColumns <- function(columns, read, rows) {
  fatal <- c("vemro_error_unreachable", "vemro_error_auth", "vemro_error_argument")
  whole <- tryCatch(read(columns), vemro_error = function(e) e)
  if (!inherits(whole, "vemro_error")) {
    return(list(data = whole, outcome = rep("ok", length(columns))))
  }
  if (inherits(whole, fatal)) stop(whole)
  data <- matrix(NA_real_, rows, length(columns))
  outcome <- rep("damaged or unreadable", length(columns))
  others <- if (!is.null(whole$series)) {
    list(seq_along(columns)[-whole$series])
  } else if (length(columns) > 1L) {
    as.list(seq_along(columns))
  }
  for (part in Filter(length, others)) {
    partRead <- readColumns(columns[part], read, rows)
    data[, part] <- partRead$data
    outcome[part] <- partRead$outcome
  }
  list(data = data, outcome = outcome)
}
