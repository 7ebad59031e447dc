#!/bin/sh
# Builds and runs the engine benchmark in a Release build of its own.
# The generated database (about 500 MB) is kept in build-bench/ for reuse.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DVEMRO_TESTS=OFF \
  -DVEMRO_BENCH=ON >/dev/null
cmake --build "$root/build-bench" -j2 --target vemro-engine-bench
"$root/build-bench/bin/vemro-engine-bench" "$root/build-bench/bench-100k-monthly.vdb" "$@"
