# Runs one folder of testthat tests against the installed package and
# appends "passed failed" (counted in tests) to a tally file.
args <- commandArgs(trailingOnly = TRUE)
folder <- args[[1]]
tally <- args[[2]]

results <- as.data.frame(testthat::test_dir(folder, package = "Vemro",
                                            load_package = "installed",
                                            reporter = "summary",
                                            stop_on_failure = FALSE))
broken <- results$failed > 0 | results$error
passed <- sum(!broken & !results$skipped)
cat(passed, sum(broken), "\n", file = tally, append = TRUE)
