#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks, then builds and installs the
# Vemro package into the project-local R library .Rlib.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-packages.sh r-base-dev r-cran-testthat r-cran-rlang r-cran-cli cmake g++ make binutils \
  libsqlite3-dev libfast-float-dev libxxhash-dev libgtest-dev googletest valgrind \
  libcurl4-openssl-dev nlohmann-json3-dev libcpp-httplib-dev libssl-dev zlib1g-dev libbrotli-dev \
  libsodium-dev \
  openssl pkg-config nginx-light \
  r-cran-xts r-cran-zoo r-cran-callr r-cran-processx r-cran-withr r-cran-data.table \
  r-cran-rsqlite r-cran-dbi r-cran-knitr r-cran-rmarkdown pandoc

mkdir -p .Rlib
log=$(mktemp)
trap 'rm -f "$log"' EXIT
R CMD INSTALL --no-test-load --library=.Rlib . > "$log" 2>&1 || {
  cat "$log"
  echo "R CMD INSTALL failed"
  exit 1
}
