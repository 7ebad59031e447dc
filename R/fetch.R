#' Fetch series into one matrix
#'
#' Reads the information of the series, settles one frequency and range
#' for them, and reads their observations into a matrix whose rows are
#' labelled with the calendar date (YYYYMMDD) that ends each period.
#'
#' Series without data, and series that cannot be converted to the
#' frequency, are left out with a warning that names them. A series that
#' cannot be read at all is an error that names it and says why.
#'
#' @inheritParams vemroSeriesInfo
#' @return A numeric matrix with one column per series kept, named by its
#'   code, and one row per period. Its attribute `frequency` is the
#'   frequency code of the rows.
#' @examples
#' vemroFetch(c("NILE", "LAKEHURON"), vemroExampleDb(), start = 19500101)
#' @export
vemroFetch <- function(codes, databases, frequency = 1000, start = -1, end = -1,
                       direct = FALSE, merge = FALSE, reopen = 500) {
  info <- vemroSeriesInfo(codes, databases, frequency, start, end, direct = direct,
                          merge = merge, reopen = reopen)
  stopOnFailures(codes, info$failed)
  databases <- seriesDatabases(databases, codes)
  kept <- keptSeries(codes, info$setAside)
  if (length(kept) == 0L) stop("none of the series can be fetched", call. = FALSE)
  range <- info$range
  data <- vemroGetData(codes[kept], databases[kept], range$start, range$end, range$frequency,
                       range$observations, direct = direct, merge = merge, reopen = reopen)
  rownames(data) <- vemroDateSeq(range$start, range$observations, range$frequency)
  attr(data, "frequency") <- range$frequency
  data
}

stopOnFailures <- function(codes, failed) {
  reasons <- rep(names(failed), lengths(failed))
  positions <- unlist(failed, use.names = FALSE)
  if (length(positions) == 0L) return(invisible())
  stop("could not read ", paste0(codes[positions], " (", reasons, ")", collapse = ", "),
       call. = FALSE)
}

keptSeries <- function(codes, setAside) {
  reasons <- rep(names(setAside), lengths(setAside))
  positions <- unlist(setAside, use.names = FALSE)
  if (length(positions) > 0L) {
    warning("left out ", paste0(codes[positions], " (", reasons, ")", collapse = ", "),
            call. = FALSE)
  }
  setdiff(seq_along(codes), positions)
}
