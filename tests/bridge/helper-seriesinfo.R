# Calls call_vemroSeriesInfo with argument objects made fresh for the call
# and returns what it gave back together with what it wrote into them.
# Unwritten list entries start as -1, so that a test can tell them apart;
# capacity is the length of each failure list.
seriesInfo <- function(codes, seriesDatabases, databases = unique(seriesDatabases),
                       direct = 0L, merge = 0L, resolve = 0L, frequency = 1000L,
                       start = -1L, end = -1L, reopen = 500L, n = length(codes),
                       databaseCount = length(databases), capacity = n) {
  unwritten <- function(length) rep(-1L, length)
  failures <- c(list(unwritten(7)), replicate(7, unwritten(capacity), simplify = FALSE))
  # Fresh vectors: the call writes into them in place.
  fresh <- function(x) {
    v <- integer(1)
    v[1] <- as.integer(x)
    v
  }
  range <- lapply(c(resolve, frequency, start, end, -1L), fresh)
  setAside <- list(unwritten(1), unwritten(3), unwritten(n), unwritten(n), unwritten(n))
  columns <- .Call("call_vemroSeriesInfo", as.integer(direct), failures, codes,
                   seriesDatabases, databases, as.integer(databaseCount), as.integer(n),
                   as.integer(merge), range, setAside, as.integer(reopen), PACKAGE = "Vemro")
  counts <- failures[[1]]
  lengths <- setAside[[2]]
  list(columns = columns, counts = counts,
       failed = lapply(1:7, function(k) failures[[k + 1]][seq_len(max(counts[k], 0L))]),
       failures = failures,
       range = vapply(range, function(x) x[[1]], integer(1))[-1],
       lengths = lengths,
       setAside = lapply(1:3, function(k) setAside[[k + 2]][seq_len(max(lengths[k], 0L))]))
}

# A SeriesInfo record with data; fields not named are those of an annual
# series from 2001 to 2020 that aggregates.
record <- function(code, ...) {
  fields <- list(code = code, firstPeriod = 2001L, lastPeriod = 2020L, attrA = 20L,
                 frequency = 10L, attrF = 1L)
  fields[names(list(...))] <- list(...)
  fields
}

infoFunction <- function(direct) if (direct) "QVBDGetInfo" else "QVBGetInfo"

# Queues the answers of consecutive information requests, one per record;
# a status other than 0 comes with no record.
scriptInfo <- function(direct, ...) {
  for (answer in list(...)) {
    if (is.list(answer)) script(infoFunction(direct), 0L, record = answer)
    else script(infoFunction(direct), as.integer(answer))
  }
}

# The calls of the set-up that every batch starts with.
setUpCalls <- function(direct = FALSE, merge = FALSE, saved = 0L) {
  p <- if (direct) "QVBD" else "QVB"
  c(sprintf("%sEnableRetries(1)", p), sprintf("%sEnableAnsi(0)", p),
    sprintf("%sGetMergeData()", p), sprintf("%sSetMergeData(1)", p),
    if (merge) sprintf("%sSetMergeData(3)", p))
}

restoreCalls <- function(direct = FALSE, saved = 0L) {
  p <- if (direct) "QVBD" else "QVB"
  c(sprintf("%sSetMergeData(%d)", p, saved), sprintf("%sCloseDatabase()", p))
}

openCall <- function(direct, database) {
  sprintf("%sOpenDatabase(\"%s\")", if (direct) "QVBD" else "QVB", database)
}
