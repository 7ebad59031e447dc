#!/bin/sh
# Times `vemro-db import` of 10,000 monthly series of 600 observations, in
# the wide and the long layout, and prints MB/s of CSV. The CSV files are
# written once by R (data.table's writer) into build-bench/import/.
#   engine/bench/import.sh [ROUNDS]   best of ROUNDS (default 3)
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
rounds=${1:-3}
folder="$root/build-bench/import"
cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DVEMRO_TESTS=OFF \
  -DVEMRO_BENCH=ON >/dev/null
cmake --build "$root/build-bench" -j2 --target vemro-db >/dev/null
mkdir -p "$folder"
[ -f "$folder/long.csv" ] || Rscript "$root/engine/bench/import-data.R" "$folder"
tool="$root/build-bench/bin/vemro-db"
for layout in wide long; do
  best=""
  for _ in $(seq "$rounds"); do
    rm -f "$folder/$layout.vdb"
    start=$(date +%s.%N)
    "$tool" import "$folder/$layout.vdb" --meta "$folder/meta.csv" "--$layout" \
      "$folder/$layout.csv" >/dev/null
    seconds=$(echo "$(date +%s.%N) - $start" | bc)
    if [ -z "$best" ] || [ "$(echo "$seconds < $best" | bc)" = 1 ]; then best=$seconds; fi
  done
  bytes=$(stat -c %s "$folder/$layout.csv")
  printf '%-5s %8.1f MB  %6.3f s  %6.1f MB/s\n' "$layout" "$(echo "$bytes / 1000000" | bc -l)" \
    "$best" "$(echo "$bytes / 1000000 / $best" | bc -l)"
done
