#!/usr/bin/env bash
# The interactive prompt on a pseudo-terminal, typed at as a person would,
# in a tmux session of its own: keys with escape sequences, a multi-line
# function, errors named by their input line, output left mid-line, a loop
# stopped with Ctrl-C (what was defined stays), Ctrl-C on a line being
# typed, Ctrl-D; then Ctrl-C twice at an empty prompt.
# Usage: interactive_pty.sh DURIZ EDITING   (EDITING: 1 when duriz is built
# with libedit). Exit status 77: tmux is missing.
set -euo pipefail
duriz=$1
editing=${2:-0}
command -v tmux >/dev/null || { echo "SKIPPED: tmux is missing"; exit 77; }

work=$(mktemp -d)
mkdir "$work/home"
tm() { tmux -S "$work/tmux" -f /dev/null "$@"; }
trap 'tm kill-server 2>/dev/null || true; rm -rf "$work"' EXIT

screen() { tm capture-pane -p -t "$1" -S - -E -; }
fail() {
  echo "interactive_pty: $1; the screen:" >&2
  screen "$session" >&2
  exit 1
}
# Starts duriz in a new session; its exit status shows as [exit N].
start() {
  session=$1
  tm new-session -d -s "$session" -x 120 -y 80 \
    "env -u EDITRC HOME='$work/home' LANG=C.UTF-8 '$duriz'; echo \"[exit \$?]\"; sleep 600"
}
# Waits (10 s at most) until the screen has N lines that match a regex.
wait_lines() {
  local regex=$1 count=$2 i
  for ((i = 0; i < 200; i++)); do
    [ "$(screen "$session" | grep -cE -- "$regex" || true)" -ge "$count" ] && return 0
    sleep 0.05
  done
  fail "no $count lines that match '$regex'"
}
prompts=0
# Waits for the next prompt.
next_prompt() {
  prompts=$((prompts + 1))
  wait_lines '^(duriz|\.\.\.)>' $((prompts + 1))
}
text() { tm send-keys -t "$session" -l "$1"; }
keys() { tm send-keys -t "$session" "$@"; }
enter() { keys Enter; next_prompt; }
line() { text "$1"; enter; }
# A screen line equal to $2 follows one starting with $1.
follows() {
  screen "$session" | awk -v a="$1" -v b="$2" 'seen && $0 == b { found = 1 } { seen = index($0, a) == 1 }
    END { exit !found }' || fail "no line '$2' after '$1'"
}
has_line() { screen "$session" | grep -qxF -- "$1" || fail "no line '$1'"; }
has_start() {
  screen "$session" | awk -v a="$1" 'index($0, a) == 1 { found = 1 } END { exit !found }' ||
    fail "no line starting with '$1'"
}

start one
wait_lines '^duriz>' 1
has_line 'Duriz - type a script; Ctrl-D or Ctrl-C twice to leave'
line 'x = 40'                                   # line 1
follows 'duriz> x = 40' '40'
# Left moves back over the 2 in the editor; without one its sequence is
# dropped. F5 is dropped either way.
text 'x + 2'; keys Left; text '1'; keys F5; enter  # line 2
follows 'duriz> x + ' "$([ "$editing" = 1 ] && echo 52 || echo 61)"
line 'function f(a) {'                          # line 3
line 'return a * 2'                             # line 4
line '}'                                        # line 5
has_line '...> }'
line 'f(21)'                                    # line 6
follows 'duriz> f(21)' '42'
line 'function g() {'                           # line 7
line 'return )'                                 # line 8
has_start 'duriz: <stdin>:8: syntax error'
line 'if (x) {'                                 # line 9
line 'y = 1'                                    # line 10
line 'undefinedFunction()'                      # line 11
line '}'                                        # line 12
has_line 'duriz: <stdin>:11: run-time error: undefinedFunction()'
line 'document.write("ab")'                     # line 13
follows 'duriz> document.write("ab")' 'ab'
# The loop shows it runs before Ctrl-C stops it.
text 'document.write("running\n"); while (true) {}'
keys Enter                                      # line 14
wait_lines '^running$' 1
keys C-c
next_prompt
has_line 'duriz: interrupted'
# Ctrl-C on a line being typed drops it.
text 'abc'
wait_lines '^duriz> abc' 1
keys C-c
next_prompt
line 'f(x) + 1'                                 # line 15
follows 'duriz> f(x) + 1' '81'
if [ "$editing" = 1 ]; then
  keys Up; enter                                # line 16: f(x) + 1 again
  [ "$(screen "$session" | grep -cx '81')" -eq 2 ] || fail "Up did not bring back 'f(x) + 1'"
  grep -qF 'f(x)\040+\0401' "$work/home/.duriz_history" || fail "the history file lacks 'f(x) + 1'"
fi
keys C-d
wait_lines '^\[exit ' 1
has_line '[exit 1]'
# Only the two errors above: no key left a part of itself in a line.
[ "$(screen "$session" | grep -c '^duriz: <stdin>')" -eq 2 ] || fail "more errors than the two typed"

start two
wait_lines '^duriz>' 1
keys C-c
wait_lines '^\(Ctrl-C again or Ctrl-D to leave\)$' 1
keys C-c
wait_lines '^\[exit ' 1
has_line '[exit 0]'
echo "interactive_pty: passed"
