# The bridge finds the vendor libraries beside itself (run path $ORIGIN),
# so all of them are installed into the package's libs folder together.
libs <- file.path(R_PACKAGE_DIR, paste0("libs", R_ARCH))
dir.create(libs, recursive = TRUE, showWarnings = FALSE)
shipped <- c("Vemro.so", "libqvbapi64.so", "libqvbdapi64.so")
if (!all(file.copy(shipped, libs, overwrite = TRUE))) {
  stop("could not install the native libraries into ", libs)
}
