#!/usr/bin/env bash
# Two vemro-serve instances over one root and one users file behind nginx,
# all on loopback: reads through nginx from R equal the local reads, both
# instances serve, idle connections to nginx hold up nobody, and reads go on
# when one instance is killed. Prints what it did and ends with
# "scale-out: ok"; everything is stopped on exit.
set -euo pipefail
cd "$(dirname "$0")/../.."
here=service/scale-out

step() { echo "scale-out: $*"; }
fail() { echo "scale-out: FAILED: $*"; exit 1; }

tools/setup.sh
installed() { R_LIBS=.Rlib Rscript -e "cat(system.file($1, package = 'Vemro'))"; }
serve=$(installed '"bin", "vemro-serve"')
[ -x "$serve" ] || fail "vemro-serve is not installed in .Rlib"

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

mkdir "$work/root" "$work/nginx"
cp "$(installed '"extdata", "vemro-example.vdb"')" "$work/root/vemro-example.vdb"
users="$work/users.json"
key=$("$serve" user add "$users" reader)

# Starts an instance; sets instanceUrl and appends its pid to pids.
startInstance() {
  local name=$1
  # Made here, not by the background shell, so that the first read below
  # cannot come before the file exists (set -e would end the script).
  : >"$work/$name.out"
  "$serve" --root "$work/root" --listen 127.0.0.1:0 --users "$users" \
    >"$work/$name.out" 2>"$work/$name.log" &
  pids+=($!)
  for _ in $(seq 100); do
    instanceUrl=$(sed -n 's/^listening on //p' "$work/$name.out")
    [ -n "$instanceUrl" ] && return 0
    sleep 0.1
  done
  fail "instance $name did not start: $(cat "$work/$name.log")"
}
startInstance a; urlA=$instanceUrl; pidA=${pids[-1]}
startInstance b; urlB=$instanceUrl
step "instances a at $urlA and b at $urlB, one root, one users file"

# nginx on a free port: a random one, tried again when it is taken.
startNginx() {
  local port user=${USER:-$(id -un)}
  for _ in $(seq 10); do
    port=$((20000 + RANDOM % 40000))
    sed -e "s|@PREFIX@|$work/nginx|g" -e "s|@LISTEN@|127.0.0.1:$port|" \
      -e "s|@INSTANCE_A@|${urlA#http://}|" -e "s|@INSTANCE_B@|${urlB#http://}|" \
      -e "s|@USER@|$user|" "$here/nginx.conf" > "$work/nginx/nginx.conf"
    # Only a master running as root may name the user.
    [ "$(id -u)" -eq 0 ] || sed -i '/^user /d' "$work/nginx/nginx.conf"
    rm -f "$work/nginx/nginx.pid"
    nginx -p "$work/nginx" -c "$work/nginx/nginx.conf" -e "$work/nginx/error.log" &
    local pid=$!
    # nginx writes its pid file only once it listens.
    for _ in $(seq 30); do
      kill -0 "$pid" 2>/dev/null || break
      if [ -s "$work/nginx/nginx.pid" ]; then
        pids+=("$pid"); nginxUrl="http://127.0.0.1:$port"; return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  fail "nginx did not start: $(tail -3 "$work/nginx/error.log")"
}
startNginx
step "nginx at $nginxUrl balances over both"

served() { grep -c ' 200 ' "$work/$1.log" || true; }
readThrough() {
  VEMRO_SERVICE=$nginxUrl VEMRO_USER=reader VEMRO_KEY=$key R_LIBS=.Rlib \
    timeout 300 Rscript "$here/read-through.R" "$1" || fail "reads through nginx failed"
}

step "reading from R through nginx, signed in as user reader"
readThrough 5
servedA=$(served a); servedB=$(served b)
step "requests answered: instance a $servedA, instance b $servedB"
[ "$servedA" -gt 0 ] && [ "$servedB" -gt 0 ] || fail "not both instances served requests"

# nginx forwards only complete requests, so clients that connect and send
# nothing never occupy the instances' workers.
step "opening 80 idle connections to nginx, more than an instance has workers"
idle=()
for _ in $(seq 80); do
  exec {fd}<>"/dev/tcp/127.0.0.1/${nginxUrl##*:}"
  idle+=("$fd")
done
answer=$(curl -s -o /dev/null --max-time 10 -w '%{http_code} in %{time_total} s' \
  "$nginxUrl/v1/open?db=vemro-example")
step "a request meanwhile: $answer (401: an instance answered, no token was sent)"
for fd in "${idle[@]}"; do exec {fd}>&-; done
[ "${answer%% *}" = 401 ] || fail "the request through nginx was not answered"

step "killing instance a"
{ kill -9 "$pidA" && wait "$pidA"; } 2>/dev/null || true
readThrough 5
afterA=$(served a); afterB=$(served b)
step "requests answered since: instance a $((afterA - servedA)), instance b $((afterB - servedB))"
[ "$afterA" -eq "$servedA" ] && [ "$afterB" -gt "$servedB" ] || fail "b did not take over"
echo "scale-out: ok"
