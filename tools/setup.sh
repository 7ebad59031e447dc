#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks, then builds and installs the
# Vemro package into the project-local R library .Rlib.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(r-base-dev r-cran-testthat cmake g++ make binutils libsqlite3-dev
          libgtest-dev googletest libbenchmark-dev valgrind)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" > /dev/null
fi

mkdir -p .Rlib
log=$(mktemp)
trap 'rm -f "$log"' EXIT
R CMD INSTALL --no-test-load --library=.Rlib . > "$log" 2>&1 || {
  cat "$log"
  echo "R CMD INSTALL failed"
  exit 1
}
