#!/usr/bin/env bash
# Checks a 32-bit engine DLL from the file: PE32 for i386, exactly the
# exports of the module-definition file, and only system DLLs imported.
# Usage: check_dll.sh OBJDUMP DLL DEF
set -euo pipefail
objdump=$1 dll=$2 def=$3
fail() { echo "check_dll: $*" >&2; exit 1; }

format=$("$objdump" -f "$dll")
grep -q "file format pei-i386" <<<"$format" || fail "not a PE32 i386 file: $format"
grep -q "architecture: i386" <<<"$format" || fail "not for i386: $format"
headers=$("$objdump" -p "$dll")
grep -qE "^Magic[[:space:]]+010b" <<<"$headers" || fail "the optional header is not PE32 (magic 010b)"

want=$(sed -n 's/^[[:space:]]\{1,\}\(JS_[A-Za-z_]*\).*/\1/p' "$def" | sort)
got=$(awk '/\[Ordinal\/Name Pointer\] Table/{f=1;next} f&&/^\t\[/{print $NF;next} f&&/^$/{f=0}' <<<"$headers" | sort)
[ "$(wc -l <<<"$want")" -eq 18 ] || fail "the definition file does not list 18 exports"
[ "$want" = "$got" ] || fail "exports differ from the definition file:
$(diff <(echo "$want") <(echo "$got") || true)"

imports=$(awk '/DLL Name:/{print $3}' <<<"$headers" | sort -f | tr '\n' ' ')
echo "check_dll: 18 exports; imports: $imports"
for d in $imports; do
  case ${d,,} in
    kernel32.dll|msvcrt.dll) ;;
    *) fail "imports a DLL that is not a system DLL: $d" ;;
  esac
done
