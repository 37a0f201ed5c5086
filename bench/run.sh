#!/usr/bin/env bash
# Runs each workload on Duriz and on the peer engines (mujs, duktape through
# bench/peers/duk_host.c, node and node --jitless), checks that all print
# the same checksum, and prints the median wall time of 3 runs (the engines
# taking turns run by run), the peak memory and the ratio Duriz/peer, with
# geometric means, and for the compile workloads Duriz's megabytes a second.
# The workloads are bench/workloads/*.js (among them larger inputs: fib(30),
# a loop of five million rounds) and the shape matrix's bench/shapes/*.js,
# the same computations written in everyday shapes.
# Usage: bench/run.sh [RUNS [WORKLOAD...]]   (names such as fib, fib-if or compile
# pick workloads, compile-4k included with compile; DURIZ_BIN=path measures another duriz build;
# DURIZ_BASELINE=path adds an earlier build as a column of its own, timed
# in the same turns)
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
shift $(( $# > 0 ? 1 : 0 ))
picked=("$@")
source bench/prepare.sh
prepare_bench node:nodejs /usr/bin/time:time
bench/gen_compile.sh build-rel/bench/compile.js

engines=(duriz mujs duktape node node-jitless)
[ -n "${DURIZ_BASELINE:-}" ] && engines=(duriz baseline mujs duktape node node-jitless)
# The engines that run the chunked compile: Duriz's builds.
is_duriz() { [ "$1" = duriz ] || [ "$1" = baseline ]; }
# The command line of an engine for a workload (mujs reads the workload
# behind a prelude of its own, written before the runs).
engine_command() {  # engine file [chunk] -> cmd
  case $1 in
    duriz) cmd=("${DURIZ_BIN:-build-rel/duriz}" ${3:+--chunk "$3"} "$2") ;;
    baseline) cmd=("$DURIZ_BASELINE" ${3:+--chunk "$3"} "$2") ;;
    mujs) cmd=(mujs build-rel/bench/mujs_input.js) ;;
    duktape) cmd=(build-rel/bench/duk_host "$2") ;;
    node) cmd=(node bench/peers/node_host.js "$2") ;;
    node-jitless) cmd=(node --jitless bench/peers/node_host.js "$2") ;;
  esac
}
run_once() {  # engine file [chunk] -> "seconds kilobytes"; the output in build-rel/bench/out-ENGINE.txt
  local cmd start end
  engine_command "$@"
  # Wall time around the engine's own process (the shell's clock, no fork);
  # the peak from time(1).
  start=$EPOCHREALTIME
  /usr/bin/time -f "%M" -o build-rel/bench/mem.txt "${cmd[@]}" > "build-rel/bench/out-$1.txt" 2>/dev/null
  end=$EPOCHREALTIME
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }') $(tail -1 build-rel/bench/mem.txt)"
}
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }
# a / b of two times, a time of zero counted as a millisecond; FORMAT
# %.2f to print, %.9g for the geometric mean (a ratio far below 0.01 would
# print as 0.00 and make its logarithm infinite).
ratio() {  # a b format
  awk -v a="$1" -v b="$2" -v f="$3" 'BEGIN { if (b <= 0) b = 0.001; if (a <= 0) a = 0.001; printf f, a / b }'
}

workloads=(bench/workloads/*.js bench/shapes/*.js build-rel/bench/compile.js)
printf "%-14s" workload; for e in "${engines[@]}"; do printf " %19s" "$e"; done; [ -n "${DURIZ_BASELINE:-}" ] && printf "   duriz/baseline"
printf "   duriz/mujs duriz/duktape\n"
declare -A logsum; declare -A count
for w in "${workloads[@]}" chunked; do
  file=$w; chunk=""; name=$(basename "$w" .js)
  if [ "$w" = chunked ]; then file=build-rel/bench/compile.js; chunk=4096; name=compile-4k; fi
  if [ ${#picked[@]} -gt 0 ]; then
    wanted=no
    for p in "${picked[@]}"; do [ "$p" = "$name" ] || [ "$p-4k" = "$name" ] && wanted=yes; done
    [ $wanted = yes ] || continue
  fi
  printf "%-14s" "$name"
  declare -A times; declare -A mem; declare -A o; declare -A t
  cat bench/peers/mujs_prelude.js "$file" > build-rel/bench/mujs_input.js
  # The engines take turns, run by run, so that a slow spell of the machine
  # falls on all of them alike.
  for ((r = 0; r < runs; r++)); do
    for e in "${engines[@]}"; do
      if [ -n "$chunk" ] && ! is_duriz "$e"; then continue; fi
      read -r secs kb <<<"$(run_once "$e" "$file" "$chunk")"
      times[$e]="${times[$e]:-} $secs"
      [ "$kb" -gt "${mem[$e]:-0}" ] && mem[$e]=$kb
      o[$e]=$(tr -d '\n' < "build-rel/bench/out-$e.txt")
    done
  done
  for e in "${engines[@]}"; do
    if [ -n "$chunk" ] && ! is_duriz "$e"; then printf " %19s" "-"; continue; fi
    # shellcheck disable=SC2086
    t[$e]=$(median ${times[$e]})
    printf " %8ss %6.1fMB" "${t[$e]}" "$(awk -v k="${mem[$e]}" 'BEGIN { printf "%.1f", k / 1024 }')"
  done
  if [ -n "${DURIZ_BASELINE:-}" ]; then
    printf " %15s" "$(ratio "${t[duriz]}" "${t[baseline]}" %.2f)"
  fi
  if [ -z "$chunk" ]; then
    for p in mujs duktape; do
      printf " %12s" "$(ratio "${t[duriz]}" "${t[$p]}" %.2f)"
      logsum[$p]=$(awk -v s="${logsum[$p]:-0}" -v r="$(ratio "${t[duriz]}" "${t[$p]}" %.9g)" 'BEGIN { printf "%.6f", s + log(r) }')
      count[$p]=$(( ${count[$p]:-0} + 1 ))
    done
    for e in "${engines[@]}"; do
      [ "${o[$e]}" = "${o[duriz]}" ] || printf "  (checksum differs: %s %s)" "$e" "${o[$e]}"
    done
  fi
  # Compiling: the script's size over Duriz's whole run (start-up included).
  if [ "$file" = build-rel/bench/compile.js ]; then
    printf "  %s MB/s" "$(awk -v b="$(wc -c < "$file")" -v s="${t[duriz]}" 'BEGIN { printf "%.1f", b / 1e6 / s }')"
  fi
  printf "\n"
  unset times mem o t
done
for p in mujs duktape; do
  [ "${count[$p]:-0}" -gt 0 ] || continue
  awk -v s="${logsum[$p]}" -v n="${count[$p]}" -v p="$p" 'BEGIN { printf "geometric mean duriz/%s: %.2f\n", p, exp(s / n) }'
done
