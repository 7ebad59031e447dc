# Times the batch entry points on generated databases of monthly series
# against the same engine reads made directly, in one run, and the whole
# call from R with R's own work (argument copies, first touches) apart.
# Usage: Rscript bridge-benchmark.R BUILD_FOLDER ROUNDS
args <- commandArgs(trailingOnly = TRUE)
folder <- args[[1]]
rounds <- as.integer(args[[2]])
library(Vemro)
dyn.load(file.path(folder, "bench", "libvemro_bridge_bench.so"))
benchLibrary <- "libvemro_bridge_bench"

observations <- 600L
range <- c(197001L, 201912L, 40L, observations)  # start, end, frequency, stride

database <- function(name, prefix, count) {
  path <- file.path(folder, name)
  .Call("benchGenerate", path, prefix, count, observations, PACKAGE = benchLibrary)
  path
}
# 100,000 series in one database, and 20 databases of 5,000 series each.
single <- list(codes = sprintf("B%06d", 0:99999),
               databases = rep(database("bench-100k-monthly.vdb", "B", 100000L), 100000L))
many <- lapply(1:20, function(d) database(sprintf("bench-5k-%02d.vdb", d), "B", 5000L))
spread <- list(codes = rep(sprintf("B%06d", 0:4999), 20), databases = rep(unlist(many), each = 5000))

entry <- function(name) getNativeSymbolInfo(name, "Vemro")$address

# The entry point writes into its failure, range and set-aside vectors in
# place, so every call gets new ones, never shared constants.
fresh <- function(x) {
  vector <- integer(1)
  vector[1] <- as.integer(x)
  vector
}

infoArguments <- function(series) {
  n <- length(series$codes)
  visited <- unique(series$databases)
  list(fresh(0), c(list(integer(7)), replicate(7, integer(n), simplify = FALSE)), series$codes,
       series$databases, visited, fresh(length(visited)), fresh(n), fresh(0),
       lapply(c(1, 1000, -1, -1, 0), fresh),
       list(NULL, integer(3), integer(n), integer(n), integer(n)), fresh(1000000))
}

# Best time of each method over the rounds, the methods interleaved so that
# a slow spell of the machine hits all of them alike. Each starts after a
# full garbage collection, as system.time() does, so that none of them
# pays for the garbage of another.
best <- function(methods) {
  times <- replicate(rounds, vapply(methods, function(m) {
    invisible(gc())
    m()
  }, 0))
  stats::setNames(apply(matrix(times, nrow = length(methods)), 1, min), names(methods))
}

measure <- function(series, label) {
  n <- length(series$codes)
  matrix <- matrix(1, observations, n)  # touched once, before any timing
  visited <- unique(series$databases)
  times <- best(list(
    engineInfo = function() .Call("benchEngineInfo", series$codes, series$databases,
                                  PACKAGE = benchLibrary),
    entryInfo = function() {
      arguments <- infoArguments(series)
      invisible(gc())
      .Call("benchEntryInfo", entry("call_vemroSeriesInfo"), arguments, PACKAGE = benchLibrary)
    },
    wholeInfo = function() {
      arguments <- c("call_vemroSeriesInfo", infoArguments(series), PACKAGE = "Vemro")
      system.time(do.call(.Call, arguments))[["elapsed"]]
    },
    engineData = function() .Call("benchEngineData", series$codes, series$databases, range,
                                  matrix, PACKAGE = benchLibrary),
    entryData = function() .Call("benchEntryData", entry("c_vemroGetData"), series$codes,
                                 series$databases, visited, range, matrix, PACKAGE = benchLibrary),
    wholeData = function() system.time(
      .C("c_vemroGetData", 0L, matrix, series$codes, series$databases, visited,
         length(visited), n, range[1], range[2], range[3], 0L, range[4], 1000000L,
         PACKAGE = "Vemro"))[["elapsed"]]))
  report(label, n, times)
}

report <- function(label, n, t) {
  cat(sprintf("\n%s: %d series of %d observations, best of %d rounds\n", label, n,
              observations, rounds))
  line <- function(what, seconds, note = "")
    cat(sprintf("  %-40s %7.3f s %10.0f series/s  %s\n", what, seconds, n / seconds, note))
  line("engine QVBGetInfo loop", t[["engineInfo"]])
  line("call_vemroSeriesInfo", t[["entryInfo"]],
       sprintf("bridge adds %5.1f%% to the engine", 100 * (t[["entryInfo"]] / t[["engineInfo"]] - 1)))
  line("whole .Call from R", t[["wholeInfo"]],
       sprintf("R's own work %.3f s", t[["wholeInfo"]] - t[["entryInfo"]]))
  line("engine QVBGetData loop", t[["engineData"]])
  line("c_vemroGetData", t[["entryData"]],
       sprintf("bridge adds %5.1f%% to the engine", 100 * (t[["entryData"]] / t[["engineData"]] - 1)))
  line("whole .C from R", t[["wholeData"]],
       sprintf("R's own work %.3f s (copies of a %.0f MB matrix)", t[["wholeData"]] - t[["entryData"]],
               8 * observations * n / 1e6))
}

measure(single, "One database")
measure(spread, "20 databases")
