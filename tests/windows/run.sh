#!/usr/bin/env bash
# Builds the Windows targets with Debian's mingw-w64 cross compilers and
# tests them: the 32-bit Duriz32.dll from the file (format, exports,
# imports), the 64-bit build under wine64 (the script suite through
# duriz.exe, and a C host that loads the DLL), then, where the machine runs
# 32-bit code and wine32 can be installed, the same under wine32; where it
# cannot, one line says so. Installs what it needs when run as root.
# Usage: tests/windows/run.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
trap 'echo "windows: line $LINENO failed with status $?" >&2' ERR

label=windows
source tests/lib.sh
ensure_packages g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix wine wine64

# The file checks alone first (a wine32 stage of an earlier run may have
# left its loader in the cache).
build_clean build-w32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DDURIZ_WINE32=
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
# A wine start now and then hangs: a test that does not end in 30 s is run
# again, up to three times in all.
ctest --test-dir build-w64 --output-on-failure -j "$(nproc)" --timeout 30 --repeat until-pass:3 </dev/null ||
  status=$?
wineserver -k || true
[ $status -eq 0 ] || exit $status

# wine32 beside wine64. The i386 twins of installed packages must match
# their versions; when an index is stale (a mirror being synced) apt cannot
# pair them from every suite, so a second try resolves against the main
# and updates suites alone and pins each package that would otherwise be
# removed to its i386 twin's version, allowing it to step down. Nothing is
# ever removed (wine64 stays).
install_wine32() {
  [ -x /usr/lib/wine/wine ] && return 0
  [ "$(id -u)" -eq 0 ] || return 1
  dpkg --add-architecture i386
  apt-get update -qq >/dev/null 2>&1 || true
  local wanted=(--no-install-recommends wine64 wine32:i386)
  local install=(install -y -qq --no-remove --allow-downgrades)
  DEBIAN_FRONTEND=noninteractive apt-get "${install[@]}" "${wanted[@]}" >/dev/null 2>&1 && return 0
  local sources rc=1
  sources=$(mktemp -d)
  awk 'BEGIN { RS = ""; ORS = "\n\n" } !/security/' /etc/apt/sources.list.d/*.sources >"$sources/main.sources" 2>/dev/null
  local only=(-o Dir::Etc::SourceParts="$sources" -o Dir::Etc::SourceList=/dev/null)
  if apt-get "${only[@]}" update -qq >/dev/null 2>&1; then
    # What apt would remove to pair the twins: pinned to the twin's version.
    local plan name version pins=()
    plan=$(apt-get "${only[@]}" -s install "${wanted[@]}" 2>/dev/null)
    while read -r name version; do
      grep -qE "^Remv $name(:amd64)? " <<<"$plan" && pins+=("$name=$version" "$name:i386=$version")
    done < <(sed -nE 's/^Inst ([^ :]+):i386 \(([^ ]+) .*/\1 \2/p' <<<"$plan")
    DEBIAN_FRONTEND=noninteractive apt-get "${only[@]}" "${install[@]}" "${wanted[@]}" "${pins[@]}" >/dev/null 2>&1
    rc=$?
  fi
  rm -rf "$sources"
  # The machine's own lists again, for whatever runs next.
  apt-get update -qq >/dev/null 2>&1 || true
  return $rc
}
if ! install_wine32; then
  echo "windows: wine32 cannot be installed here; Duriz32.dll was checked from the file only"
  exit 0
fi
export WINEPREFIX=$PWD/build-w32/wine WINEARCH=win32
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineserver -p
if ! { /usr/lib/wine/wine wineboot </dev/null >/dev/null 2>&1 || { sleep 2; /usr/lib/wine/wine wineboot </dev/null >/dev/null 2>&1; }; }; then
  echo "windows: this machine does not run 32-bit code under wine32; Duriz32.dll was checked from the file only"
  exit 0
fi
echo "== build-w32 under wine32"
build_clean build-w32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DDURIZ_WINE32=/usr/lib/wine/wine
# As under wine64, a test that hangs is run again.
ctest --test-dir build-w32 --output-on-failure -j "$(nproc)" --timeout 30 --repeat until-pass:3 </dev/null ||
  status=$?
wineserver -k || true
exit $status
