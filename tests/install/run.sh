#!/usr/bin/env bash
# Installs the build in BUILD to a temporary prefix and builds a small C
# host against it as a separate project would: with pkg-config (shared, and
# static with what --static lists) and with the CMake package. Each host
# must run and print the script's value.
# Usage: tests/install/run.sh BUILD
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
want="ok 42"
check() {  # name program...
  local name=$1 out
  shift
  out=$("$@")
  if [ "$out" != "$want" ]; then
    echo "install: $name printed '$out', expected '$want'" >&2
    exit 1
  fi
}
libdir=$(dirname "$(find "$prefix" -name libduriz.a | head -1)")
export PKG_CONFIG_PATH=$libdir/pkgconfig
cc=${CC:-cc}
"$cc" -o "$work/pc_shared" "$here/consumer/host.c" $(pkg-config --cflags --libs duriz)
check "pkg-config shared host" env LD_LIBRARY_PATH="$libdir" "$work/pc_shared"
# The static archive named as such, then what pkg-config --static adds.
"$cc" -o "$work/pc_static" "$here/consumer/host.c" $(pkg-config --cflags duriz) "$libdir/libduriz.a" \
  $(pkg-config --static --libs-only-l duriz | sed 's/-lduriz//')
check "pkg-config static host" "$work/pc_static"
if ldd "$work/pc_static" 2>/dev/null | grep -q libduriz; then
  echo "install: the static host loads libduriz.so" >&2
  exit 1
fi
cmake -S "$here/consumer" -B "$work/consumer" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/consumer" >/dev/null
check "CMake package shared host" env LD_LIBRARY_PATH="$libdir" "$work/consumer/host_shared"
check "CMake package static host" "$work/consumer/host_static"
echo "install: the header, both libraries, duriz, pkg-config and the CMake package serve a separate project"
