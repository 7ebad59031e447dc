# The bridge says only that a direct database did not open, whatever the
# cause. When nothing opened, a service that cannot be reached at all is
# told apart with one plain request for the service's address: no
# credentials travel, and a certificate is not the question here.
stopIfServiceUnreachable <- function() {
  service <- Sys.getenv("VEMRO_SERVICE", "http://127.0.0.1:8750")
  reached <- tryCatch({
    curlGetHeaders(service, redirect = FALSE, verify = FALSE, timeout = 5L)
    TRUE
  }, error = function(e) FALSE)
  if (!reached) {
    # A user name or password written into the address is not shown.
    shown <- sub("//[^/@]*@", "//", service)
    vemroAbort(sprintf("the direct service at %s cannot be reached (check VEMRO_SERVICE)",
                       shownText(shown)), "unreachable", 1002L)
  }
  invisible()
}

# The reads of a direct call found no database open: the service may be
# the reason.
checkDirectOpened <- function(direct, failed, count) {
  if (direct && length(failed$notOpened) == count) stopIfServiceUnreachable()
  invisible()
}
