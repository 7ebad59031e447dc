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
#'   default the lowest frequency among the series. Daily series fetched as
#'   business days keep their weekday values; their weekend values are
#'   left out, not aggregated into the Friday.
#' @param start,end The range: a `Date`, text such as `"2020-03-31"`,
#'   `"2020-03"`, `"2020Q3"` or `"2020"`, a year, or YYYYMMDD. By default
#'   the range of the series.
#' @param as The shape of the result: `"auto"` (a `ts` for annual,
#'   quarterly and monthly data, an `xts` otherwise), `"ts"`, `"xts"`,
#'   `"zoo"`, `"matrix"` (rows named YYYYMMDD), `"long"` or `"wide"`.
#' @param source `"local"` or `"direct"`; defaults to option `vemro.source`.
#'   The direct service is the one that the environment variable
#'   `VEMRO_SERVICE` names (by default `http://127.0.0.1:8750`).
#' @param ... Passed to [vemroSeriesInfo()] (`merge`, `reopen`).
#' @return The series in the shape of `as`, with attribute `outcome`: a
#'   character vector named by code, `"ok"` or the reason a series was not
#'   served: `"not found"`, `"database not opened"`, `"no data"` (the series
#'   holds no observation at all), `"no observations in the range"`,
#'   `"no monthly value in the range under strict aggregation"` (under strict
#'   aggregation a period with a missing observation is `NA`; see
#'   [vemroSetAggregation()]), `"cannot be aggregated to quarterly"` (its
#'   aggregation type forbids it), `"lower frequency than quarterly"`,
#'   `"damaged or unreadable"` (its stored row fails its checksum;
#'   `vemro-db verify` tells more), and the like. One warning names the
#'   series not served. When no series at all can be served the call fails
#'   with an error of class `vemro_error_not_found` that names each series
#'   with its reason and carries the outcomes as `outcome`.
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
    nothingOpened <- direct && length(probe$failed$notOpened) == length(codes)
    noneServed(outcome, if (nothingOpened) directOpenHint)
  }
  resolution <- resolveServed(probe, outcome, codes, databases, target, first, last, direct, ...)
  resolved <- resolution$resolved
  outcome <- resolution$outcome
  served <- which(outcome == "ok")
  range <- resolved$range
  outcome[served] <- markReasons(outcome[served], resolved$setAside,
                                 setAsideReasons(frequencyName(range$frequency)))
  served <- which(outcome == "ok")
  if (length(served) == 0L) noneServed(outcome)
  data <- matrix(NA_real_, range$observations, length(codes), dimnames = list(NULL, codes))
  batches <- readBatches(data, outcome, served, codes, databases, range, direct, ...)
  data <- batches$data
  outcome <- batches$outcome
  read <- served[outcome[served] == "ok"]
  empty <- read[colSums(!is.na(data[, read, drop = FALSE])) == 0L]
  outcome[empty] <- emptyReason(probe$info[empty, ], range$frequency, direct)
  if (!any(outcome == "ok")) noneServed(outcome)
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

# A series that failed or has no data would pull the resolved range off,
# so only then is the range resolved again over the others. A series that
# fails only in that second read (its file replaced in the meantime) is
# marked in turn, and the range resolved again without it.
resolveServed <- function(probe, outcome, codes, databases, target, first, last, direct, ...) {
  resolved <- probe
  for (attempt in 1:3) {
    served <- which(outcome == "ok")
    if (length(served) == 0L) noneServed(outcome)
    if (length(served) < length(codes)) {
      resolved <- nativeCall(vemroSeriesInfo(codes[served], databases[served], target, first,
                                             last, direct = direct, ...))
    }
    if (!is.null(resolved$range)) return(list(resolved = resolved, outcome = outcome))
    outcome[served] <- markReasons(outcome[served], c(resolved$failed, resolved$setAside["noData"]),
                                   c(failureReasons, noData = "no data"))
  }
  vemroAbort("the series changed each time they were read; is a database being rewritten in place?")
}

# Why a series that was read has no value in the range: at another
# frequency under strict aggregation, a period with a missing
# observation is NA, so a series with gaps everywhere has none.
emptyReason <- function(info, frequency, direct) {
  converted <- info$frequency != frequency & info$attrA > info$attrE
  strict <- vemroAggregation(direct) == 0L
  ifelse(converted & strict,
         sprintf("no %s value in the range under strict aggregation", frequencyName(frequency)),
         "no observations in the range")
}

# With no series left to serve there is no result to return.
noneServed <- function(outcome, hint = NULL) {
  missed <- paste0(shownText(names(outcome)), " (", outcome, ")")
  vemroAbort(c("none of the series can be fetched",
               i = paste(utils::head(missed, 10L), collapse = ", "),
               i = if (length(missed) > 10L) sprintf("and %d more", length(missed) - 10L),
               i = hint),
             "not_found", outcome = outcome)
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
