#!/usr/bin/env bash
# Runs each workload on Duriz and on the peer engines (mujs, duktape through
# bench/peers/duk_host.c, node and node --jitless), checks that all print
# the same checksum, and prints the median wall time of 3 runs, the peak
# memory and the ratio Duriz/peer, with geometric means.
# Usage: bench/run.sh [RUNS]   (DURIZ_BIN=path measures another duriz build)
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
source bench/prepare.sh
prepare_bench node:nodejs /usr/bin/time:time
bench/gen_compile.sh build-rel/bench/compile.js
cat bench/peers/mujs_prelude.js > build-rel/bench/mujs_prelude.js

engines=(duriz mujs duktape node node-jitless)
run_engine() {  # engine file [chunk]
  case $1 in
    duriz) "${DURIZ_BIN:-build-rel/duriz}" ${3:+--chunk $3} "$2" ;;
    mujs) cat build-rel/bench/mujs_prelude.js "$2" > build-rel/bench/mujs_input.js && mujs build-rel/bench/mujs_input.js ;;
    duktape) build-rel/bench/duk_host "$2" ;;
    node) node bench/peers/node_host.js "$2" ;;
    node-jitless) node --jitless bench/peers/node_host.js "$2" ;;
  esac
}
measure() {  # engine file [chunk] -> "seconds kilobytes output"
  local times=() mem=0 out=""
  for ((r = 0; r < runs; r++)); do
    local stat
    # Wall time to the millisecond around the run; the peak from time(1).
    local start end
    start=$(date +%s%N)
    stat=$( { /usr/bin/time -f "%M" bash -c "$(declare -f run_engine); run_engine $1 $2 ${3:-}" > build-rel/bench/out.txt; } 2>&1 | tail -1)
    end=$(date +%s%N)
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", (b - a) / 1e9 }')")
    local m=$stat
    [ "$m" -gt "$mem" ] && mem=$m
    out=$(tr -d '\n' < build-rel/bench/out.txt)
  done
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
  echo "$median $mem $out"
}

workloads=(bench/workloads/*.js build-rel/bench/compile.js)
printf "%-14s" workload; for e in "${engines[@]}"; do printf " %19s" "$e"; done; printf "   duriz/mujs duriz/duktape\n"
declare -A logsum; declare -A count
for w in "${workloads[@]}" chunked; do
  file=$w; chunk=""; name=$(basename "$w" .js)
  if [ "$w" = chunked ]; then file=build-rel/bench/compile.js; chunk=4096; name=compile-4k; fi
  printf "%-14s" "$name"
  declare -A t; declare -A o
  for e in "${engines[@]}"; do
    if [ -n "$chunk" ] && [ "$e" != duriz ]; then printf " %19s" "-"; continue; fi
    read -r secs kb out <<<"$(measure "$e" "$file" "$chunk")"
    t[$e]=$secs; o[$e]=$out
    printf " %8ss %6.1fMB" "$secs" "$(awk -v k="$kb" 'BEGIN { printf "%.1f", k / 1024 }')"
  done
  for p in mujs duktape; do
    if [ -n "${t[$p]:-}" ] && [ -n "$chunk" ]; then :; fi
    if [ -z "$chunk" ]; then
      ratio=$(awk -v a="${t[duriz]}" -v b="${t[$p]}" 'BEGIN { if (b <= 0) b = 0.001; if (a <= 0) a = 0.001; printf "%.2f", a / b }')
      printf " %12s" "$ratio"
      logsum[$p]=$(awk -v s="${logsum[$p]:-0}" -v r="$ratio" 'BEGIN { printf "%.6f", s + log(r) }')
      count[$p]=$(( ${count[$p]:-0} + 1 ))
    fi
  done
  if [ -z "$chunk" ]; then
    for e in "${engines[@]}"; do
      [ "${o[$e]}" = "${o[duriz]}" ] || printf "  (checksum differs: %s %s)" "$e" "${o[$e]}"
    done
  fi
  printf "\n"
  unset t o
done
for p in mujs duktape; do
  awk -v s="${logsum[$p]}" -v n="${count[$p]}" -v p="$p" 'BEGIN { printf "geometric mean duriz/%s: %.2f\n", p, exp(s / n) }'
done
