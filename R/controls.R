#' Vendor library state
#'
#' `vemroCloseDb()` closes the open local database. `vemroAggregation()`
#' and `vemroSetAggregation()` read and set the aggregation mode of the
#' local library or of the direct service: it decides how observations are
#' combined when a series is read at a lower frequency than its own.
#' `vemroAuthenticate()` signs in to the direct service.
#'
#' @param direct `TRUE` for the direct service, `FALSE` for the local
#'   library.
#' @param mode Aggregation mode, a whole number the vendor library defines.
#' @param user,password Credentials of the direct service.
#' @return `vemroCloseDb()` and `vemroAuthenticate()` return the vendor's
#'   status, 0 for success. `vemroAggregation()` returns the mode.
#'   `vemroSetAggregation()` returns `mode` invisibly and fails with an
#'   error when the library refuses it.
#' @name vendorState
NULL

#' @rdname vendorState
#' @export
vemroCloseDb <- function() {
  .C("c_vemroCloseDb", status = integer(1), PACKAGE = "Vemro")$status
}

#' @rdname vendorState
#' @export
vemroAggregation <- function(direct = FALSE) {
  checkFlag(direct, "direct")
  .C("c_getAggmode", as.integer(direct), mode = integer(1), PACKAGE = "Vemro")$mode
}

#' @rdname vendorState
#' @export
vemroSetAggregation <- function(mode, direct = FALSE) {
  checkFlag(direct, "direct")
  checkInteger(mode, "mode")
  .C("c_setAggmode", as.integer(direct), as.integer(mode), PACKAGE = "Vemro")
  invisible(mode)
}

#' @rdname vendorState
#' @export
vemroAuthenticate <- function(user, password) {
  checkString(user, "user")
  checkString(password, "password")
  .C("c_vemroAuthenticate", user, password, status = integer(1), PACKAGE = "Vemro")$status
}
