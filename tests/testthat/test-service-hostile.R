# A real vemro-serve fed malformed and hostile traffic over raw sockets:
# each attempt is refused, and afterwards the process is alive and answers
# a normal request correctly. Every socket has a timeout, so nothing hangs.

# A root with the example database, and a database just outside it that no
# name may reach.
hostileRoot <- function(env = parent.frame()) {
  folder <- tempfile("vemro-hostile")
  root <- file.path(folder, "root")
  dir.create(file.path(root, "sub"), recursive = TRUE)
  withr::defer(unlink(folder, recursive = TRUE), envir = env)
  file.copy(vemroExampleDb(), file.path(root, "vemro-example.vdb"))
  file.copy(vemroExampleDb(), file.path(folder, "outside.vdb"))
  root
}

expectServiceSound <- function(service) {
  expect_true(service$process$is_alive())
  answer <- rawExchange(service$port, httpRequest("GET", "/v1/open?db=vemro-example"))
  expect_identical(answerStatus(answer), 200L)
  expect_identical(answerBody(answer), '{"db":"vemro-example","series":14}')
  old <- Sys.getenv("VEMRO_SERVICE", unset = NA)
  on.exit(if (is.na(old)) Sys.unsetenv("VEMRO_SERVICE") else Sys.setenv(VEMRO_SERVICE = old))
  Sys.setenv(VEMRO_SERVICE = service$url)
  direct <- vemroFetch(c("AIRPASS", "UKGAS"), "vemro-example", "quarterly", source = "direct")
  local <- vemroFetch(c("AIRPASS", "UKGAS"), vemroExampleDb(), "quarterly", source = "local")
  expect_identical(direct, local)
}

statusOf <- function(service, bytes, wait = 2) answerStatus(rawExchange(service$port, bytes, wait))

post <- function(target, body) httpRequest("POST", target, body)

test_that("malformed requests are refused with a client error", {
  service <- startRawService(hostileRoot())
  garbage <- as.raw(c(0xff, 0x00, 0x13, 0x10, 0x80, 0x0d, 0x0a, 0x0d, 0x0a))
  expect_identical(statusOf(service, garbage), 400L)
  expect_identical(statusOf(service, "GET /v1/open?db=vemro-example\r\n\r\n"), 400L)
  expect_identical(statusOf(service, "BREW /v1/open HTTP/1.1\r\nHost: x\r\n\r\n"), 400L)
  huge <- paste0("X-Filler: ", strrep("a", 100000))
  expect_identical(statusOf(service, httpRequest("GET", "/v1/open?db=vemro-example",
                                                 headers = huge)), 400L)
  longTarget <- paste0("/v1/open?db=", strrep("a", 100000))
  expect_identical(statusOf(service, httpRequest("GET", longTarget)), 414L)
  expect_identical(statusOf(service, post("/v1/info", "{\"db\": \"vemro-example\", ")), 400L)
  expect_identical(statusOf(service, post("/v1/info", "[1, 2, 3]")), 400L)
  deepArray <- paste0(strrep("[", 300000), strrep("]", 300000))
  expect_identical(statusOf(service, post("/v1/info", deepArray), wait = 10), 400L)
  deepObject <- paste0(strrep("{\"a\":", 150000), "1", strrep("}", 150000))
  expect_identical(statusOf(service, post("/v1/data", deepObject), wait = 10), 400L)
  expectServiceSound(service)
})

test_that("names that are not UTF-8 are refused or unknown, never served", {
  service <- startRawService(hostileRoot())
  badCode <- c(charToRaw("{\"db\":\"vemro-example\",\"codes\":[\""), as.raw(c(0xff, 0xfe)),
               charToRaw("\"],\"merge\":0,\"aggregation\":0}"))
  expect_identical(statusOf(service, post("/v1/info", badCode)), 400L)
  badDatabase <- c(charToRaw("{\"db\":\""), as.raw(0xc3), charToRaw("\",\"codes\":[\"NILE\"],\"merge\":0,\"aggregation\":0}"))
  expect_identical(statusOf(service, post("/v1/info", badDatabase)), 400L)
  expect_identical(statusOf(service, httpRequest("GET", "/v1/open?db=%ff%fe")), 404L)
  expect_identical(statusOf(service, httpRequest("GET", "/v1/names?db=vemro-example%00x")), 403L)
  expectServiceSound(service)
})

