# The example database holds these series of R's datasets package.
exampleDb <- function() vemroExampleDb()

exampleCodes <- c("AIRPASS", "AQOZONE", "AQSOLAR", "AQTEMP", "AQWIND", "CO2", "JJ",
                  "LAKEHURON", "LYNX", "NILE", "NOTTEM", "PRESIDENT", "UKDRIVER", "UKGAS")

# Observations of a ts from its first period on, as plain numbers.
asValues <- function(x) as.numeric(x)
