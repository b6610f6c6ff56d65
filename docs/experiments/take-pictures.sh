#!/usr/bin/env bash
# Takes the README's picture of each scene with the demo, in a virtual X server:
#   xvfb-run -s "-screen 0 1280x800x24" bash docs/experiments/take-pictures.sh build/release
# Each scene is shot with its own shot, paused, repeated with Enter and stepped a fixed number
# of iterations with '.', so that the picture is the same on every run.
set -eu
build=$(realpath "${1:-build/release}")
here=$(cd "$(dirname "$0")" && pwd)
data=$(cd "$here/../../data" && pwd)
main_title="Quorvel Rigid Body Dynamics"

# Start's button, laid out by the panel's own code; the panel stands at (780, 50).
read -r left top right bottom <<< "$("$build/bin/panel-layout" | awk '$1 == "rect" && $6 == "Start" { print $2, $3, $4, $5 }')"
start_x=$((780 + (left + right) / 2))
start_y=$((50 + (top + bottom) / 2))

# picture <file> <iterations (-1: aim instead)> <overlay: 0 or 1> <demo options...>
picture() {
  local file=$1 iterations=$2 overlay=$3
  shift 3
  (cd "$data" && exec "$build/bin/quorvel" "$@") 2> /dev/null &
  local pid=$! window="" i
  for ((i = 0; i < 100; i++)); do
    [ -n "$window" ] && break
    sleep 0.2
    window=$(xdotool search --name "^$main_title\$" 2> /dev/null | head -n 1 || true)
  done
  sleep 2
  if [ "$iterations" -lt 0 ]; then
    # An aim instead of a shot: Ctrl + drag from the white ball, which stands at window point (172, 358), screen point (222, 408).
    xdotool mousemove 222 408 keydown ctrl mousedown 1
    for ((i = 1; i <= 10; i++)); do xdotool mousemove $((222 + 12 * i)) $((408 - 4 * i)); done
    xdotool mouseup 1 keyup ctrl
  elif [ "$iterations" -gt 0 ]; then
    xdotool mousemove "$start_x" "$start_y" click 1
    sleep 0.5
    xdotool mousemove 410 410 key space key Return
    for ((i = 0; i < iterations; i++)); do xdotool key period; done
  fi
  xdotool mousemove 1250 780
  [ "$overlay" -eq 1 ] && xdotool mousemove 700 700 key h && xdotool mousemove 1250 780
  sleep 2
  import -window "$window" "$here/$file"
  kill "$pid"
  wait "$pid" 2> /dev/null || true
}

picture break-aimed.png -1 0 --seed 1
picture head-on.png 14 0 --scene head-on --seed 1
picture glancing.png 14 0 --scene glancing --seed 1
picture cradle.png 16 0 --scene cradle --seed 1
picture slide-to-roll.png 22 1 --scene slide-to-roll --seed 1
picture bank.png 22 0 --scene bank --seed 1
picture crowd.png 10 0 --scene crowd --seed 1
