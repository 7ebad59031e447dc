# Helpers for the local pointer-style chain: series records for the double,
# and calls of qvbGetInfo, getObsNum and qvbGetData.

# A quarterly series from 1990 Q1 to 2020 Q4 unless told otherwise.
seriesRecord <- function(...) {
  utils::modifyList(list(code = "X1", firstPeriod = 19901L, lastPeriod = 20204L,
                         frequency = 30L), list(...))
}

# A vector of the same type and contents that nothing else references, so
# that an in-place call may write into it.
freshCopy <- function(x) {
  copy <- vector(typeof(x), length(x))
  copy[] <- x
  copy
}

# Calls an entry point on the vectors themselves rather than on copies, and
# returns them as the call left them, with the error message, if any: the
# outputs that a failing call wrote before its error stay visible.
inPlace <- function(entry, args) {
  args <- lapply(args, freshCopy)
  address <- getNativeSymbolInfo(entry, "Vemro")$address
  error <- errorMessage(.Call("vemroDouble_callInPlace", address, args,
                              PACKAGE = doubleLibrary()))
  list(outputs = args, error = error)
}

infoOutputs <- function() {
  list(firstDate = -7L, lastDate = -7L, attrA = -7L, frequency = -7L, attrB = -7L,
       attrC = -7L, attrD = -7L, attrE = -7L, attrF = -7L, textA = "before",
       textB = "before", textC = "before", textD = "before", textE = "before",
       textF = "before")
}

infoArgs <- function(database = "DB", code = "X1") c(list(database, code), infoOutputs())

localInfo <- function(database = "DB", code = "X1") {
  do.call(bridge, c("qvbGetInfo", infoArgs(database, code)))
}

# The nine arguments of getObsNum; every database listed once, in order of
# first appearance, unless `databases` says otherwise.
rangeArgs <- function(seriesDatabases, codes, databases = unique(seriesDatabases),
                      start = -1L, end = -1L, frequency = 1000L) {
  list(databases, length(databases), seriesDatabases, codes, length(codes),
       start = as.integer(start), end = as.integer(end), frequency = as.integer(frequency),
       observations = -7L)
}

localRangeOf <- function(...) do.call(bridge, c("getObsNum", rangeArgs(...)))

# The ten arguments of qvbGetData, with a matrix of -7s, `stride` rows per
# column.
dataArgs <- function(seriesDatabases, codes, databases = unique(seriesDatabases),
                     start = 19901L, end = 19902L, frequency = 30L, stride = 2L) {
  list(databases, length(databases), seriesDatabases, codes, length(codes),
       start = as.integer(start), end = as.integer(end), as.integer(frequency),
       as.integer(stride), matrix = rep(-7, max(stride, 0L) * length(codes)))
}

localData <- function(...) do.call(bridge, c("qvbGetData", dataArgs(...)))

columns <- function(result, stride) matrix(result$matrix, nrow = stride)
