#!/bin/sh
# Builds the database fuzzer with clang's libFuzzer and runs it, seeded with
# the example database, for the given number of seconds (default 300).
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-300}
build="$root/build-fuzz"
"$root/tools/install-packages.sh" clang-14 libclang-rt-14-dev cmake libsqlite3-dev
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEMRO_TESTS=OFF -DVEMRO_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target vemro-engine-fuzzer example_db
mkdir -p "$build/corpus"
cp "$build/example/vemro-example.vdb" "$build/corpus/example.vdb"
"$build/bin/vemro-engine-fuzzer" "$build/corpus" -max_len=400000 -max_total_time="$seconds" \
  -print_final_stats=1
