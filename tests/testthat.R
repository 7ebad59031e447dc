library(testthat)
library(Vemro)

test_check("Vemro")
