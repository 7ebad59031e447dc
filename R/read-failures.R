# The bridge ends a failed read with a fixed message that names neither the
# series nor the database, and reports the engine's conversion statuses as
# "API: Unknown error.". The series' information tells which one failed and
# why; the error then says so, keeping the bridge's message first.

readFailureReasons <- c(notOpened = "the database did not open", notFound = "no series with this code",
                    infoNotLoaded = "its information is damaged or unreadable",
                    sourceNotLoaded = "its source information is unreadable",
                    status5 = "the library reported status 5", status6 = "the library reported status 6",
                    otherStatus = "the library reported an unknown status")

explainReadFailure <- function(e, codes, databases, frequency, direct = FALSE,
                               readSeries = NULL) {
  if (inherits(e, "vemro_error")) stop(e)
  failure <- nativeFailure(conditionMessage(e))
  message <- failure$message
  status <- failure$status
  if (!startsWith(message, "API:") && is.na(status)) vemroAbort(message)
  notOpened <- direct && status %in% 1L
  if (notOpened) stopIfServiceUnreachable()
  culprit <- tryCatch(failingSeries(codes, databases, frequency, direct, readSeries),
                      error = function(e) NULL)
  if (is.na(status) && !is.null(culprit$status)) status <- culprit$status
  detail <- if (!is.null(culprit)) {
    sprintf("%s in %s: %s", shownText(codes[culprit$position]),
            shownText(databases[culprit$position]), culprit$reason)
  }
  # `series`: the position of the failing series, for callers that go on
  # without it.
  vemroAbort(c(message, i = detail, i = if (notOpened) directOpenHint), apiKind(status),
             if (!is.na(status)) status, series = culprit$position)
}

# A bridge message with the vendor status it stands for (NA for none
# known). The older chain words the same failures without the prefix and
# the final period, and names the database or the code after some of
# them; that name is cut to a readable length.
nativeFailure <- function(message) {
  status <- unname(apiStatuses[c(message, paste0("API: ", message, "."))])
  status <- status[!is.na(status)][1]
  # As bytes: the name may be no valid text in this locale.
  named <- regmatches(message, regexec(
    "^(Could not open database|Unable to (?:load|find) variable name) (.*)$", message,
    perl = TRUE, useBytes = TRUE))[[1]]
  if (length(named) == 3L) {
    status <- if (startsWith(named[2], "Could")) 1L else 2L
    message <- paste(named[2], shownText(named[3]))
  }
  list(message = message, status = status)
}

# The first series whose information cannot be read, or that the engine
# cannot convert to the frequency, or, with `readSeries`, whose
# observations cannot be read alone; NULL when none is found.
failingSeries <- function(codes, databases, frequency, direct, readSeries = NULL) {
  info <- vemroSeriesInfo(codes, databases, direct = direct, resolve = FALSE)
  failed <- unlist(info$failed)
  if (length(failed) > 0L) {
    first <- which.min(failed)
    return(list(position = failed[[first]],
                reason = readFailureReasons[[sub("[0-9]+$", "", names(failed)[first])]]))
  }
  if (!frequency %in% frequencyCodes) return(NULL)
  own <- info$info$frequency
  higher <- which(frequency > own & !(frequency %in% 51:57 & own %in% 51:57))
  if (length(higher) > 0L) {
    return(list(position = higher[1], status = 22L,
                reason = sprintf("the frequency asked for (%d) is higher than the series' own (%d)",
                                 as.integer(frequency), own[higher[1]])))
  }
  fixed <- which(own != frequency & info$info$attrF %in% c(0L, 9L))
  if (length(fixed) > 0L) {
    return(list(position = fixed[1], status = 21L,
                reason = "its aggregation type forbids converting it to another frequency"))
  }
  if (is.null(readSeries)) return(NULL)
  for (position in seq_along(codes)) {
    failed <- tryCatch({ readSeries(position); FALSE }, error = function(e) TRUE)
    if (failed) {
      return(list(position = position, reason = "its stored observations are damaged or unreadable"))
    }
  }
  NULL
}
