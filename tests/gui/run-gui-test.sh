#!/usr/bin/env bash
# Runs gui-checks.sh inside a private virtual X server and cleans the server up on every path.
# Usage: run-gui-test.sh <quorvel> <panel-layout> <data folder>
set -u

here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 3 ] || { echo "usage: $0 <quorvel> <panel-layout> <data folder>" >&2; exit 2; }
quorvel=$(realpath "$1")
panel_layout=$(realpath "$2")
data=$(realpath "$3")
budget_seconds=400  # the whole run: two minutes and a half alone, four and more on a loaded machine

for tool in xvfb-run Xvfb xauth xdotool xwininfo xdpyinfo import convert compare timeout; do
  if ! command -v "$tool" > /dev/null; then
    echo "FAIL: $tool is missing; scripts/setup installs it" >&2
    exit 1
  fi
done

work=$(mktemp -d -t quorvel-gui.XXXXXX)
display_number=""

# Xvfb writes its process id into its lock file. Kill it only if it is still the server of our
# display (a killed xvfb-run leaves it behind); never anything found by name.
kill_our_server() {
  [ -n "$display_number" ] || return 0
  local lock=/tmp/.X${display_number}-lock
  [ -f "$lock" ] || return 0
  local pid
  pid=$(tr -dc '0-9' 2> /dev/null < "$lock")
  [ -n "$pid" ] || return 0
  if tr '\0' ' ' < "/proc/$pid/cmdline" 2> /dev/null | grep -q "Xvfb :${display_number} "; then
    kill "$pid" 2> /dev/null
  fi
}

clean_up() {
  kill_our_server
  rm -rf "$work"
}
trap clean_up EXIT
trap 'exit 1' INT TERM

# A display number of our own: derived from our process id, skipping numbers in use.
free_display_number() {
  local n=$((200 + $$ % 500))
  local tries
  for ((tries = 0; tries < 100; tries++, n++)); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

# -noreset: a server that resets whenever its last client leaves refuses a client that connects
# meanwhile (the checks connect and leave many times).
# Another run may take the same number between our look and the server's start; then the
# checks never began (no marker) and we try the next free number.
for attempt in 1 2 3; do
  display_number=$(free_display_number) || { echo "FAIL: no free display number" >&2; exit 1; }
  rm -f "$work/started"
  timeout -k 5 "$budget_seconds" xvfb-run -n "$display_number" -e "$work/xvfb.log" \
    -s "-screen 0 1280x800x24 -noreset" bash "$here/gui-checks.sh" "$quorvel" "$panel_layout" "$data" "$work"
  status=$?
  kill_our_server
  if [ -e "$work/started" ]; then
    [ "$status" -eq 124 ] && echo "FAIL: the GUI checks took more than ${budget_seconds} s" >&2
    exit "$status"
  fi
  echo "display :$display_number could not be started (attempt $attempt):" >&2
  cat "$work/xvfb.log" >&2
done
echo "FAIL: no X server could be started" >&2
exit 1
