#!/usr/bin/env bash
# Writes the compile-only workload: about 1 MB of script in functions that
# are never called, so every engine compiles all of it and runs nothing.
# (Small functions: some engines limit the size of one function.)
out=$1
{
  for ((i = 0; i < 9000; i++)); do
    (( i % 40 == 0 )) && echo "function neverCalled$i() {"
    echo "  var v$i = (a$i + $i) * b.c[$i] - f(\"text $i\", x$i, y$i); if (v$i > $i) { w = w + v$i; } else { w = w - 1; }"
    (( i % 40 == 39 )) && echo "}"
  done
  (( 9000 % 40 != 0 )) && echo "}"
  echo "document.write(12345);"
} > "$out"
