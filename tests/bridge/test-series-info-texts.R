test_that("texts shared by neighbouring series and texts that change both arrive exactly", {
  resetDouble()
  scriptInfo(FALSE,
             record("A1", textA = "EUR", textD = "Same description", textF = ""),
             record("A2", textA = "EUR", textD = "Same description", textF = "Source"),
             record("A3", textA = "EU", textD = "Same description!", textF = ""),
             record("A4", textA = "", textD = "Same description", textF = "Source"))
  result <- seriesInfo(c("A1", "A2", "A3", "A4"), rep("DB", 4))
  expect_identical(result$columns[[13]], c("EUR", "EUR", "EU", ""))
  expect_identical(result$columns[[17]], c("Same description", "Same description",
                                           "Same description!", "Same description"))
  expect_identical(result$columns[[19]], c("", "Source", "", "Source"))
})

test_that("the code written is the record's own, also when it differs from the one asked for", {
  resetDouble()
  scriptInfo(FALSE, record("a1"), record("A2"), record("A3LONGER"))
  result <- seriesInfo(c("A1", "A2", "A3"), rep("DB", 3))
  expect_identical(result$columns[[2]], c("a1", "A2", "A3LONGER"))
})

test_that("series go with the visit whose name has the same bytes, wherever they stand", {
  resetDouble()
  scriptInfo(FALSE, record("A1"), record("A3"), record("L1"), record("B1"))
  databases <- c("A", "B", "a", "A", "A ", "B")
  result <- seriesInfo(c("A1", "B1", "L1", "A3", "S1", "B2"), databases,
                       databases = c("A", "a", "B"))
  expect_identical(grep("QVBGetInfo", vendorCalls(), value = TRUE), c(
    "QVBGetInfo(NULL, \"A1\")", "QVBGetInfo(NULL, \"A3\")", "QVBGetInfo(NULL, \"L1\")",
    "QVBGetInfo(NULL, \"B1\")", "QVBGetInfo(NULL, \"B2\")"))
  expect_identical(result$columns[[1]], c("A", "B", "a", "A", "", "B"))
})
