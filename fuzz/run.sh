#!/usr/bin/env bash
# Builds the fuzz targets with clang 14 (libFuzzer, AddressSanitizer, UBSan)
# and runs each for SECONDS (default 60), from a seed corpus made of the
# script tests, the test pages and the examples. A crash, a sanitizer report or a hang fails the run; the
# input that caused it is left in fuzz/findings/.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(compile_fuzz eval_fuzz api_fuzz page_fuzz)

cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DDURIZ_FUZZ=ON \
  -DDURIZ_TESTS=OFF -DDURIZ_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}" >/dev/null

# Seeds: every script the suite runs, and the compiler corpus.
seeds=build-fuzz/seeds
rm -rf "$seeds" && mkdir -p "$seeds"
i=0
while IFS= read -r -d '' f; do
  cp "$f" "$seeds/seed$i"; i=$((i + 1))
done < <(find tests/scripts tests/corpus tests/compare/cases tests/pages examples \( -name '*.js' -o -name '*.html' \) -print0)
mkdir -p fuzz/findings

status=0
for t in "${targets[@]}"; do
  corpus=build-fuzz/corpus-$t
  mkdir -p "$corpus"
  log=build-fuzz/$t.log
  if ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=16 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
     "build-fuzz/$t" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -max_len=4096 \
     -artifact_prefix=fuzz/findings/$t- -print_final_stats=1 "$corpus" "$seeds" >"$log" 2>&1; then
    execs=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 || true)
    echo "fuzz: $t: ${seconds}s, $execs execs/s, $cov, nothing found"
  else
    echo "fuzz: $t: FOUND A PROBLEM (see $log and fuzz/findings/)"
    tail -40 "$log"
    status=1
  fi
done
exit $status
