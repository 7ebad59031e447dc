#' Information on one series of a local database
#'
#' Reads the information record of one series from a local database file.
#' The database is closed again afterwards, whatever the answer.
#'
#' This is a low-level function: it takes and returns the vendor's period
#' dates, frequency codes and raw attributes. Most users want
#' `vemroInfo()` instead, which takes dates and frequency names and returns
#' R's own classes.
#'
#' @param database Name of the local database.
#' @param code Series code.
#' @return A named list: `firstDate` and `lastDate`, the calendar dates
#'   (YYYYMMDD) of the last days of the series' first and last periods;
#'   `frequency`, its frequency code; the integer attributes `attrA` to
#'   `attrF` and the texts `textA` to `textF` of the record, unchanged.
#'   A frequency code the package does not know gives 0 for both dates.
#'   Fails with the library's message when the series cannot be read.
#' @examples
#' \dontrun{
#' qvbSeriesInfo("example", "GDP")
#' }
#' @export
qvbSeriesInfo <- function(database, code) {
  checkString(database, "database")
  checkDatabaseNames(database, "database")
  checkString(code, "code")
  result <- tryCatch(
    .C("qvbGetInfo", nativeStrings(database), nativeStrings(code),
       firstDate = integer(1), lastDate = integer(1), attrA = integer(1),
       frequency = integer(1), attrB = integer(1), attrC = integer(1),
       attrD = integer(1), attrE = integer(1), attrF = integer(1),
       textA = "", textB = "", textC = "", textD = "", textE = "", textF = "",
       PACKAGE = "Vemro"),
    error = function(e) explainReadFailure(e, code, database, NA_integer_))
  texts <- c("textA", "textB", "textC", "textD", "textE", "textF")
  result[texts] <- lapply(result[texts], utf8Texts)
  result[c("firstDate", "lastDate", "frequency", "attrA", "attrB", "attrC", "attrD",
           "attrE", "attrF", texts)]
}
