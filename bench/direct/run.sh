#!/usr/bin/env bash
# vemroFetch() of 10,000 monthly series of 600 observations from a local
# database and through a vemro-serve on loopback over the same file; prints
# the best of 3 of each and the ratio direct / local.
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVEMRO_TESTS=OFF -DVEMRO_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target vemro-serve >/dev/null
VEMRO_SERVE_PROGRAM=build-bench/bin/vemro-serve R_LIBS=.Rlib timeout 900 \
  Rscript bench/direct/direct-benchmark.R
