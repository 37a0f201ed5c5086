#!/usr/bin/env bash
# Counts the instructions each engine executes on each workload (valgrind's
# callgrind, no cache simulation), a figure that stays the same from run to
# run where wall times on a busy machine move by tens of percent. Prints the
# counts in millions and the ratios Duriz/mujs and Duriz/duktape with their
# geometric means. Takes a few minutes: every run is about fifty times slower
# under valgrind.
# Usage: bench/instructions.sh [WORKLOAD...]   (DURIZ_BIN=path counts another build)
#   WORKLOAD is a file or a name such as fib (a file of bench/workloads).
set -uo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."
source bench/prepare.sh
prepare_bench valgrind:valgrind
duriz=$(duriz_binary instructions.sh) || exit 2

count() {  # command... -> instructions; the program's output in build-rel/bench/out.txt
  local log=build-rel/bench/callgrind.txt
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>"$log" | tr -d '\n' > build-rel/bench/out.txt
  sed -n 's/.*refs: *//p' "$log" | tr -d ','
}
output() { cat build-rel/bench/out.txt; }

# A workload is a file (from the caller's directory) or the name of one
# under bench/workloads (arrays or arrays.js); none runs them all.
workloads=()
for arg in "$@"; do
  file=$(from_caller "$arg")
  if [ -f "$file" ]; then
    workloads+=("$file")
  elif [ -f "bench/workloads/${arg%.js}.js" ]; then
    workloads+=("bench/workloads/${arg%.js}.js")
  else
    echo "instructions.sh: no workload named '$arg'" >&2; exit 2
  fi
done
[ ${#workloads[@]} -gt 0 ] || workloads=(bench/workloads/*.js)
printf "%-14s %12s %12s %12s %12s %14s\n" workload duriz mujs duktape duriz/mujs duriz/duktape
logm=0; logd=0; n=0
for w in "${workloads[@]}"; do
  cat bench/peers/mujs_prelude.js "$w" > build-rel/bench/mujs_input.js
  d=$(count "$duriz" "$w"); dout=$(output)
  m=$(count mujs build-rel/bench/mujs_input.js); mout=$(output)
  k=$(count build-rel/bench/duk_host "$w"); kout=$(output)
  rm=$(awk -v a="$d" -v b="$m" 'BEGIN { printf "%.2f", a / b }')
  rk=$(awk -v a="$d" -v b="$k" 'BEGIN { printf "%.2f", a / b }')
  printf "%-14s %11.1fM %11.1fM %11.1fM %12s %14s" "$(basename "$w" .js)" \
    "$(awk -v x="$d" 'BEGIN { print x / 1e6 }')" "$(awk -v x="$m" 'BEGIN { print x / 1e6 }')" \
    "$(awk -v x="$k" 'BEGIN { print x / 1e6 }')" "$rm" "$rk"
  [ "$mout" = "$dout" ] || printf "  (checksum differs: mujs %s)" "$mout"
  [ "$kout" = "$dout" ] || printf "  (checksum differs: duktape %s)" "$kout"
  printf "\n"
  # The means take the exact ratios: a printed one can round to 0.00.
  logm=$(awk -v s="$logm" -v a="$d" -v b="$m" 'BEGIN { printf "%.6f", s + log(a / b) }')
  logd=$(awk -v s="$logd" -v a="$d" -v b="$k" 'BEGIN { printf "%.6f", s + log(a / b) }')
  n=$((n + 1))
done
awk -v s="$logm" -v n="$n" 'BEGIN { printf "geometric mean duriz/mujs: %.2f\n", exp(s / n) }'
awk -v s="$logd" -v n="$n" 'BEGIN { printf "geometric mean duriz/duktape: %.2f\n", exp(s / n) }'
