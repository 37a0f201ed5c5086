#!/usr/bin/env bash
# Builds the Windows targets with Debian's mingw-w64 cross compilers and
# tests them: the 32-bit Duriz32.dll from the file (format, exports,
# imports), the 64-bit build under wine64 (the script suite through
# duriz.exe, and C hosts that load the DLL). Installs what it needs when
# run as root. Usage: tests/windows/run.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
trap 'echo "windows: line $LINENO failed with status $?" >&2' ERR

label=windows
source tests/lib.sh
ensure_packages g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix wine wine64

build_clean build-w32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
ctest --test-dir build-w32 --output-on-failure </dev/null

# wine64 alone (no i386 architecture, whose wine cannot run here), headless,
# in a fresh prefix under the build folder, with a warm server.
export PATH=$PATH:/usr/lib/wine
export WINEPREFIX=$PWD/build-w64/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
build_clean build-w64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
# A server left from an earlier run is stopped and waited for first.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineserver -p
# The first start of a prefix now and then fails on a loaded machine; a
# second one is made before giving up.
wine64 wineboot </dev/null >/dev/null 2>&1 || { sleep 2; wine64 wineboot </dev/null >/dev/null 2>&1; }
status=0
ctest --test-dir build-w64 --output-on-failure -j "$(nproc)" </dev/null || status=$?
wineserver -k || true
exit $status
