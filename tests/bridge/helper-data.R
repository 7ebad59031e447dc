# Calls of the batch data and code listing entry points through the double.

# c_vemroGetData over series codes and their databases; the databases to
# visit default to the distinct ones in order of first appearance. Returns
# the matrix as the call left it.
getData <- function(codes, seriesDatabases, databases = unique(seriesDatabases),
                    direct = 0L, merge = 0L, stride = 2L, reopen = 100L,
                    matrix = rep(0, length(codes) * stride), start = 20201L, end = 20204L,
                    frequency = 30L, seriesCount = length(codes)) {
  bridge("c_vemroGetData", as.integer(direct), matrix = as.double(matrix),
         as.character(codes), as.character(seriesDatabases), as.character(databases),
         length(databases), as.integer(seriesCount), as.integer(start), as.integer(end),
         as.integer(frequency), as.integer(merge), as.integer(stride),
         as.integer(reopen))$matrix
}

getCodes <- function(database, direct = 0L) {
  .Call("call_vemroGetCodes", as.integer(direct), database, PACKAGE = "Vemro")
}

# The logged calls of one vendor function.
callsOf <- function(fn) {
  calls <- vendorCalls()
  calls[startsWith(calls, paste0(fn, "("))]
}

# How the double logs a fetch of the quarters 2020Q1 to 2020Q4.
localFetch <- function(database, code) {
  sprintf('QVBGetData("%s", "%s", 20201, 20204, 30)', database, code)
}
directFetch <- function(database, chunk = NULL) {
  sprintf('QVBDGetData("%s", %s, 20201, 20204, 30)', database,
          if (is.null(chunk)) "NULL" else sprintf('"%s"', chunk))
}

# The chunk each direct fetch carried, NA for the fetches that carried none.
fetchedChunks <- function() {
  fetches <- callsOf("QVBDGetData")
  chunks <- sub('^QVBDGetData\\("[^"]*", "([^"]*)".*$', "\\1", fetches)
  chunks[grepl(", NULL, ", fetches, fixed = TRUE)] <- NA
  chunks
}

# The count of the quarters 2020Q1 to 2020Q4 that the stride is checked
# against before the first open.
strideCheck <- function(prefix = "QVB") sprintf("%sGetObsNum(20201, 20204, 30)", prefix)

settingsTakeOver <- function(prefix, merge) {
  sprintf(c("%sEnableRetries(1)", "%sEnableAnsi(0)", "%sGetMergeData()",
            paste0("%sSetMergeData(", merge, ")")), prefix)
}

# The code the service answers each direct fetch for: a fetch that carries
# a chunk gets the chunk's first code, each following one the next code of
# that chunk (NA once the chunk is used up).
servedCodes <- function() {
  served <- character(0)
  queue <- character(0)
  for (chunk in fetchedChunks()) {
    if (!is.na(chunk)) queue <- strsplit(chunk, ",", fixed = TRUE)[[1]]
    served <- c(served, if (length(queue)) queue[[1]] else NA_character_)
    queue <- queue[-1]
  }
  served
}