test_that("no name or path reaches a file outside the root", {
  service <- startRawService(hostileRoot())
  for (name in c("../outside", "%2e%2e/outside", "%2e%2e%2foutside", "sub/../../outside",
                 "sub%2f%2e%2e%2f%2e%2e%2foutside", "/etc/passwd", "%2fetc%2fpasswd",
                 "..%5coutside")) {
    expect_identical(statusOf(service, httpRequest("GET", paste0("/v1/open?db=", name))), 403L,
                     label = name)
  }
  outside <- "{\"db\":\"../outside\",\"codes\":[\"NILE\"],\"merge\":0,\"aggregation\":0}"
  expect_identical(statusOf(service, post("/v1/info", outside)), 403L)
  for (target in c("/v1/../v1/open?db=vemro-example", "/v1/%2e%2e/v1/open?db=vemro-example",
                   "/%2e%2e/%2e%2e/etc/passwd")) {
    expect_identical(statusOf(service, httpRequest("GET", target)), 404L, label = target)
  }
  expectServiceSound(service)
})

test_that("wrong methods are refused", {
  service <- startRawService(hostileRoot())
  expect_identical(statusOf(service, httpRequest("GET", "/v1/data")), 405L)
  expect_identical(statusOf(service, httpRequest("GET", "/v1/token")), 405L)
  expect_identical(statusOf(service, post("/v1/open?db=vemro-example", "{}")), 405L)
  for (method in c("DELETE", "PUT", "PATCH")) {
    expect_identical(statusOf(service, httpRequest(method, "/v1/data", "{}")), 405L,
                     label = method)
    expect_identical(statusOf(service, httpRequest(method, "/v1/open?db=vemro-example")), 405L,
                     label = method)
  }
  expect_identical(statusOf(service, httpRequest("OPTIONS", "/v1/data", "{}")), 404L)
  expectServiceSound(service)
})

test_that("oversized and unfinished bodies and idle connections leave the service working", {
  service <- startRawService(hostileRoot())
  oversized <- post("/v1/data", strrep(" ", 2 * 1024 * 1024))
  expect_identical(statusOf(service, oversized, wait = 10), 413L)
  chunk <- paste0(as.hexmode(1024 * 1024), "\r\n", strrep(" ", 1024 * 1024), "\r\n")
  chunked <- paste0("POST /v1/data HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n",
                    chunk, chunk, "0\r\n\r\n")
  expect_true(statusOf(service, chunked, wait = 10) %in% c(400L, 413L))
  # Announces 1000 bytes, sends 10, and goes away.
  unfinished <- socketConnection("127.0.0.1", service$port, blocking = TRUE, open = "r+b",
                                 timeout = 2)
  writeBin(charToRaw("POST /v1/info HTTP/1.1\r\nHost: x\r\nContent-Length: 1000\r\n\r\n{\"db\": \"v"),
           unfinished)
  close(unfinished)
  # More idle connections than the service's 64 workers: it drops them
  # after its 5 s read timeout, so a normal request waits for that and no
  # longer.
  idle <- lapply(1:70, function(i) {
    socketConnection("127.0.0.1", service$port, blocking = TRUE, open = "r+b", timeout = 2)
  })
  on.exit(lapply(idle, close), add = TRUE)
  elapsed <- system.time(
    answer <- rawExchange(service$port, httpRequest("GET", "/v1/open?db=vemro-example"), 20)
  )[["elapsed"]]
  expect_identical(answerStatus(answer), 200L)
  expect_lt(elapsed, 12)
  expectServiceSound(service)
})
