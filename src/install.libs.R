# The bridge finds the vendor libraries beside itself (run path $ORIGIN),
# so all of them are installed into the package's libs folder together.
# The database tool and the direct service go to bin/, the example
# database to extdata/.
install <- function(files, folder) {
  target <- file.path(R_PACKAGE_DIR, folder)
  dir.create(target, recursive = TRUE, showWarnings = FALSE)
  if (!all(file.copy(files, target, overwrite = TRUE))) {
    stop("could not install ", paste(files, collapse = ", "), " into ", target)
  }
}
install(c("Vemro.so", "libqvbapi64.so", "libqvbdapi64.so"), paste0("libs", R_ARCH))
programs <- c("vemro-db", "vemro-serve")
install(programs, "bin")
Sys.chmod(file.path(R_PACKAGE_DIR, "bin", programs), mode = "0755")
install("vemro-example.vdb", "extdata")
