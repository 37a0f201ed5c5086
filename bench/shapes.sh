#!/usr/bin/env bash
# The shape matrix: families of workloads under bench/shapes/, FAMILY-SHAPE.js,
# where every shape of a family computes the same checksum written in another
# everyday form (a bare return or one in braces, a for or a while loop, o.x or
# o["x"], s = s + t or s += t, ...). Counts the instructions each engine
# executes on each shape (valgrind's callgrind, no cache simulation, as
# bench/instructions.sh does) and prints, one line per shape, the counts in
# millions for Duriz, mujs and duktape with the ratios Duriz/mujs and
# Duriz/duktape; then for each family the costliest Duriz shape over the
# cheapest; then the geometric means of both ratios over all shapes.
# A shape whose output differs from the peers' checksum, or whose family's
# shapes do not all print the same checksum, is flagged on its line, and
# the script then exits with status 1. mujs runs each shape behind
# bench/peers/mujs_prelude.js, duktape through build-rel/bench/duk_host.
#
# The peers' counts never change with Duriz's work, so a full run stores
# them in bench/shapes/peers.txt (lines "name mujs duktape") and their
# checksums in bench/shapes/checksums.txt (lines "name checksum");
# SHAPES_ENGINES=duriz then counts Duriz only and takes the peers' figures
# from those files (a shape missing from them is counted on all three
# engines and added).
#
# Usage: bench/shapes.sh [SHAPE...]
#   SHAPE is a file, a shape name such as fib-if or a family name such as fib;
#   none runs every bench/shapes/*.js.
#   DURIZ_BIN=path counts another Duriz build.
#   SHAPES_ENGINES=duriz counts Duriz only (the default, all, counts all three).
#   SHAPES_JOBS=N runs N counts at a time (default: the number of cores).
set -uo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."
root=$(pwd)
source bench/prepare.sh

engines=${SHAPES_ENGINES:-all}
case $engines in
  all | duriz) ;;
  *) echo "shapes.sh: SHAPES_ENGINES must be all or duriz, not '$engines'" >&2; exit 2 ;;
esac

