# vemroFetch() against the route a user would take without Vemro: the same
# observations read with DBI and RSQLite from a long table and reshaped into
# a matrix with data.table. Both read 10,000 monthly series of 600
# observations, in the same run, best of three.
library(Vemro)
series <- 10000L
observations <- 600L
folder <- tempfile("vemro-fetch-bench")
dir.create(folder)
on.exit(unlink(folder, recursive = TRUE))
set.seed(1)
codes <- sprintf("S%05d", seq_len(series))
values <- matrix(round(rnorm(series * observations), 4), observations,
                 dimnames = list(NULL, codes))
x <- ts(values, start = 1970, frequency = 12)
db <- file.path(folder, "bench.vdb")
write <- system.time(vemroWrite(x, db))[["elapsed"]]

dates <- format(vemroDateOf(vemroPeriodSeq(197001L, observations, 40L), 40L))
sqlitePath <- file.path(folder, "long.sqlite")
con <- DBI::dbConnect(RSQLite::SQLite(), sqlitePath)
DBI::dbWriteTable(con, "obs", data.frame(code = rep(codes, each = observations),
                                         date = rep(dates, series), value = as.vector(values)))
DBI::dbDisconnect(con)
rm(x)

viaSqlite <- function() {
  con <- DBI::dbConnect(RSQLite::SQLite(), sqlitePath)
  on.exit(DBI::dbDisconnect(con))
  long <- data.table::as.data.table(DBI::dbGetQuery(con, "SELECT code, date, value FROM obs"))
  wide <- data.table::dcast(long, date ~ code, value.var = "value")
  as.matrix(wide[, -1L])
}
viaVemro <- function() vemroFetch(codes, db, as = "matrix")

# Best of three of each, so that neither pays alone for a first touch.
bestOf <- function(read, rounds = 3L) {
  min(vapply(seq_len(rounds), function(i) system.time(read())[["elapsed"]], numeric(1)))
}
fetched <- viaVemro()
baseline <- viaSqlite()
vemro <- bestOf(viaVemro)
sqlite <- bestOf(viaSqlite)
stopifnot(isTRUE(all.equal(unname(unclass(fetched)), unname(baseline), check.attributes = FALSE)))
allocate <- system.time({m <- matrix(NA_real_, observations, series); m[] <- 0})[["elapsed"]]
# .C duplicates each vector on the way in and again on the way out.
copy <- system.time({
  into <- m; into[1L] <- 1
  back <- into; back[1L] <- 2
})[["elapsed"]]
cat(sprintf("series %d x %d observations (monthly)\n", series, observations))
cat(sprintf("vemroWrite (build the database): %.2f s\n", write))
cat(sprintf("vemroFetch:                      %.3f s\n", vemro))
cat(sprintf("RSQLite + data.table:            %.3f s\n", sqlite))
cat(sprintf("ratio RSQLite / vemroFetch:      %.1f\n", sqlite / vemro))
cat(sprintf("R allocation + first touch of one %0.f MB matrix: %.3f s\n",
            observations * series * 8 / 1e6, allocate))
cat(sprintf("the two copies .C makes of one such matrix:       %.3f s\n", copy))
