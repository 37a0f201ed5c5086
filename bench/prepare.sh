# Sourced by the benchmark scripts: installs the packages of the commands
# given that are missing (and mujs and duktape-dev), builds the Release
# duriz and the duktape host into build-rel.
# Usage: source bench/prepare.sh; prepare_bench [COMMAND:PACKAGE...]
prepare_bench() {
  local need=() pair
  command -v mujs >/dev/null || need+=(mujs)
  [ -f /usr/include/duktape.h ] || need+=(duktape-dev)
  for pair in "$@"; do
    command -v "${pair%%:*}" >/dev/null || need+=("${pair#*:}")
  done
  if [ ${#need[@]} -gt 0 ]; then
    apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
  fi
  cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DDURIZ_TESTS=OFF >/dev/null
  cmake --build build-rel -j "$(nproc)" --target duriz >/dev/null
  mkdir -p build-rel/bench
  cc -O2 -o build-rel/bench/duk_host bench/peers/duk_host.c -lduktape
}

# A file named from the directory the benchmark was started in ($here).
from_caller() { case $1 in /*) echo "$1" ;; *) echo "$here/$1" ;; esac; }

# The Duriz binary to measure: DURIZ_BIN (named from the caller's
# directory), else the build prepare_bench made. Without one it says so,
# naming the script, and fails: duriz=$(duriz_binary NAME) || exit 2
duriz_binary() {
  local bin=build-rel/duriz
  [ -n "${DURIZ_BIN:-}" ] && bin=$(from_caller "$DURIZ_BIN")
  if [ ! -x "$bin" ]; then
    echo "$1: no Duriz binary at $bin" >&2
    return 1
  fi
  echo "$bin"
}
