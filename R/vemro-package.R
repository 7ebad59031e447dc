#' Vemro: economic time series from vendor databases
#'
#' Vemro reads series information, observations and code listings from
#' local time-series database files and from the vendor's online direct
#' service, and converts between the vendor's period dates and calendar
#' dates (integers of the form YYYYMMDD).
#'
#' Frequency codes: 10 annual, 30 quarterly, 40 monthly, 51 to 57 weekly
#' (weeks ending Monday to Sunday), 60 business daily, 61 daily.
#'
#' @useDynLib Vemro
#' @keywords internal
"_PACKAGE"

.onLoad <- function(libname, pkgname) {
  defaults <- list(vemro.source = "local", vemro.as = "auto",
                   vemro.database = system.file("extdata", "vemro-example.vdb", package = pkgname))
  unset <- !names(defaults) %in% names(options())
  if (any(unset)) options(defaults[unset])
  invisible()
}
