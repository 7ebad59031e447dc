#!/usr/bin/env bash
# Sets the project up and runs every test: the C++ tests through CMake and
# ctest, the R tests against the real libraries, and the R tests of the
# bridge against the scripted vendor double.
#   --valgrind   run the R tests under valgrind's memcheck
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

rRunner=(R --vanilla --no-echo -f tools/run-r-tests.R --args)
case "${1:-}" in
  --valgrind)
    rRunner=(R -d "valgrind --quiet --leak-check=full --errors-for-leak-kinds=definite --show-leak-kinds=definite --error-exitcode=97 --suppressions=$root/tools/valgrind.supp"
             --vanilla --no-echo -f tools/run-r-tests.R --args) ;;
  "") ;;
  *) echo "usage: tools/test.sh [--valgrind]"; exit 2 ;;
esac

tools/setup.sh || exit 1
tally=$(mktemp)
trap 'rm -f "$tally"' EXIT

cmake -S . -B build -DVEMRO_TESTS=ON > build.log 2>&1 && cmake --build build -j 2 >> build.log 2>&1 || {
  cat build.log; echo "0 passed, 1 failed"; exit 1; }
ctest --test-dir build --output-on-failure -j 2 | tee build/ctest.log | tail -n 5
ctestSummary=$(grep -E "tests passed, [0-9]+ tests failed out of" build/ctest.log)
ctestFailed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<< "$ctestSummary")
ctestTotal=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<< "$ctestSummary")
echo "$((ctestTotal - ctestFailed)) ${ctestFailed}" >> "$tally"

runR() {  # folder, then extra environment
  local folder=$1; shift
  env R_LIBS="$root/.Rlib" "$@" "${rRunner[@]}" "$folder" "$tally" || echo "0 1" >> "$tally"
}
runR tests/testthat
runR tests/bridge VEMRO_DOUBLE_DIR="$root/build/double" LD_LIBRARY_PATH="$root/build/double"

read -r passed failed < <(awk '{p += $1; f += $2} END {print p, f}' "$tally")
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
