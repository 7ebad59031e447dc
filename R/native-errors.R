# Errors of the native entry points arrive as plain "API: ..." messages.
# nativeCall() re-raises them as classed errors carrying the vendor status.

apiStatuses <- c("API: Unable to open database." = 1L,
                 "API: Unable to find variable name." = 2L,
                 "API: Unable to load variable information." = 3L,
                 "API: Unable to load source information." = 4L,
                 "API: Unable to re-open database." = 11L,
                 "API: Unable to set aggregation mode." = 20L)

apiKind <- function(status) {
  if (is.na(status)) return(NULL)
  switch(as.character(status), "1" = "open", "11" = "open", "2" = "not_found", NULL)
}

nativeCall <- function(expr) {
  tryCatch(expr, error = function(e) {
    if (inherits(e, "vemro_error")) stop(e)
    message <- conditionMessage(e)
    if (!startsWith(message, "API:")) vemroAbort(message)
    status <- unname(apiStatuses[message])
    vemroAbort(message, apiKind(status), if (is.na(status)) NULL else status)
  })
}
