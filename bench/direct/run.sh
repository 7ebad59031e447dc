#!/usr/bin/env bash
# vemroFetch() of 10,000 monthly series of 600 observations from a local
# database and through the installed vemro-serve on loopback over the same
# file; prints the best of 3 of each and the ratio direct / local.
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/setup.sh
R_LIBS=.Rlib timeout 900 Rscript bench/direct/direct-benchmark.R
