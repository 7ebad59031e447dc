#' Local databases in a folder
#'
#' @param path A folder.
#' @return The paths of the local database files (`*.vdb`) in `path`,
#'   sorted.
#' @examples
#' vemroDatabases(dirname(vemroExampleDb()))
#' @export
vemroDatabases <- function(path = ".") {
  checkString(path, "path")
  if (!dir.exists(path)) argumentError(sprintf("`path`: no such folder: %s", shownText(path)))
  sort(list.files(path, pattern = "\\.vdb$", full.names = TRUE))
}
