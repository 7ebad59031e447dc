bridgePath <- function() getLoadedDLLs()[["Vemro"]][["path"]]

test_that("the bridge exports exactly its 21 names", {
  skip_if(Sys.which("nm") == "", "nm is not installed")
  symbols <- system2("nm", c("-D", "--defined-only", shQuote(bridgePath())), stdout = TRUE)
  fields <- strsplit(trimws(symbols), " +")
  exported <- vapply(fields, function(f) f[[3]], "")[vapply(fields, function(f) f[[2]] %in% c("T", "D", "R", "B", "V", "W"), TRUE)]
  expected <- c("QVBDchunk", "apiError", "c_getAggmode", "c_setAggmode", "c_vemroAuthenticate",
                "c_vemroCVersion", "c_vemroCloseDb", "c_vemroDateSeq", "c_vemroGetData",
                "call_vemroGetCodes", "call_vemroSeriesInfo", "directCodelist",
                "directCodelist_r", "getObsNum", "isLeapYear", "qvbGetAggregation",
                "qvbGetData", "qvbGetInfo", "qvbSetAggregation", "qvbdateToYmd",
                "ymdToQvbdate")
  expect_setequal(setdiff(exported, c("_init", "_fini", "_edata", "_end", "__bss_start")), expected)
})

test_that("the vendor libraries are resolved beside the bridge", {
  skip_if(Sys.which("ldd") == "", "ldd is not installed")
  resolved <- system2("ldd", shQuote(bridgePath()), stdout = TRUE)
  folder <- normalizePath(dirname(bridgePath()))
  for (library in c("libqvbapi64.so", "libqvbdapi64.so")) {
    line <- grep(library, resolved, value = TRUE, fixed = TRUE)
    expect_length(line, 1)
    expect_match(line, file.path(folder, library), fixed = TRUE)
  }
})

test_that("the interface version is 18", {
  expect_identical(vemroVersion(), 18L)
})