# The shape files, from the arguments (resolved against the caller's
# directory when they name files) or all of them.
shapes=()
if [ $# -eq 0 ]; then
  shapes=(bench/shapes/*.js)
else
  for arg in "$@"; do
    file=$(from_caller "$arg")
    if [ -f "$file" ]; then
      shapes+=("$file")
    elif [ -f "bench/shapes/$arg.js" ]; then
      shapes+=("bench/shapes/$arg.js")
    elif compgen -G "bench/shapes/$arg-*.js" >/dev/null; then
      shapes+=(bench/shapes/"$arg"-*.js)
    else
      echo "shapes.sh: no shape or family named '$arg'" >&2; exit 2
    fi
  done
fi

prepare_bench valgrind:valgrind
duriz=$(duriz_binary shapes.sh) || exit 2

work=build-rel/bench/shapes
mkdir -p "$work"
peers_file=bench/shapes/peers.txt
sums_file=bench/shapes/checksums.txt
touch "$peers_file" "$sums_file"

# Counts one engine on one shape into $work/NAME.ENGINE.count (the
# instructions, empty when valgrind failed) and $work/NAME.ENGINE.out (what
# the program wrote): count_task NAME ENGINE command...
count_task() {
  local base=$work/$1.$2
  shift 2
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>"$base.log" | tr -d '\n' > "$base.out"
  sed -n 's/.*refs: *//p' "$base.log" | tr -d ', ' > "$base.count"
}
# Starts a task in the background once fewer than $jobs run (the counts
# do not depend on what else the machine runs, only the wall time does).
jobs_max=${SHAPES_JOBS:-$(nproc)}
start_task() {
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_max" ]; do wait -n; done
  count_task "$@" &
}
# The counts in millions, or "-" for a count that is missing.
millions() { if [ -n "$1" ]; then awk -v x="$1" 'BEGIN { printf "%.1fM", x / 1e6 }'; else printf -- "-"; fi; }
ratio() { if [ -n "$1" ] && [ -n "$2" ]; then awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; else printf -- "-"; fi; }
# Replaces (or adds) the line of NAME in FILE: replace_line FILE NAME TEXT...
replace_line() {
  local file=$1 name=$2
  shift 2
  { awk -v n="$name" '$1 != n' "$file"; echo "$name $*"; } | LC_ALL=C sort > "$file.new" && mv "$file.new" "$file"
}
# The stored peer figures of NAME: "mujs duktape", empty when missing.
stored_peers() { awk -v n="$1" '$1 == n && NF == 3 { print $2, $3; exit }' "$peers_file"; }
stored_sum() { awk -v n="$1" '$1 == n { sub(/^[^ ]* /, ""); print; exit }' "$sums_file"; }
stored_has_sum() { awk -v n="$1" '$1 == n { found = 1 } END { exit !found }' "$sums_file"; }

# Every count runs first, in a pool of jobs; the table is made from the
# results.
declare -A file_of_name peers_counted kept
names=()
for w in "${shapes[@]}"; do
  name=$(basename "$w" .js)
  [ -n "${file_of_name[$name]+x}" ] && continue
  file_of_name[$name]=$w
  names+=("$name")
  rm -f "$work/$name".*
  start_task "$name" duriz "$duriz" "$w"
  # Only the shapes of bench/shapes/ keep their peer figures in the files.
  [ "$(cd "$(dirname "$w")" && pwd)" = "$root/bench/shapes" ] && kept[$name]=1
  if [ "$engines" = all ] || [ -z "${kept[$name]+x}" ] || [ -z "$(stored_peers "$name")" ] || ! stored_has_sum "$name"; then
    peers_counted[$name]=1
    cat bench/peers/mujs_prelude.js "$w" > "$work/$name.mujs.js"
    start_task "$name" mujs mujs "$work/$name.mujs.js"
    start_task "$name" duktape build-rel/bench/duk_host "$w"
  fi
done
wait

printf "%-8s %-18s %10s %10s %10s %10s %13s\n" family shape duriz mujs duktape duriz/mujs duriz/duktape
declare -A family_first family_sum best_n best_c worst_n worst_c
families=()
logm=0; logd=0; nm=0; nd=0; flagged=0
for name in "${names[@]}"; do
  family=${name%%-*}
  shape=${name#*-}
  [ "$shape" = "$name" ] && shape=-
  notes=
  if [ -n "${peers_counted[$name]+x}" ]; then
    m=$(cat "$work/$name.mujs.count")
    k=$(cat "$work/$name.duktape.count")
    ref=$(cat "$work/$name.mujs.out")
    kout=$(cat "$work/$name.duktape.out")
    [ -n "$m" ] || notes+="  (valgrind failed on mujs)"
    [ -n "$k" ] || notes+="  (valgrind failed on duktape)"
    [ "$kout" = "$ref" ] || notes+="  (mujs and duktape differ: mujs '$ref', duktape '$kout')"
    if [ -n "$m" ] && [ -n "$k" ] && [ -n "${kept[$name]+x}" ]; then
      replace_line "$peers_file" "$name" "$m" "$k"
      replace_line "$sums_file" "$name" "$ref"
    fi
  else
    read -r m k <<< "$(stored_peers "$name")"
    ref=$(stored_sum "$name")
  fi
  d=$(cat "$work/$name.duriz.count")
  dout=$(cat "$work/$name.duriz.out")
  [ -n "$d" ] || notes+="  (valgrind failed on duriz)"
  [ "$dout" = "$ref" ] || notes+="  (checksum differs: duriz '$dout', peers '$ref')"
  # Every shape of a family must print what its first shape printed.
  if [ -z "${family_first[$family]+x}" ]; then
    family_first[$family]=$name
    family_sum[$family]=$ref
    families+=("$family")
  elif [ "$ref" != "${family_sum[$family]}" ]; then
    notes+="  (family checksum differs from ${family_first[$family]}: '${family_sum[$family]}')"
  fi
  [ -n "$notes" ] && flagged=$((flagged + 1))

  printf "%-8s %-18s %10s %10s %10s %10s %13s%s\n" "$family" "$shape" "$(millions "$d")" \
    "$(millions "$m")" "$(millions "$k")" "$(ratio "$d" "$m")" "$(ratio "$d" "$k")" "$notes"

  if [ -n "$d" ]; then
    if [ -z "${best_c[$family]+x}" ] || awk -v a="$d" -v b="${best_c[$family]}" 'BEGIN { exit !(a < b) }'; then
      best_c[$family]=$d; best_n[$family]=$shape
    fi
    if [ -z "${worst_c[$family]+x}" ] || awk -v a="$d" -v b="${worst_c[$family]}" 'BEGIN { exit !(a > b) }'; then
      worst_c[$family]=$d; worst_n[$family]=$shape
    fi
    # The means take the exact ratios: a printed one can round to 0.00.
    if [ -n "$m" ]; then
      logm=$(awk -v s="$logm" -v a="$d" -v b="$m" 'BEGIN { printf "%.9f", s + log(a / b) }'); nm=$((nm + 1))
    fi
    if [ -n "$k" ]; then
      logd=$(awk -v s="$logd" -v a="$d" -v b="$k" 'BEGIN { printf "%.9f", s + log(a / b) }'); nd=$((nd + 1))
    fi
  fi
done

echo
echo "costliest duriz shape over the cheapest, per family:"
for family in "${families[@]}"; do
  [ -n "${best_c[$family]+x}" ] || continue
  printf "%-8s %-18s / %-18s %6.2f\n" "$family" "${worst_n[$family]}" "${best_n[$family]}" \
    "$(awk -v a="${worst_c[$family]}" -v b="${best_c[$family]}" 'BEGIN { print a / b }')"
done
echo
[ "$nm" -gt 0 ] && awk -v s="$logm" -v n="$nm" 'BEGIN { printf "geometric mean duriz/mujs: %.2f\n", exp(s / n) }'
[ "$nd" -gt 0 ] && awk -v s="$logd" -v n="$nd" 'BEGIN { printf "geometric mean duriz/duktape: %.2f\n", exp(s / n) }'
if [ "$flagged" -gt 0 ]; then
  echo "$flagged shape(s) flagged above"
  exit 1
fi
exit 0
