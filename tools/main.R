# The main job: read series of the bundled example database through Vemro.
library(Vemro)

database <- vemroExampleDb()
cat("Vemro interface version:", vemroVersion(), "\n")
cat("Quarter ends of 2020:", vemroDateSeq(20201, 4, 30), "\n\n")

cat("Series of the example database:\n")
print(vemroCodes(database))

codes <- c("AIRPASS", "CO2", "UKGAS", "PRESIDENT")
info <- vemroSeriesInfo(codes, database, frequency = 30, start = 19600101, end = 19621231)
cat("\nSeries information:\n")
print(info$info[, c("code", "firstDate", "lastDate", "attrA", "frequency", "attrF", "textD")])
cat("\nCommon range: frequency", info$range$frequency, "from", info$range$start, "to",
    info$range$end, "with", info$range$observations, "observations\n")

cat("\nQuarterly observations, 1960 to 1962:\n")
print(vemroFetch(codes, database, frequency = 30, start = 19600101, end = 19621231))
