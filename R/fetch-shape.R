# The shapes vemroFetch() returns, from its matrix of one column per series.

shapes <- c("auto", "ts", "xts", "zoo", "matrix", "long", "wide")

checkAs <- function(as) {
  if (!is.character(as) || length(as) != 1L || is.na(as) || !as %in% shapes) {
    argumentError(sprintf("`as` must be one of %s", paste0("\"", shapes, "\"", collapse = ", ")))
  }
  as
}

shapeResult <- function(data, range, as, outcome) {
  frequency <- range$frequency
  # For day-based frequencies the resolved start is a day of the first
  # period, not always that period's own date.
  start <- if (frequency > 40L) vemroPeriodOf(dateOfYyyymmdd(range$start), frequency) else range$start
  periods <- vemroPeriodSeq(start, range$observations, frequency)
  dates <- vemroDateOf(periods, frequency)
  if (as == "auto") as <- if (frequency <= 40L) "ts" else "xts"
  result <- switch(as,
    ts = asTs(data, range),
    xts = timeIndexed("xts", data, dates),
    zoo = timeIndexed("zoo", data, dates),
    matrix = structure(data, dimnames = list(yyyymmdd(dates), colnames(data)),
                       frequency = frequency),
    long = data.frame(code = rep(colnames(data), each = nrow(data)),
                      date = rep(dates, ncol(data)), value = as.vector(data),
                      stringsAsFactors = FALSE),
    wide = cbind(data.frame(date = dates), as.data.frame(data, optional = TRUE)))
  attr(result, "outcome") <- outcome
  result
}

asTs <- function(data, range) {
  perYear <- unname(c("10" = 1L, "30" = 4L, "40" = 12L)[as.character(range$frequency)])
  if (is.na(perYear)) {
    argumentError(sprintf("`as = \"ts\"` needs annual, quarterly or monthly data, not %s",
                          frequencyName(range$frequency)))
  }
  start <- switch(as.character(range$frequency), "10" = range$start,
                  "30" = c(range$start %/% 10L, range$start %% 10L),
                  "40" = c(range$start %/% 100L, range$start %% 100L))
  stats::ts(if (ncol(data) == 1L) data[, 1L] else data, start = start, frequency = perYear)
}

timeIndexed <- function(package, data, dates) {
  if (!requireNamespace(package, quietly = TRUE)) {
    vemroAbort(sprintf("this shape needs the package %s; install it (Debian: r-cran-%s)",
                       package, package), "argument")
  }
  if (package == "xts") xts::xts(data, order.by = dates) else zoo::zoo(data, order.by = dates)
}
