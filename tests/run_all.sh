#!/usr/bin/env bash
# Installs what the build needs (on Debian 12), then builds and runs every
# test: with g++ (warnings as errors), with clang 14, and with g++ under
# AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer; then
# builds and tests the Windows targets; then runs each fuzz target for a
# minute.
set -euo pipefail
cd "$(dirname "$0")/.."

label=run_all
source tests/lib.sh
# A failure names the stage it stopped in.
stage="installing packages"
trap 'status=$?; [ $status -eq 0 ] || echo "run_all: failed (status $status) in the stage: $stage" >&2' EXIT
ensure_packages cmake make g++ pkg-config valgrind clang-14 libclang-rt-14-dev libgtest-dev libbenchmark-dev \
  libgumbo-dev libfuzzer-14-dev nodejs locales libedit-dev tmux
# A locale of another date layout, for the host's locale test (which skips
# without it).
locale -a 2>/dev/null | grep -qx 'de_DE.utf8' || localedef -i de_DE -f UTF-8 de_DE.UTF-8 2>/dev/null || true

build_and_test() {
  build_clean "$@"
  ctest --test-dir "$1" --output-on-failure -j "$(nproc)" </dev/null
}

stage="g++ build and tests"
build_and_test build
stage="clang 14 build and tests"
build_and_test build-clang -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
stage="AddressSanitizer and UBSan build and tests"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  build_and_test build-asan -DDURIZ_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
# The Windows library and host, cross-built and tested under wine64 (and
# the 32-bit build under wine32 where the machine runs 32-bit code).
stage="Windows builds and tests (tests/windows/run.sh)"
bash tests/windows/run.sh
# Each fuzz target for a minute (clang 14 with libFuzzer); a finding fails.
stage="fuzz targets (fuzz/run.sh)"
bash fuzz/run.sh 60
echo "run_all: every build clean and every test passed"
