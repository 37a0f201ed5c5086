#!/usr/bin/env bash
# Differential check: runs every case through duriz and through node and
# reports each difference. The cases keep to what both languages agree on.
# Usage: run.sh DURIZ   (exit 0: all agree; 1: a difference; 77: no node)
set -u
duriz=$1
here=$(cd "$(dirname "$0")" && pwd)
node=$(command -v node || command -v nodejs || true)
if [ -z "$node" ]; then
  echo "compare: node is not installed; skipped"
  exit 77
fi
status=0
count=0
for case in "$here"/cases/*.js; do
  count=$((count + 1))
  want=$(TZ=UTC LC_ALL=C "$node" "$here/node_host.js" "$case" 2>&1)
  got=$(TZ=UTC LC_ALL=C "$duriz" "$case" 2>&1)
  if [ "$want" != "$got" ]; then
    echo "compare: $(basename "$case") differs"
    diff <(echo "$want") <(echo "$got") | sed 's/^/  /'
    status=1
  fi
done
echo "compare: $count cases, $([ $status = 0 ] && echo 'all agree' || echo 'differences found')"
exit $status
