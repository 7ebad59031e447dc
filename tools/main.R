# The main job: fetch series of mixed frequencies from the bundled example
# database, print their information and aligned data, read the same data
# through a vemro-serve on loopback, and plot them.
library(Vemro)

database <- vemroExampleDb()
codes <- c("UKDRIVER", "CO2", "UKGAS", "JJ", "NILE")

cat("Series information:\n")
info <- vemroInfo(codes, database)
print(info[, c("code", "frequency", "first", "last", "observations", "aggregation", "units",
               "description")], right = FALSE)

cat("\nQuarterly data, 1975 to 1977, each series aggregated by its own rule:\n")
quarterly <- suppressWarnings(vemroFetch(codes, database, "quarterly", "1975Q1", "1977Q4"))
print(structure(quarterly, outcome = NULL))
cat("\nOutcome of each series:\n")
print(attr(quarterly, "outcome"))

cat("\nThe same through the direct service, a vemro-serve on loopback serving the",
    "example database's folder:\n")
service <- processx::process$new(system.file("bin", "vemro-serve", package = "Vemro"),
                                 c("--root", dirname(database), "--listen", "127.0.0.1:0"),
                                 stdout = "|", stderr = NULL, cleanup = TRUE)
invisible(service$poll_io(10000))
Sys.setenv(VEMRO_SERVICE = sub("^listening on ", "", service$read_output_lines(n = 1)))
name <- sub("\\.vdb$", "", basename(database))
direct <- suppressWarnings(vemroFetch(codes, name, "quarterly", "1975Q1", "1977Q4",
                                      source = "direct"))
cat("service:", Sys.getenv("VEMRO_SERVICE"), "- database:", name,
    "- identical to the local read:", identical(direct, quarterly), "\n")
invisible(service$kill())

folder <- file.path(getwd(), "out")
dir.create(folder, showWarnings = FALSE)
path <- file.path(folder, "vemro-main.png")
monthly <- vemroFetch(c("UKDRIVER", "CO2"), database, "monthly", "1969-01", "1984-12")
gas <- vemroFetch("UKGAS", database, "quarterly", "1960Q1", "1986Q4")
nile <- vemroFetch("NILE", database, "annual")
png(path, width = 1200, height = 900, res = 120)
par(mfrow = c(2, 2), mar = c(4, 4.5, 3, 1), las = 1)
plot(monthly[, "UKDRIVER"], main = "GB car drivers killed or seriously injured (monthly)",
     ylab = "persons", xlab = "", col = "firebrick", lwd = 1.5)
plot(monthly[, "CO2"], main = "Mauna Loa CO2 (monthly)", ylab = "ppm", xlab = "",
     col = "darkgreen", lwd = 1.5)
plot(gas, main = "UK gas consumption (quarterly)", ylab = "million therms", xlab = "",
     col = "steelblue", lwd = 1.5)
plot(nile, main = "Nile flow at Aswan (annual)", ylab = "10^8 m3", xlab = "",
     col = "darkorange3", lwd = 1.5)
invisible(dev.off())
cat("\nplot:", path, "\n")
