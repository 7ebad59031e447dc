#!/usr/bin/env bash
# vemroFetch() against DBI + RSQLite + data.table on the same 10,000 monthly
# series; prints the times and their ratio.
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/setup.sh
R_LIBS=.Rlib Rscript bench/fetch/fetch-benchmark.R
