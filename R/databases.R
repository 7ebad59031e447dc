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
  folder <- nativeStrings(path)
  if (!dir.exists(folder)) argumentError(sprintf("`path`: no such folder: %s", shownText(path)))
  # Matched as bytes: a file name that is not valid text in this locale is
  # still a database.
  files <- list.files(folder, full.names = TRUE)
  files <- files[grepl("\\.vdb$", files, useBytes = TRUE)]
  # Only files that can be databases: no folders, dangling links or empty files.
  sort(files[utils::file_test("-f", files) & file.size(files) > 0])
}
