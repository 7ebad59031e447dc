# The bridge says only that a direct database did not open, whatever the
# cause. When nothing opened, a service that cannot be reached at all is
# told apart with one plain request for the service's address: no
# credentials travel, and a certificate is not the question here.
stopIfServiceUnreachable <- function() {
  service <- Sys.getenv("VEMRO_SERVICE", defaultService)
  shown <- shownService(service)
  stopIfNoServiceAddress(service)
  reached <- tryCatch({
    curlGetHeaders(service, redirect = FALSE, verify = FALSE, timeout = 5L)
    TRUE
  }, error = function(e) FALSE)
  if (!reached) {
    vemroAbort(sprintf("the direct service at %s cannot be reached (check VEMRO_SERVICE)", shown),
               "unreachable", 1002L)
  }
  invisible()
}

defaultService <- "http://127.0.0.1:8750"

# A user name or password written into the address is not shown.
shownService <- function(service) shownText(sub("//[^/@]*@", "//", service))

stopIfNoServiceAddress <- function(service = Sys.getenv("VEMRO_SERVICE", defaultService)) {
  if (!grepl("^https?://[^/]", service, ignore.case = TRUE)) {
    vemroAbort(sprintf("VEMRO_SERVICE (%s) is not an http:// or https:// address",
                       shownService(service)), "unreachable", 1002L)
  }
  invisible()
}

# What else keeps a direct database from opening once the service answers.
directOpenHint <- paste("the direct service answers: check the database name, and sign in",
                        "with vemroAuthenticate() if the service has users")

# The reads of a direct call found no database open: the service may be
# the reason.
checkDirectOpened <- function(direct, failed, count) {
  if (direct && length(failed$notOpened) == count) stopIfServiceUnreachable()
  invisible()
}
