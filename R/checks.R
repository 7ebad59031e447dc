# Argument checks shared by the exported functions. Each names the argument
# and says what was wrong with it.

checkCount <- function(x, name) {
  checkInteger(x, name)
  if (x < 0L) argumentError(sprintf("`%s` must not be negative, not %d", name, x))
  invisible(x)
}

checkInteger <- function(x, name) {
  if (!is.numeric(x) || length(x) != 1L || is.na(x) || x != trunc(x) ||
      abs(x) > .Machine$integer.max) {
    argumentError(sprintf("`%s` must be a single whole number", name))
  }
  invisible(x)
}

checkFlag <- function(x, name) {
  if (!is.logical(x) || length(x) != 1L || is.na(x)) {
    argumentError(sprintf("`%s` must be TRUE or FALSE", name))
  }
  invisible(x)
}

checkString <- function(x, name) {
  if (!is.character(x) || length(x) != 1L || is.na(x)) {
    argumentError(sprintf("`%s` must be a single string", name))
  }
  invisible(x)
}
