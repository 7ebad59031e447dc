yyyymmddOf <- function(dates) as.integer(format(dates, "%Y%m%d"))
