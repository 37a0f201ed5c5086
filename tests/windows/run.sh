#!/usr/bin/env bash
# Builds the Windows targets with Debian's mingw-w64 cross compilers and
# tests them: the 32-bit Duriz32.dll from the file (format, exports,
# imports), the 64-bit build under wine64 (the script suite through
# duriz.exe, and C hosts that load the DLL). Installs what it needs when
# run as root. Usage: tests/windows/run.sh
set -euo pipefail
cd "$(dirname "$0")/../.."

packages=(g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix wine wine64)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "windows: missing packages: ${missing[*]} (install them, or run as root)" >&2
    exit 2
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

jobs=$(nproc)
build() {
  local dir=$1 toolchain=$2 out
  echo "== $dir: $toolchain"
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DDURIZ_WERROR=ON >/dev/null
  if ! out=$(cmake --build "$dir" -j "$jobs" 2>&1 </dev/null); then
    echo "$out" >&2
    exit 1
  fi
  if grep -E 'warning:|error:' <<<"$out" >&2; then
    echo "windows: the build in $dir is not clean" >&2
    exit 1
  fi
}

build build-w32 cmake/mingw-i686.cmake
ctest --test-dir build-w32 --output-on-failure </dev/null

# wine64 alone (no i386 architecture, whose wine cannot run here), headless,
# in a fresh prefix under the build folder, with a warm server.
export PATH=$PATH:/usr/lib/wine
export WINEPREFIX=$PWD/build-w64/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
build build-w64 cmake/mingw-x86_64.cmake
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineserver -p
wine64 wineboot </dev/null >/dev/null 2>&1
status=0
ctest --test-dir build-w64 --output-on-failure -j "$jobs" </dev/null || status=$?
wineserver -k || true
exit $status
