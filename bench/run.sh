#!/usr/bin/env bash
# The bridge benchmark: the batch entry points against the same engine
# reads made directly, and the whole call from R. Generated databases are
# kept in build-bench/ for reuse. Usage: bench/run.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVEMRO_TESTS=OFF -DVEMRO_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target vemro_bridge_bench > /dev/null
R_LIBS="$root/.Rlib" Rscript bench/bridge-benchmark.R "$root/build-bench" "${1:-5}"
