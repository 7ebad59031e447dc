test_that("a local listing joins the codes handed out one by one", {
  resetDouble()
  script("QVBGetMergeData", 5L)
  for (code in c("K1", "K2", "K3")) script("QVBGetNextVar", record = list(code = code))
  expect_identical(getCodes("DB"), "K1,K2,K3")
  expect_identical(vendorCalls(), c(
    settingsTakeOver("QVB", 0), 'QVBOpenDatabase("DB")', 'QVBGetNextVar("DB", NULL)',
    'QVBGetNextVar(NULL, "K1")', 'QVBGetNextVar(NULL, "K2")', 'QVBGetNextVar(NULL, "K3")',
    "QVBSetMergeData(5)", "QVBCloseDatabase()"))
})

test_that("a local listing ends at the first non-zero status, even the first", {
  resetDouble()
  script("QVBGetNextVar", 3L)
  expect_identical(getCodes("DB"), "")
  expect_identical(tail(vendorCalls(), 2), c("QVBSetMergeData(0)", "QVBCloseDatabase()"))
  resetDouble()
  script("QVBGetNextVar", record = list(code = "ABCDEFGHI"))
  script("QVBGetNextVar", -1L, record = list(code = "X"))
  expect_identical(getCodes("DB"), "ABCDEFGHI")
})

test_that("direct pages are joined by single commas, each asked for after the text", {
  resetDouble()
  script("QVBDGetMergeData", 4L)
  script("QVBDGetNames", text = "K1,K2")
  script("QVBDGetNames", text = "K3")
  script("QVBDGetNames", 1011L, text = "junk")
  expect_identical(getCodes("DB", direct = 1L), "K1,K2,K3")
  expect_identical(vendorCalls(), c(
    settingsTakeOver("QVBD", 0), 'QVBDOpenDatabase("DB")', 'QVBDGetNames("DB", page)',
    "QVBDGetNames(NULL, +6)", "QVBDGetNames(NULL, +9)", "QVBDSetMergeData(4)",
    "QVBDCloseDatabase()"))
})

test_that("a failed page is dropped with its comma and the next one lands in its place", {
  resetDouble()
  script("QVBDGetNames", text = "K1")
  script("QVBDGetNames", 7L, text = "BROKEN")
  script("QVBDGetNames", -2L)
  script("QVBDGetNames", text = "K2")
  script("QVBDGetNames", text = "")
  script("QVBDGetNames", text = "K3")
  expect_identical(getCodes("DB", direct = 1L), "K1,K2,,K3")
  expect_identical(callsOf("QVBDGetNames")[-1], c(
    "QVBDGetNames(NULL, +3)", "QVBDGetNames(NULL, +3)", "QVBDGetNames(NULL, +3)",
    "QVBDGetNames(NULL, +6)", "QVBDGetNames(NULL, +7)", "QVBDGetNames(NULL, +10)"))
})

test_that("a direct listing stops after 31 continuations, failed ones included", {
  resetDouble()
  script("QVBDGetNames", text = "P0")
  for (page in 1:40) script("QVBDGetNames", if (page == 5) 9L else 0L, text = paste0("P", page))
  listing <- getCodes("DB", direct = 1L)
  expect_identical(listing, paste0("P", c(0:4, 6:31), collapse = ","))
  expect_length(callsOf("QVBDGetNames"), 32)
  expect_identical(tail(vendorCalls(), 2), c("QVBDSetMergeData(0)", "QVBDCloseDatabase()"))
})

test_that("a failing open or first page raises code 1 with merge-data put back", {
  for (direct in 0:1) {
    prefix <- if (direct) "QVBD" else "QVB"
    resetDouble()
    script(paste0(prefix, "GetMergeData"), 6L)
    script(paste0(prefix, "OpenDatabase"), 2L)
    expect_identical(errorMessage(getCodes("DB", direct)), "API: Unable to open database.")
    expect_identical(tail(vendorCalls(), 2),
                     paste0(prefix, c('OpenDatabase("DB")', "SetMergeData(6)")))
  }
  resetDouble()
  script("QVBDGetMergeData", 6L)
  script("QVBDGetNames", 1011L)
  expect_identical(errorMessage(getCodes("DB", 1L)), "API: Unable to open database.")
  expect_identical(tail(vendorCalls(), 2), c('QVBDGetNames("DB", page)', "QVBDSetMergeData(6)"))
})

test_that("a database name too long for the name buffer is refused before any call", {
  resetDouble()
  expect_identical(errorMessage(getCodes(strrep("d", 512))),
                   "database name is 512 bytes long; names of at most 511 bytes can be listed")
  expect_length(vendorCalls(), 0)
  expect_identical(getCodes(strrep("d", 511)), "")
  expect_identical(callsOf("QVBOpenDatabase"), sprintf('QVBOpenDatabase("%s")', strrep("d", 511)))
})

test_that("a page beyond the page bound is refused, never read past", {
  for (first in c(TRUE, FALSE)) {
    resetDouble()
    long <- strrep("c", 1000000)
    if (!first) script("QVBDGetNames", text = "K1")
    script("QVBDGetNames", text = long)
    expect_identical(errorMessage(getCodes("DB", direct = 1L)),
                     "the direct service sent a page of codes longer than 999999 bytes")
    expect_identical(tail(vendorCalls(), 2), c("QVBDSetMergeData(0)", "QVBDCloseDatabase()"))
  }
  resetDouble()
  script("QVBDGetNames", text = strrep("c", 999999))
  script("QVBDGetNames", text = "K")
  expect_identical(nchar(getCodes("DB", direct = 1L)), 1000001L)
})

test_that("vemroCodes splits the listing and drops empty fields", {
  resetDouble()
  script("QVBDGetNames", text = "K1,K2")
  script("QVBDGetNames", text = "")
  script("QVBDGetNames", text = "K3")
  expect_identical(vemroCodes("DB", direct = TRUE), c("K1", "K2", "K3"))
  expect_identical(vemroCodes("DB"), character(0))
  expect_identical(callsOf("QVBOpenDatabase"), 'QVBOpenDatabase("DB")')
})

test_that("vemroCodes names the argument that is wrong before any vendor call", {
  resetDouble()
  expect_error(vemroCodes(c("A", "B")), "`database` must be a single string")
  expect_error(vemroCodes(NA_character_), "`database` must be a single string")
  expect_error(vemroCodes("A", direct = 1), "`direct` must be TRUE or FALSE")
  expect_error(vemroCodes(strrep("d", 512)), "`database` must be at most 511 bytes long")
  expect_length(vendorCalls(), 0)
})
