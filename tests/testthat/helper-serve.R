# The installed vemro-serve on a free loopback port, and raw HTTP over
# sockets to it.

# Starts the service over root and stops it when the calling test ends.
startRawService <- function(root, env = parent.frame()) {
  program <- system.file("bin", "vemro-serve", package = "Vemro")
  testthat::skip_if_not_installed("processx")
  testthat::skip_if_not_installed("withr")
  testthat::skip_if_not(file.exists(program), "vemro-serve is not installed")
  process <- processx::process$new(program, c("--root", root, "--listen", "127.0.0.1:0"),
                                   stdout = "|")
  withr::defer(process$kill(), envir = env)
  process$poll_io(10000)
  line <- process$read_output_lines(n = 1)
  stopifnot(length(line) == 1L, grepl("^listening on http://127\\.0\\.0\\.1:[0-9]+$", line))
  list(process = process, url = sub("^listening on ", "", line),
       port = as.integer(sub(".*:", "", line)))
}

# Sends bytes on a fresh connection and returns the answer: its head and as
# much of the body as Content-Length announces, or whatever arrived before
# the service closed the connection or `wait` seconds passed.
rawExchange <- function(port, bytes, wait = 2) {
  con <- socketConnection("127.0.0.1", port, blocking = TRUE, open = "r+b", timeout = wait)
  on.exit(close(con))
  writeBin(if (is.raw(bytes)) bytes else charToRaw(bytes), con)
  head <- readHead(con)
  announced <- regmatches(rawToChar(head), regexpr("(?i)content-length: *[0-9]+", rawToChar(head),
                                                  perl = TRUE))
  if (length(announced) == 0L) return(head)
  c(head, readBin(con, "raw", as.integer(sub(".*: *", "", announced))))
}

# Byte by byte up to the blank line that ends the head, so that reading
# never waits on a connection the service keeps open.
readHead <- function(con) {
  head <- raw(0)
  end <- charToRaw("\r\n\r\n")
  repeat {
    byte <- readBin(con, "raw", 1L)
    if (length(byte) == 0L) return(head)
    head <- c(head, byte)
    n <- length(head)
    if (n >= 4L && identical(head[(n - 3L):n], end)) return(head)
  }
}

httpRequest <- function(method, target, body = raw(0), headers = character()) {
  if (is.character(body)) body <- charToRaw(body)
  head <- paste0(method, " ", target, " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n",
                 paste(sprintf("%s\r\n", headers), collapse = ""),
                 "Content-Length: ", length(body), "\r\n\r\n")
  c(charToRaw(head), body)
}

# The status code of a raw answer; NA when nothing came back.
answerStatus <- function(answer) {
  text <- rawToChar(answer[seq_len(min(length(answer), 64L))])
  if (!grepl("^HTTP/1\\.1 [0-9]{3} ", text)) return(NA_integer_)
  as.integer(substr(text, 10L, 12L))
}

answerBody <- function(answer) {
  text <- rawToChar(answer)
  sub("^.*?\r\n\r\n", "", text)
}
