# vemroFetch() of the same 10,000 monthly series of 600 observations read
# from the local database file and through vemro-serve on loopback serving
# that file; best of 3 of each.
library(Vemro)
series <- 10000L
observations <- 600L
rounds <- 3L
folder <- tempfile("vemro-direct-bench")
dir.create(folder)
set.seed(1)
codes <- sprintf("S%05d", seq_len(series))
values <- matrix(round(rnorm(series * observations), 4), observations,
                 dimnames = list(NULL, codes))
db <- file.path(folder, "bench.vdb")
write <- system.time(vemroWrite(ts(values, start = 1970, frequency = 12), db))[["elapsed"]]
rm(values)

# The folder lies in R's session folder, which R removes at exit, and
# processx stops the service at exit too, whatever ends the script.
server <- processx::process$new(system.file("bin", "vemro-serve", package = "Vemro"),
                                c("--root", folder, "--listen", "127.0.0.1:0"),
                                stdout = "|", stderr = file.path(folder, "serve.log"))
invisible(server$poll_io(10000))
url <- sub("^listening on ", "", server$read_output_lines(n = 1))
stopifnot(grepl("^http://127\\.0\\.0\\.1:[0-9]+$", url))
Sys.setenv(VEMRO_SERVICE = url)

bestOf <- function(read) {
  times <- vapply(seq_len(rounds), function(i) system.time(read())[["elapsed"]], numeric(1))
  min(times)
}
viaLocal <- function() vemroFetch(codes, db, as = "matrix", source = "local")
viaDirect <- function() vemroFetch(codes, "bench", as = "matrix", source = "direct")
stopifnot(identical(viaDirect(), viaLocal()))
local <- bestOf(viaLocal)
direct <- bestOf(viaDirect)
requests <- length(grep(" 200 ", readLines(file.path(folder, "serve.log"))))
cat(sprintf("series %d x %d observations (monthly), best of %d\n", series, observations, rounds))
cat(sprintf("vemroWrite (build the database): %.2f s\n", write))
cat(sprintf("vemroFetch local:                %.3f s\n", local))
cat(sprintf("vemroFetch direct (loopback):    %.3f s\n", direct))
cat(sprintf("ratio direct / local:            %.2f (goal: at most 2)\n", direct / local))
cat(sprintf("requests the service answered:   %d over %d direct reads\n", requests,
            rounds + 1L))
invisible(server$kill())
