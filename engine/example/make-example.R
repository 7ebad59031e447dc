# Builds the example database from series of R's own datasets package.
# Usage: Rscript make-example.R VEMRO_DB_TOOL OUTPUT_FOLDER
# Writes metadata and long-layout data as CSV into OUTPUT_FOLDER, then
# imports them into OUTPUT_FOLDER/vemro-example.vdb with the database tool.
args <- commandArgs(trailingOnly = TRUE)
if (length(args) != 2) stop("usage: Rscript make-example.R VEMRO_DB_TOOL OUTPUT_FOLDER")
tool <- args[1]
folder <- args[2]
dir.create(folder, showWarnings = FALSE, recursive = TRUE)

# The data last changed when this R's datasets package was released.
changed <- sprintf("%s-%s-%s", R.version$year, R.version$month, R.version$day)

series <- list(
  list(code = "NILE", data = datasets::Nile, frequency = 10, aggregation = 1,
       description = "Annual flow of the river Nile at Aswan, 1871-1970",
       source = "R datasets::Nile; Durbin and Koopman (2001)",
       units = "m3", magnitude = 8, area = "EG", decimals = 0),
  list(code = "LYNX", data = datasets::lynx, frequency = 10, aggregation = 2,
       description = "Annual Canadian lynx trappings, Mackenzie River, 1821-1934",
       source = "R datasets::lynx; Brockwell and Davis (1991)",
       units = "lynx", magnitude = 0, area = "CA", decimals = 0),
  list(code = "LAKEHURON", data = datasets::LakeHuron, frequency = 10, aggregation = 1,
       description = "Level of Lake Huron, 1875-1972",
       source = "R datasets::LakeHuron; Brockwell and Davis (1991)",
       units = "feet", magnitude = 0, area = "US", decimals = 2),
  list(code = "JJ", data = datasets::JohnsonJohnson, frequency = 30, aggregation = 2,
       description = "Quarterly earnings per Johnson & Johnson share, 1960-1980",
       source = "R datasets::JohnsonJohnson; Shumway and Stoffer (2000)",
       units = "USD", magnitude = 0, area = "US", decimals = 2),
  list(code = "UKGAS", data = datasets::UKgas, frequency = 30, aggregation = 2,
       description = "Quarterly UK gas consumption, 1960-1986",
       source = "R datasets::UKgas; Durbin and Koopman (2001)",
       units = "therms", magnitude = 6, area = "GB", decimals = 1),
  list(code = "PRESIDENT", data = datasets::presidents, frequency = 30, aggregation = 1,
       description = "Quarterly approval rating of the US president, 1945-1974",
       source = "R datasets::presidents; The Gallup Organization",
       units = "percent", magnitude = 0, area = "US", decimals = 0),
  list(code = "AIRPASS", data = datasets::AirPassengers, frequency = 40, aggregation = 2,
       description = "Monthly international airline passengers, 1949-1960",
       source = "R datasets::AirPassengers; Box, Jenkins and Reinsel (1976)",
       units = "passengers", magnitude = 3, area = "", decimals = 0),
  list(code = "CO2", data = datasets::co2, frequency = 40, aggregation = 1,
       description = "Atmospheric CO2 concentration at Mauna Loa, 1959-1997",
       source = "R datasets::co2; Keeling and Whorf, Scripps Institution of Oceanography",
       units = "ppm", magnitude = 0, area = "US", decimals = 2),
  list(code = "NOTTEM", data = datasets::nottem, frequency = 40, aggregation = 1,
       description = "Average monthly air temperature at Nottingham Castle, 1920-1939",
       source = "R datasets::nottem; Anderson (1976)",
       units = "deg F", magnitude = 0, area = "GB", decimals = 1),
  list(code = "UKDRIVER", data = datasets::UKDriverDeaths, frequency = 40, aggregation = 2,
       description = "Car drivers killed or seriously injured in Great Britain, 1969-1984",
       source = "R datasets::UKDriverDeaths; Harvey and Durbin (1986)",
       units = "persons", magnitude = 0, area = "GB", decimals = 0)
)

ts_rows <- function(s) {
  x <- s$data
  year <- floor(time(x) + 1e-6)
  step <- cycle(x)
  month <- switch(as.character(s$frequency), "10" = 12, "30" = step * 3, "40" = step)
  data.frame(code = s$code, date = sprintf("%04d-%02d-01", as.integer(year), as.integer(month)),
             value = as.numeric(x))
}

# Daily airquality readings, New York, 1 May to 30 September 1973, with gaps.
aq <- datasets::airquality
aq_dates <- sprintf("1973-%02d-%02d", aq$Month, aq$Day)
daily <- list(
  list(code = "AQOZONE", column = "Ozone", units = "ppb", decimals = 0,
       description = "Mean ozone 13:00-15:00, Roosevelt Island, New York, 1973",
       source = "R datasets::airquality; New York State Department of Conservation"),
  list(code = "AQSOLAR", column = "Solar.R", units = "Langleys", decimals = 0,
       description = "Solar radiation 08:00-12:00, Central Park, New York, 1973",
       source = "R datasets::airquality; National Weather Service"),
  list(code = "AQWIND", column = "Wind", units = "mph", decimals = 1,
       description = "Average wind speed 07:00-10:00, LaGuardia Airport, 1973",
       source = "R datasets::airquality; National Weather Service"),
  list(code = "AQTEMP", column = "Temp", units = "deg F", decimals = 0,
       description = "Maximum daily temperature, LaGuardia Airport, 1973",
       source = "R datasets::airquality; National Weather Service")
)

metadata <- rbind(
  do.call(rbind, lapply(series, function(s) data.frame(
    code = s$code, frequency = s$frequency, aggregation = s$aggregation,
    description = s$description, source = s$source, units = s$units, area = s$area,
    adjustment = "NSA", base = "", decimals = s$decimals, magnitude = s$magnitude,
    changed = changed))),
  do.call(rbind, lapply(daily, function(d) data.frame(
    code = d$code, frequency = 61, aggregation = 1, description = d$description,
    source = d$source, units = d$units, area = "US", adjustment = "NSA", base = "",
    decimals = d$decimals, magnitude = 0, changed = changed))))

observations <- rbind(
  do.call(rbind, lapply(series, ts_rows)),
  do.call(rbind, lapply(daily, function(d)
    data.frame(code = d$code, date = aq_dates, value = aq[[d$column]]))))

meta_file <- file.path(folder, "example-metadata.csv")
data_file <- file.path(folder, "example-data.csv")
write.csv(metadata, meta_file, row.names = FALSE, na = "", fileEncoding = "UTF-8")
write.csv(observations, data_file, row.names = FALSE, na = "NA", quote = FALSE)

database <- file.path(folder, "vemro-example.vdb")
unlink(database)
status <- system2(tool, c("import", shQuote(database), "--meta", shQuote(meta_file),
                          "--long", shQuote(data_file)))
if (status != 0) stop("the database tool failed to import the example series")
