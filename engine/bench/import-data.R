# Writes the import benchmark's CSV files into the folder given: metadata of
# 10,000 monthly series and their 600 observations each (values with four
# decimals, a thousand of them missing), in the wide and the long layout.
folder <- commandArgs(trailingOnly = TRUE)[1]
set.seed(1)
codes <- sprintf("S%05d", seq_len(10000))
values <- matrix(round(rnorm(600 * 10000), 4), 600, 10000, dimnames = list(NULL, codes))
values[sample(length(values), 1000)] <- NA
dates <- format(seq(as.Date("1970-01-01"), by = "month", length.out = 600))
utils::write.csv(data.frame(code = codes, frequency = 40, aggregation = 1),
                 file.path(folder, "meta.csv"), row.names = FALSE, quote = FALSE)
data.table::fwrite(cbind(data.frame(date = dates), values), file.path(folder, "wide.csv"),
                   na = "NA")
data.table::fwrite(data.frame(code = rep(codes, each = 600), date = rep(dates, 10000),
                              value = as.vector(values)),
                   file.path(folder, "long.csv"), na = "NA")
