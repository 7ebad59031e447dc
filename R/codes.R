#' Every series code of a database
#'
#' @param database Name of the database: a local database file, or a
#'   database of the direct service. At most 511 bytes.
#' @param pattern A regular expression: only the codes it matches are
#'   returned. `NULL` for every code.
#' @param direct `TRUE` to list a database of the direct service, `FALSE`
#'   for a local database file.
#' @return A character vector of the database's codes in the order the
#'   vendor library lists them; `character(0)` for an empty database. A
#'   local series whose stored information is damaged is left out;
#'   `vemro-db verify` names it. The direct service lists at most 32 pages
#'   of codes; pages it fails to send are left out.
#' @export
vemroCodes <- function(database, pattern = NULL, direct = FALSE) {
  checkString(database, "database")
  checkFlag(direct, "direct")
  if (!is.null(pattern)) checkString(pattern, "pattern")
  checkDatabaseNames(database, "database")
  text <- tryCatch(
    .Call("call_vemroGetCodes", as.integer(direct), nativeStrings(database), PACKAGE = "Vemro"),
    error = function(e) explainListingFailure(e, database, direct))
  codes <- utf8Texts(strsplit(text, ",", fixed = TRUE)[[1]])
  # An empty page leaves an empty field, which is no code.
  codes <- codes[nzchar(codes)]
  if (is.null(pattern)) return(codes)
  matched <- tryCatch(suppressWarnings(grepl(pattern, codes)), error = function(e) {
    argumentError(sprintf("`pattern` is not a valid regular expression: %s", conditionMessage(e)))
  })
  codes[matched]
}

# The listing's fixed message names no database; a direct one may also
# have failed because the service is out of reach.
explainListingFailure <- function(e, database, direct) {
  status <- unname(apiStatuses[conditionMessage(e)])
  opened <- is.na(status) || status != 1L
  if (direct) stopIfServiceUnreachable()
  vemroAbort(c(conditionMessage(e), i = sprintf("database: %s", shownText(database)),
               i = if (direct && !opened) directOpenHint),
             apiKind(status), if (!is.na(status)) status)
}
