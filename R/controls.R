#' Vendor library state
#'
#' `vemroCloseDb()` closes the open local database. `vemroAggregation()`
#' and `vemroSetAggregation()` read and set the aggregation mode of the
#' local library or of the direct service: it decides how observations are
#' combined when a series is read at a lower frequency than its own.
#' `vemroAuthenticate()` signs in to the direct service; the service and the
#' certificates to trust are named by the environment variables
#' `VEMRO_SERVICE` (by default `http://127.0.0.1:8750`) and `VEMRO_CA_FILE`
#' (see the client library's README).
#'
#' @param direct `TRUE` for the direct service, `FALSE` for the local
#'   library.
#' @param mode Aggregation mode: 0 strict (a period with any observation
#'   missing is NA), 1 relaxed (the present observations are aggregated).
#' @param user,key Credentials of the direct service. When not given they
#'   are read from the environment variables `VEMRO_USER` and `VEMRO_KEY`,
#'   which keeps the key out of R's history. The key is never shown in a
#'   message.
#' @return `vemroCloseDb()` returns the vendor's status, 0 for success.
#'   `vemroAuthenticate()` returns 0 invisibly and fails with an error of
#'   class `vemro_error_auth` (`vemro_error_unreachable` when the service
#'   cannot be reached) that carries the client's `status`.
#'   `vemroAggregation()` returns the mode.
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

# The modes the engine documents: 0 strict, 1 relaxed.
aggregationModes <- c(0L, 1L)

#' @rdname vendorState
#' @export
vemroSetAggregation <- function(mode, direct = FALSE) {
  checkFlag(direct, "direct")
  checkInteger(mode, "mode")
  if (!mode %in% aggregationModes) {
    argumentError(sprintf("`mode` must be 0 (strict) or 1 (relaxed), not %s",
                          format(mode, scientific = FALSE)))
  }
  .C("c_setAggmode", as.integer(direct), as.integer(mode), PACKAGE = "Vemro")
  invisible(mode)
}

#' @rdname vendorState
#' @export
vemroAuthenticate <- function(user = NULL, key = NULL) {
  user <- credential(user, "user", "VEMRO_USER")
  key <- credential(key, "key", "VEMRO_KEY")
  status <- .C("c_vemroAuthenticate", nativeStrings(user), nativeStrings(key), status = integer(1),
                PACKAGE = "Vemro")$status
  if (status != 0L) authenticationError(status, user)
  invisible(status)
}

# A credential given, or else read from its environment variable.
credential <- function(value, name, variable) {
  if (is.null(value)) {
    value <- Sys.getenv(variable)
    if (!nzchar(value)) {
      argumentError(sprintf("`%s` is not given and %s is not set", name, variable))
    }
  }
  checkString(value, name)
}

# The message names the user and the reason, never the key.
authenticationError <- function(status, user) {
  if (status == 1002L) stopIfNoServiceAddress()
  reason <- switch(as.character(status),
    "1001" = sprintf("the service refused the credentials of user \"%s\"", shownText(user)),
    "1002" = paste("the service cannot be reached, or its certificate is not trusted",
                   "(check VEMRO_SERVICE, and VEMRO_CA_FILE for HTTPS)"),
    "1003" = "the service sent a malformed answer",
    "1004" = "the service refused the request",
    "1006" = paste(
      "credentials are sent only over HTTPS or to this machine,",
      "and VEMRO_SERVICE is plain HTTP to another host"
    ),
    sprintf("the client returned status %d", status)
  )
  kind <- if (status == 1002L) "unreachable" else "auth"
  vemroAbort(paste0("Sign-in to the direct service failed: ", reason, "."),
    kind = kind, status = status
  )
}
