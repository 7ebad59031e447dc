# Argument checks for lists of series. Each names the argument and says
# what was wrong with it.

checkStrings <- function(x, name) {
  if (!is.character(x) || anyNA(x)) {
    argumentError(sprintf("`%s` must be a character vector without NA", name))
  }
  invisible(x)
}

# The library takes names of 1 to 511 bytes; a longer one would only fail
# to open, as if the file were not there.
checkDatabaseNames <- function(x, name) {
  if (!all(nzchar(x))) argumentError(sprintf("`%s` must not hold an empty name", name))
  if (any(nchar(x, type = "bytes") > 511L)) {
    argumentError(sprintf("`%s` must be at most 511 bytes long%s", name,
                          if (length(x) > 1L) " each" else ""))
  }
  invisible(x)
}

checkPositive <- function(x, name) {
  checkInteger(x, name)
  if (x < 1L) argumentError(sprintf("`%s` must be at least 1, not %d", name, as.integer(x)))
  invisible(x)
}

# One database name per series; a single name stands for every series.
seriesDatabases <- function(databases, codes) {
  checkStrings(databases, "databases")
  checkDatabaseNames(databases, "databases")
  if (length(databases) == 1L) return(rep(databases, length(codes)))
  if (length(databases) != length(codes)) {
    argumentError(sprintf("`databases` must have one name or one per series (%d), not %d",
                 length(codes), length(databases)))
  }
  databases
}
