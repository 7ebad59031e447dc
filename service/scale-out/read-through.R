# Reads through the service that VEMRO_SERVICE names, signed in as
# VEMRO_USER with VEMRO_KEY, and stops unless every read equals the same
# read from the local example database.
#   Rscript read-through.R ROUNDS
library(Vemro)
rounds <- as.integer(commandArgs(trailingOnly = TRUE)[[1]])
local <- vemroExampleDb()
vemroAuthenticate()
codes <- vemroCodes(local)
monthly <- c("AIRPASS", "CO2", "NOTTEM", "UKDRIVER")
sameRead <- function(codes, frequency) {
  direct <- suppressWarnings(vemroFetch(codes, "vemro-example", frequency, source = "direct"))
  identical(direct, suppressWarnings(vemroFetch(codes, local, frequency, source = "local")))
}
for (round in seq_len(rounds)) {
  same <- c(names = identical(vemroCodes("vemro-example", direct = TRUE), codes),
            annual = sameRead(codes, "annual"), monthly = sameRead(monthly, "monthly"))
  if (!all(same)) stop("round ", round, ": differs from the local read: ",
                       paste(names(same)[!same], collapse = ", "))
}
cat(sprintf("%d rounds of names, %d series annual and %d monthly: equal to the local reads\n",
            rounds, length(codes), length(monthly)))
