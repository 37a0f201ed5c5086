# Shell helpers of the test scripts (sourced). Callers set `label`.

# Installs the named Debian packages that are missing (as root); without
# root it names them and exits with 2.
ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "$label: missing packages: ${missing[*]} (install them, or run as root)" >&2
    exit 2
  fi
  # One failing index (a mirror being synced) makes apt-get update fail
  # though the others are fresh: the install goes on with what there is.
  apt-get update -qq || echo "$label: apt-get update reported a failing index; going on with the others" >&2
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures DIR with warnings as errors and the given CMake arguments and
# builds it; a failed build, or one that prints a warning, stops the script.
build_clean() {
  local dir=$1 out; shift
  echo "== $dir: $*"
  cmake -S . -B "$dir" -DDURIZ_WERROR=ON "$@" >/dev/null
  if ! out=$(cmake --build "$dir" -j "$(nproc)" 2>&1 </dev/null); then
    echo "$out" >&2
    exit 1
  fi
  if grep -E 'warning:|error:' <<<"$out" >&2; then
    echo "$label: the build in $dir is not clean" >&2
    exit 1
  fi
}
