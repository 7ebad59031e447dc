#' Interface version of the native library
#'
#' @return The version of the interface between the R code and the native
#'   library, an integer.
#' @examples
#' vemroVersion()
#' @export
vemroVersion <- function() {
  .C("c_vemroCVersion", version = integer(1), PACKAGE = "Vemro")$version
}
