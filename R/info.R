#' Information on series, one row each
#'
#' @inheritParams vemroFetch
#' @return A data frame with one row per requested series, in request
#'   order: `code`, `database`, `first` and `last` (dates of the first and
#'   last observation, `Date`), `frequency` (name) and `frequencyCode`,
#'   `observations`, `lastChange` (`Date`), `decimals`, `magnitude`,
#'   `missing`, `aggregation` (name), the texts `units`, `area`,
#'   `adjustment`, `description`, `base` and `source`, and `outcome`: `"ok"`
#'   or why the series could not be read.
#' @examples
#' vemroInfo(c("NILE", "UKGAS"), vemroExampleDb())
#' @export
vemroInfo <- function(codes, databases = getOption("vemro.database"),
                      source = getOption("vemro.source", "local"), ...) {
  checkCodes(codes)
  direct <- sourceIsDirect(source)
  databases <- checkDatabases(databases, codes, direct)
  read <- nativeCall(vemroSeriesInfo(codes, databases, direct = direct, resolve = FALSE, ...))
  checkDirectOpened(direct, read$failed, length(codes))
  info <- read$info
  outcome <- markReasons(rep("ok", length(codes)), read$failed, failureReasons)
  ok <- outcome == "ok"
  dateOrNA <- function(x) replace(dateOfYyyymmdd(ifelse(ok & x > 0L, x, NA_integer_)), !ok, NA)
  data.frame(code = codes, database = databases,
             first = dateOrNA(info$firstDate), last = dateOrNA(info$lastDate),
             frequency = frequencyName(info$frequency), frequencyCode = info$frequency,
             observations = info$attrA, lastChange = dateOrNA(info$attrB),
             decimals = info$attrC, magnitude = info$attrD, missing = info$attrE,
             aggregation = aggregationNames[match(info$attrF, c(1L, 2L, 3L, 4L, 0L, 9L))],
             units = info$textA, area = info$textB, adjustment = info$textC,
             description = info$textD, base = info$textE, source = info$textF,
             outcome = outcome, stringsAsFactors = FALSE)
}

aggregationNames <- c("average", "sum", "end of period", "start of period", "none", "none")
