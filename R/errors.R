# Every error that Vemro raises is a condition of class `vemro_error`, with a
# subclass that says what kind of fault it is, so that callers can catch
# one kind with tryCatch() and let the others through:
#   vemro_error_argument     an argument is wrong
#   vemro_error_open         a database cannot be opened
#   vemro_error_not_found    a series is unknown where an error is due
#   vemro_error_auth         the direct service refused the credentials
#   vemro_error_unreachable  the direct service cannot be reached
# `status` carries the vendor library's status where there is one.

vemroAbort <- function(message, kind = NULL, status = NULL, ..., call = NULL) {
  class <- c(if (!is.null(kind)) paste0("vemro_error_", kind), "vemro_error")
  rlang::abort(message, class = class, status = status, ..., call = call)
}

argumentError <- function(message) {
  vemroAbort(message, "argument")
}

# Text that came from a user (a code, a path) shown in a message: control
# characters and bytes that are not text are escaped, so that each can be
# seen, and long text is cut so that a message stays readable.
shownText <- function(x, width = 60L) {
  x <- encodeString(as.character(x), na.encode = FALSE)
  long <- !is.na(x) & nchar(x, type = "chars", allowNA = TRUE) > width
  x[long] <- paste0(substr(x[long], 1L, width - 3L), "...")
  x
}
