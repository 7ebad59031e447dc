#!/usr/bin/env bash
# Load test of vemro-serve: CLIENTS concurrent clients (default 8) for
# SECONDS (default 30) against a service on loopback over a generated
# database of 2,000 monthly series; prints requests/s, latency percentiles
# and failed requests, and exits non-zero on any failure.
#   service/load/run.sh [CLIENTS] [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
clients=${1:-8}
seconds=${2:-30}
series=2000
observations=360
build="$root/build-bench"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVEMRO_TESTS=OFF -DVEMRO_BENCH=ON \
  >/dev/null
cmake --build "$build" -j2 --target vemro-serve vemro-db vemro-service-load >/dev/null

work=$(mktemp -d)
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Wide CSV: a date column, then one column per series; every observation present.
awk -v n="$series" -v t="$observations" -v meta="$work/meta.csv" 'BEGIN {
  print "code,frequency,aggregation,description,source,units" > meta
  header = "date"
  for (i = 1; i <= n; i++) {
    printf "L%04d,40,1,load series %d,generated,units\n", i, i > meta
    header = header sprintf(",L%04d", i)
  }
  print header
  for (r = 0; r < t; r++) {
    line = sprintf("%04d-%02d-01", 1990 + int(r / 12), r % 12 + 1)
    for (i = 1; i <= n; i++) line = line sprintf(",%.2f", (i * 37 + r * 11) % 1000 / 10)
    print line
  }
}' > "$work/data.csv"
mkdir "$work/root"
"$build/bin/vemro-db" import "$work/root/load.vdb" --meta "$work/meta.csv" --wide "$work/data.csv" \
  >/dev/null
echo "database: $series monthly series of $observations observations"

"$build/bin/vemro-serve" --root "$work/root" --listen 127.0.0.1:0 \
  >"$work/serve.out" 2>"$work/serve.log" &
server=$!
for _ in $(seq 100); do
  grep -q '^listening on ' "$work/serve.out" 2>/dev/null && break
  sleep 0.1
done
url=$(sed -n 's/^listening on //p' "$work/serve.out")
[ -n "$url" ] || { echo "vemro-serve did not start"; cat "$work/serve.log"; exit 1; }
echo "service: $url"

status=0
VEMRO_SERVICE=$url timeout $((seconds + 60)) "$build/bin/vemro-service-load" load "$clients" \
  "$seconds" || status=$?
kill -0 "$server" 2>/dev/null || { echo "vemro-serve died under load"; status=1; }
refused=$(grep -cv ' 200 ' "$work/serve.log" || true)
echo "service log: $(wc -l < "$work/serve.log") lines, $refused not 200"
[ "$refused" -eq 0 ] || { grep -v ' 200 ' "$work/serve.log" | head -5; status=1; }
exit "$status"
