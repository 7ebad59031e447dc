#' The example database and the database tool
#'
#' `vemroExampleDb()` is the path of the example database that comes with
#' Vemro: annual, quarterly, monthly and daily series from R's own
#' `datasets` package (Nile, lynx, LakeHuron, JohnsonJohnson, UKgas,
#' presidents, AirPassengers, co2, nottem, UKDriverDeaths and airquality).
#' `vemroDbTool()` is the path of `vemro-db`, the command-line tool that
#' creates local databases, imports series from CSV files, lists, shows,
#' exports and verifies them.
#'
#' @return A file path.
#' @examples
#' vemroCodes(vemroExampleDb())
#' @export
vemroExampleDb <- function() {
  installedFile("extdata", "vemro-example.vdb")
}

#' @rdname vemroExampleDb
#' @export
vemroDbTool <- function() {
  installedFile("bin", "vemro-db")
}

installedFile <- function(folder, name) {
  path <- system.file(folder, name, package = "Vemro")
  if (!nzchar(path)) stop(sprintf("%s is missing from the installed package", name),
                          call. = FALSE)
  path
}
