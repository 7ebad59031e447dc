# The vendor libraries under these tests are the scripted double: the test
# runner puts its folder first on LD_LIBRARY_PATH before R starts, so the
# shipped bridge loads it in place of the real ones.
doubleLibrary <- function() {
  loaded <- getLoadedDLLs()
  if (!"libvemro_double_script" %in% names(loaded)) {
    path <- file.path(Sys.getenv("VEMRO_DOUBLE_DIR"), "libvemro_double_script.so")
    if (!file.exists(path)) stop("the vendor test double was not found at ", path)
    dyn.load(path)
  }
  "libvemro_double_script"
}

resetDouble <- function() {
  invisible(.Call("vemroDouble_reset", PACKAGE = doubleLibrary()))
}

# Queues one answer of a vendor function: its status (or value), and what
# it writes: a SeriesInfo record (a named list), doubles, or a text.
script <- function(fn, status = 0L, record = NULL, data = NULL, text = NULL) {
  if (!is.null(data)) data <- as.double(data)
  invisible(.Call("vemroDouble_script", fn, as.integer(status), record, data, text,
                  PACKAGE = doubleLibrary()))
}

scriptAll <- function(fn, statuses) {
  for (status in statuses) script(fn, status)
}

vendorCalls <- function() .Call("vemroDouble_calls", PACKAGE = doubleLibrary())

bridge <- function(entry, ...) .C(entry, ..., PACKAGE = "Vemro")

apiError <- function(code) {
  .Call("vemroDouble_callWithInt", getNativeSymbolInfo("apiError", "Vemro")$address,
        as.integer(code), PACKAGE = doubleLibrary())
}

# The condition message, exactly, of an expression that must fail.
errorMessage <- function(expr) {
  condition <- tryCatch({
    expr
    NULL
  }, error = function(e) e)
  if (is.null(condition)) return(NA_character_)
  conditionMessage(condition)
}
