#!/usr/bin/env bash
# The demo driven as a user would drive it, inside the X server that run-gui-test.sh started.
# Every wait polls for a condition with a generous timeout; nothing depends on the frame rate.
# Usage: gui-checks.sh <quorvel> <panel-layout> <data folder> <work folder>
set -u

quorvel=$1
panel_layout=$2
data=$3
work=$4
touch "$work/started"

main_title="Quorvel Rigid Body Dynamics"
panel_title="GLUI"
demo_pid=""

# --- plumbing -------------------------------------------------------------------------------

fail() {
  echo "FAIL: $*" >&2
  if [ -f "$work/stderr.txt" ]; then
    echo "--- the demo's standard error:" >&2
    cat "$work/stderr.txt" >&2
  fi
  exit 1
}

stop_demo() {
  if [ -n "$demo_pid" ] && kill -0 "$demo_pid" 2> /dev/null; then
    kill "$demo_pid" 2> /dev/null
    wait "$demo_pid" 2> /dev/null
  fi
  demo_pid=""
}
trap stop_demo EXIT

demo_gone() { ! kill -0 "$demo_pid" 2> /dev/null; }

# wait_until <seconds> <what> <command...>: polls the command until it succeeds. A demo that
# ends meanwhile fails the wait at once, unless its end is what is awaited.
expecting_exit=0
wait_until() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "timed out after ${seconds} s waiting for: $what"
    if [ "$expecting_exit" -eq 0 ] && [ -n "$demo_pid" ] && demo_gone; then
      fail "the demo ended while waiting for: $what"
    fi
    sleep 0.2
  done
}

# Starts the demo in <folder> as a user would, with its standard error kept; further arguments
# are the demo's options.
start_demo() {
  local folder=$1
  shift
  (cd "$folder" && exec "$quorvel" "$@") 2> "$work/stderr.txt" &
  demo_pid=$!
}

# Starts the demo as start_demo does and waits for its main window, whose id it leaves in main.
open_demo() {
  start_demo "$@"
  wait_until 30 "the main window" has_window "$main_title"
  main=$(window_of "$main_title")
}

# Waits for the demo to end and checks its exit code.
expect_exit() {
  local expected=$1
  expecting_exit=1
  wait_until 20 "the demo to exit" demo_gone
  expecting_exit=0
  wait "$demo_pid"
  local code=$?
  demo_pid=""
  [ "$code" -eq "$expected" ] || fail "exit code $code, expected $expected"
}

# A client may connect at any moment, also just after the last one left; a server that resets
# then (run without -noreset) refuses whoever connects meanwhile.
check_server_takes_every_client() {
  local refused=0 i
  for ((i = 0; i < 100; i++)); do
    timeout 10 xwininfo -root > /dev/null 2>&1 || refused=$((refused + 1))
  done
  [ "$refused" -eq 0 ] || fail "the X server refused $refused of 100 short connections"
}

window_of() { timeout 10 xdotool search --name "^$1\$" 2> /dev/null | head -n 1; }
has_window() { [ -n "$(window_of "$1")" ]; }

# Prints "x y width height" of a window.
geometry_of() {
  timeout 10 xwininfo -id "$1" | awk '
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}
geometry_is() { [ "$(geometry_of "$1")" = "$2" ]; }

shoot() { timeout 10 import -window "$1" "$2" 2> /dev/null; }

# crop <image> <x> <y> <width> <height> <out>
crop() { convert "$1" -crop "${4}x${5}+${2}+${3}" +repage "$6"; }

# Number of pixels that differ noticeably between two images of the same size.
differing_pixels() {
  compare -metric AE -fuzz 8% "$1" "$2" null: 2>&1 | cut -d' ' -f1
}
same_image() { [ "$(differing_pixels "$1" "$2")" -le "${3:-30}" ]; }

# Counts pixel classes in a region: prints "ball white floor total". Balls are copper or red
# (red well above green and blue), body 0 is white, the box floor is the greenish far face.
classify() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 txt:- |
    sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
    awk '{ r = $1; g = $2; b = $3; total++
           if (r > g + 20 && r > b + 30) ball++
           else if (r > 150 && g > 150 && b > 150) white++
           else if (g > r + 15 && g > 60) floor++ }
         END { print ball + 0, white + 0, floor + 0, total + 0 }'
}

# --- the panel's controls, laid out by the demo's own code ---------------------------------

"$panel_layout" > "$work/layout.txt" || fail "panel-layout failed"
panel_size=$(awk '$1 == "window" { print $2, $3 }' "$work/layout.txt")

# Prints "left top right bottom" of a control.
rect_of() {
  awk -v name="$1" '$1 == "rect" { n = $6; for (i = 7; i <= NF; i++) n = n " " $i
                                    if (n == name) { print $2, $3, $4, $5; exit } }' \
    "$work/layout.txt"
}

panel_x=0
panel_y=0

click_control() {
  local left top right bottom
  read -r left top right bottom <<< "$(rect_of "$1")"
  [ -n "$bottom" ] || fail "no control named '$1' in the layout"
  timeout 10 xdotool mousemove $((panel_x + (left + right) / 2)) $((panel_y + (top + bottom) / 2)) \
    click 1
}

# Moves the pointer off both windows, so that no control shows a hover colour.
pointer_away() { timeout 10 xdotool mousemove 1250 780; }

# Takes a picture of a control, the pointer away from it.
shoot_control() {
  local left top right bottom
  read -r left top right bottom <<< "$(rect_of "$1")"
  shoot "$panel" "$work/panel.png" && crop "$work/panel.png" "$left" "$top" \
    $((right - left)) $((bottom - top)) "$2"
}

# The control's picture stops changing: two pictures in a row are the same.
control_settled() {
  shoot_control "$1" "$work/settle-a.png" && sleep 0.3 &&
    shoot_control "$1" "$work/settle-b.png" && same_image "$work/settle-a.png" "$work/settle-b.png" 0
}

# Types text into a spinner's field and presses Enter, then waits for the field to settle.
type_into() {
  click_control "$1"
  sleep 0.3
  timeout 10 xdotool type --delay 60 "$2"
  timeout 10 xdotool key Return
  pointer_away
  wait_until 15 "the field '$1' to settle" control_settled "$1"
  cp "$work/settle-b.png" "$3"
}

control_looks_like() { shoot_control "$1" "$work/look.png" && same_image "$work/look.png" "$2" 0; }
control_differs_from() { shoot_control "$1" "$work/look.png" && ! same_image "$work/look.png" "$2" 0; }

# --- the main window's picture ---------------------------------------------------------------

# The start-up view looks almost straight down: body 0 at the left, the diamond of nine bodies at
# the right, the bare floor between them.
shows_rack() {
  shoot "$main" "$work/rack.png" || return 1
  local ball white floor total
  read -r ball white floor total <<< "$(classify "$work/rack.png" 440 310 130 100)"
  [ "$ball" -ge 1500 ] || return 1
  read -r ball white floor total <<< "$(classify "$work/rack.png" 150 335 45 45)"
  [ "$white" -ge 150 ] && [ "$ball" -eq 0 ] || return 1
  read -r ball white floor total <<< "$(classify "$work/rack.png" 230 300 170 120)"
  [ "$ball" -eq 0 ] && [ "$white" -eq 0 ] && [ "$floor" -ge $((total * 9 / 10)) ]
}

main_differs_from() { shoot "$main" "$work/now.png" && ! same_image "$work/now.png" "$1" 500; }
main_matches() { shoot "$main" "$work/now.png" && same_image "$work/now.png" "$1"; }

# Outlines only: the floor between the bodies is no longer filled.
shows_outlines() {
  shoot "$main" "$work/now.png" || return 1
  local ball white floor total
  read -r ball white floor total <<< "$(classify "$work/now.png" 230 300 170 120)"
  [ "$floor" -le $((total / 10)) ]
}

# Two pictures in a row differ: something moves.
main_moving() {
  shoot "$main" "$work/move-a.png" && sleep 0.3 && main_differs_from "$work/move-a.png"
}

# Two pictures half a second apart are the same, pixel for pixel; the second is kept in still.png.
main_still() {
  shoot "$main" "$work/still-a.png" && sleep 0.5 && shoot "$main" "$work/still.png" &&
    same_image "$work/still-a.png" "$work/still.png" 0
}

# The picture is no longer <image>, in even one pixel; the new one is kept in now.png.
main_changed_from() { shoot "$main" "$work/now.png" && ! same_image "$work/now.png" "$1" 0; }

# wait_for_a_while <seconds> <command...>: polls the command until it succeeds or the time is up,
# without failing: for a change that may rightly not come.
wait_for_a_while() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# Presses a key with the pointer in the main window, which then has the keyboard.
key_in_main() { timeout 10 xdotool mousemove 410 410 key "$1"; }

# colour_count <image> <x> <y> <width> <height> <colour>: pixels of a region within 25 % of a
# colour (compared with a canvas of it: quick even for the whole window).
colour_count() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage "$work/region.png" || return 1
  local differing
  differing=$(compare -metric AE -fuzz 25% "$work/region.png" -size "${4}x${5}" "xc:$6" null: 2>&1 |
    cut -d' ' -f1)
  echo $(($4 * $5 - differing))
}

# The overlay's light text in the top-left corner, where the first frame has only the dark
# background and the floor.
overlay_shown() {
  shoot "$main" "$work/now.png" || return 1
  [ "$(colour_count "$work/now.png" 8 8 340 150 white)" -ge 300 ]
}

# The cyan edges of body 0's tree boxes around it (body 0 stands at about (172, 358)).
tree_pixels() { colour_count "$work/now.png" 110 296 124 124 cyan; }
tree_shown() { shoot "$main" "$work/now.png" && [ "$(tree_pixels)" -ge 20 ]; }
tree_changed_or_gone() { main_changed_from "$work/tree.png" || [ "$(tree_pixels)" -eq 0 ]; }

# The contact view's magenta outlines, a colour nothing else in the scene comes near.
contact_pixels() { colour_count "$work/now.png" 0 0 720 720 magenta; }
contacts_shown() { shoot "$main" "$work/now.png" && [ "$(contact_pixels)" -ge 20 ]; }
contacts_gone() { shoot "$main" "$work/now.png" && [ "$(contact_pixels)" -eq 0 ]; }

# A ball (copper or red) in the 40 x 40 square centred on window point (x, y). A ball on the
# floor covers about 250 of its pixels from the start-up view (one lifted towards the eye, as
# the pull once did, covered more).
ball_at() {
  shoot "$main" "$work/now.png" || return 1
  local ball white floor total
  read -r ball white floor total <<< "$(classify "$work/now.png" $(($1 - 20)) $(($2 - 20)) 40 40)"
  [ "$ball" -ge 180 ]
}

# Drags with the left button (Shift or Ctrl held when the first argument is "shift" or "ctrl") from one screen
# point to another in steps of 10 pixels, so that no step is clamped by the orbit's limit.
drag() {
  local shift=$1 x=$2 y=$3 to_x=$4 to_y=$5
  [ "$shift" = shift ] && timeout 10 xdotool keydown shift
  [ "$shift" = ctrl ] && timeout 10 xdotool keydown ctrl
  timeout 10 xdotool mousemove "$x" "$y" mousedown 1
  while [ "$x" -ne "$to_x" ] || [ "$y" -ne "$to_y" ]; do
    [ "$x" -lt "$to_x" ] && x=$((x + 10)); [ "$x" -gt "$to_x" ] && x=$((x - 10))
    [ "$y" -lt "$to_y" ] && y=$((y + 10)); [ "$y" -gt "$to_y" ] && y=$((y - 10))
    timeout 10 xdotool mousemove "$x" "$y"
  done
}
release() {
  timeout 10 xdotool mouseup 1
  [ "$1" = shift ] && timeout 10 xdotool keyup shift
  [ "$1" = ctrl ] && timeout 10 xdotool keyup ctrl
  return 0
}

# --- 0. the server -----------------------------------------------------------------------------

check_server_takes_every_client

# --- 1. start-up ------------------------------------------------------------------------------

# A loaded machine may let the new server take a moment before it accepts clients.
display_answers() { timeout 10 xdpyinfo > /dev/null 2>&1; }
wait_until 30 "the X server to accept clients" display_answers

open_demo "$data"
wait_until 30 "the panel window" has_window "$panel_title"
panel=$(window_of "$panel_title")
wait_until 10 "the main window at (50, 50), 720 x 720" geometry_is "$main" "50 50 720 720"
wait_until 10 "the panel at (780, 50), sized to its controls ($panel_size)" \
  geometry_is "$panel" "780 50 $panel_size"
read -r panel_x panel_y _ <<< "$(geometry_of "$panel")"

# "Please wait ..." and then one dot per body loaded, then the one line that points at the keys.
printf 'Initializing with model sphere03.tris\nPlease wait ...%s\nDone.\n%s\n' .......... \
  "Keys and mouse of the main window: quorvel --help" > "$work/expected.txt"
cmp -s "$work/stderr.txt" "$work/expected.txt" || fail "unexpected start-up text"

wait_until 20 "the first frame to show the racked bodies" shows_rack
cp "$work/rack.png" "$work/first-frame.png"
echo "ok: windows, start-up text and the racked first frame"

pointer_away
for control in Wireframe Euler RK4 Step:; do
  wait_until 15 "the control '$control' to settle" control_settled "$control"
  cp "$work/settle-b.png" "$work/initial-$control.png"
done

# --- 2. Start, RK4 while running, Reset --------------------------------------------------------

click_control Start
wait_until 20 "the bodies to move after Start" main_differs_from "$work/first-frame.png"
wait_until 20 "successive frames to differ" main_moving
echo "ok: Start moves the bodies"

click_control RK4
pointer_away
wait_until 15 "RK4 to show as chosen" control_differs_from RK4 "$work/initial-RK4.png"
wait_until 15 "Euler to show as not chosen" control_differs_from Euler "$work/initial-Euler.png"
wait_until 20 "the bodies to keep moving under RK4" main_moving
echo "ok: RK4 chosen while running"

click_control Reset
wait_until 20 "Reset to show the first frame again" main_matches "$work/first-frame.png"
sleep 1
main_matches "$work/first-frame.png" || fail "the bodies moved after Reset"
echo "ok: Reset racks the bodies again and they stay"

# --- 3. Wireframe, by key and by checkbox ------------------------------------------------------

timeout 10 xdotool mousemove 410 410 key w
pointer_away
wait_until 20 "'w' to draw outlines" shows_outlines
wait_until 15 "'w' to tick the Wireframe box" control_differs_from Wireframe "$work/initial-Wireframe.png"
click_control Wireframe
pointer_away
wait_until 20 "unticking Wireframe to fill again" main_matches "$work/first-frame.png"
wait_until 15 "the Wireframe box to be unticked" control_looks_like Wireframe "$work/initial-Wireframe.png"
click_control Wireframe
pointer_away
wait_until 20 "ticking Wireframe to draw outlines" shows_outlines
timeout 10 xdotool mousemove 410 410 key w
pointer_away
wait_until 20 "'w' again to fill again" main_matches "$work/first-frame.png"
wait_until 15 "'w' again to untick the box" control_looks_like Wireframe "$work/initial-Wireframe.png"
echo "ok: 'w' and the Wireframe box switch outlines and show each other's change"

# --- 4. looking closely: the keys and the mouse in the main window --------------------------------

# --help lists every key and exits 0; it needs no display.
"$quorvel" --help > "$work/help.txt" 2>&1 || fail "--help did not exit with code 0"
for key in w x Space . t h f c b Enter "[ ]" Home wheel --seed --bodies --model --scene; do
  grep -qF -- "  $key " "$work/help.txt" || fail "--help does not list the key '$key'"
done
grep -qF "Shift + left drag" "$work/help.txt" || fail "--help does not list the pull with Shift"
grep -qF "Ctrl + left drag" "$work/help.txt" || fail "--help does not list the aim with Ctrl"
echo "ok: --help lists the keys"

# The overlay, on and off; the figures change every frame, so it is looked for by its text.
key_in_main h
wait_until 20 "'h' to show the overlay" overlay_shown
key_in_main h
wait_until 20 "'h' again to hide the overlay" main_matches "$work/first-frame.png"
echo "ok: 'h' shows and hides the overlay"

# Body 0's tree: the root box first, then a level further down at every press, until the leaves
# give way to no boxes and the first frame. The two levels below the root must each change the
# picture; the deepest levels are boxes of a pixel or two, alike from one level to the next.
key_in_main b
wait_until 20 "'b' to show the root box around body 0" tree_shown
cp "$work/now.png" "$work/tree.png"
for level in 1 2; do
  key_in_main b
  wait_until 20 "'b' to show level $level of the tree" main_changed_from "$work/tree.png"
  cp "$work/now.png" "$work/tree.png"
done
presses=3
until [ "$(tree_pixels)" -eq 0 ]; do
  [ "$presses" -lt 40 ] || fail "'b' pressed $presses times without the boxes going off"
  key_in_main b
  presses=$((presses + 1))
  wait_for_a_while 3 tree_changed_or_gone
  cp "$work/now.png" "$work/tree.png"
done
wait_until 20 "the boxes off to show the first frame" main_matches "$work/first-frame.png"
echo "ok: 'b' shows the tree level by level ($presses presses to off)"

# A plain drag still turns the view, and back. Two steps of 10 pixels: even if the window system
# merged them, one event of 20 would not be clamped.
drag plain 410 410 430 410
release plain
wait_until 20 "a plain drag to turn the view" main_differs_from "$work/first-frame.png"
drag plain 430 410 410 410
release plain
wait_until 20 "the drag back to give the first frame" main_matches "$work/first-frame.png"
echo "ok: a plain drag turns the view"

# Shift and the same drag beside the balls: nothing to hold, and the view must not turn either.
drag shift 410 410 430 410
release shift
sleep 1
main_matches "$work/first-frame.png" || fail "a Shift + drag beside a ball turned the view"
echo "ok: a Shift + drag beside a ball leaves the view as it was"

# Real time (ten iterations a wall second at the default step), shot, paused: the picture holds.
key_in_main t
click_control Start
wait_until 20 "the shot to move body 0" main_differs_from "$work/first-frame.png"
key_in_main space
wait_until 20 "the paused picture to hold still" main_still
cp "$work/still.png" "$work/paused.png"
sleep 1
main_matches "$work/paused.png" || fail "the picture changed while paused"
echo "ok: Space pauses and paused frames stay the same"

# One '.', one iteration: the picture changes once and then holds again.
key_in_main period
wait_until 20 "'.' to take an iteration" main_changed_from "$work/paused.png"
wait_until 20 "the stepped picture to hold still" main_still
cp "$work/still.png" "$work/stepped.png"
same_image "$work/stepped.png" "$work/paused.png" 0 && fail "'.' left the picture as it was"
sleep 1
main_matches "$work/stepped.png" || fail "more than one iteration after one '.'"
echo "ok: '.' takes one iteration while paused"

# The contact view: step until an iteration has a contact, whose triangles are outlined; off,
# the outlines go.
key_in_main c
steps=0
until contacts_shown; do
  [ "$steps" -lt 120 ] || fail "no contact outlined after $steps single steps with 'c' on"
  cp "$work/now.png" "$work/before-step.png"
  key_in_main period
  steps=$((steps + 1))
  wait_until 20 "single step $steps to change the picture" main_changed_from "$work/before-step.png"
done
key_in_main c
wait_until 20 "'c' again to take the outlines away" contacts_gone
echo "ok: 'c' outlines the contacts of the last iteration (after $steps steps) and takes them away"

# A pull: re-racked and shot while paused, body 9 (window (545, 360)) is held with Shift and
# dragged 120 pixels down the window; resumed, it follows the pointer there.
click_control Reset
wait_until 20 "Reset to rack the bodies" main_matches "$work/first-frame.png"
click_control Start
key_in_main period  # the shot has been taken once the picture changes
wait_until 20 "a step after Start" main_differs_from "$work/first-frame.png"
ball_at 545 480 && fail "a ball already where body 9 is to be pulled"
drag shift 595 410 595 530
timeout 10 xdotool key space  # where the pointer is: moving it would move the pull
wait_until 20 "the held ball to follow the pointer" ball_at 545 480
release shift
echo "ok: Shift and a drag pull a ball"

key_in_main t
key_in_main t  # every frame again
click_control Reset
wait_until 20 "Reset after the extras to show the first frame" main_matches "$work/first-frame.png"
echo "ok: with the extras off, the first frame is the default one"

# --- 5. Step: clamps typed values ---------------------------------------------------------------

# What the field shows for a value typed within the limits is the reference for the clamped one.
type_into Step: 0.2 "$work/step-0.2.png"
same_image "$work/step-0.2.png" "$work/initial-Step:.png" 0 && fail "typing 0.2 changed nothing"
type_into Step: 0.5 "$work/step-0.5.png"
same_image "$work/step-0.5.png" "$work/step-0.2.png" 0 || fail "typing 0.5 did not leave 0.2"
type_into Step: 0.01 "$work/step-0.01.png"
type_into Step: 0 "$work/step-0.png"
same_image "$work/step-0.png" "$work/step-0.01.png" 0 || fail "typing 0 did not leave 0.01"
echo "ok: 'Step:' clamps 0.5 to 0.2 and 0 to 0.01"

# --- 6. the main window is held in place ---------------------------------------------------------

# Stopped, the demo cannot put the window back, so the move is seen to happen first.
kill -STOP "$demo_pid"
timeout 10 xdotool windowmove "$main" 300 200
timeout 10 xdotool windowsize "$main" 400 300
wait_until 10 "the window to be moved by hand" geometry_is "$main" "300 200 400 300"
kill -CONT "$demo_pid"
wait_until 20 "the window to return to (50, 50), 720 x 720" geometry_is "$main" "50 50 720 720"
echo "ok: a moved and resized main window returns"

# --- 7. exits ---------------------------------------------------------------------------------------

click_control Quit
expect_exit 0
echo "ok: Quit exits with code 0"

open_demo "$data"
wait_until 20 "the first frame" shows_rack
timeout 10 xdotool mousemove 410 410 key x
expect_exit 0
echo "ok: 'x' exits with code 0"

mkdir -p "$work/no-box"
cp "$data/sphere03.tris" "$work/no-box/"
start_demo "$work/no-box"
expect_exit 1
printf 'ERROR occurred while parsing box.tris\nCould not open file.\n%s\n' \
  "quorvel: the working folder is $(cd "$work/no-box" && pwd -P); the mesh files are in data/ (make run starts the demo there)." \
  > "$work/expected.txt"
cmp -s "$work/stderr.txt" "$work/expected.txt" || fail "unexpected text for a missing box.tris"
echo "ok: a missing box.tris exits with code 1, the loader's message and where the mesh files are"

# --- 8. experiments: options, scenes, aiming, repeating, the view's way home -------------------

# Bad option values: a message and exit code 2, before any window opens.
for bad in "--seed x" "--bodies 0" "--model 100" "--scene nowhere" "--scene crowd --bodies 301"; do
  # shellcheck disable=SC2086  # the options are words
  (cd "$data" && exec "$quorvel" $bad) > /dev/null 2> "$work/bad.txt"
  code=$?
  [ "$code" -eq 2 ] || fail "'$bad' exited with code $code, not 2"
  grep -q "^quorvel: " "$work/bad.txt" || fail "'$bad' gave no message"
  has_window "$main_title" && fail "'$bad' opened a window"
done
echo "ok: bad option values exit with code 2 and a message, opening no window"

# The break chosen by name, with a seed, looks as the default in every pixel.
open_demo "$data" --scene break --seed 5
wait_until 20 "the first frame of --scene break" main_matches "$work/first-frame.png"
same_image "$work/now.png" "$work/first-frame.png" 0 || fail "--scene break differs from the default look"
timeout 10 xdotool mousemove 410 410 key x
expect_exit 0
echo "ok: --scene break --seed 5 draws the default first frame, pixel for pixel"

# Light caption text at the top of the window, where the break has only the dark background.
caption_shown() {
  shoot "$main" "$work/now.png" || return 1
  [ "$(colour_count "$work/now.png" 0 0 720 24 white)" -ge 100 ]
}
# The scene's picture has stopped changing (its first frames compile and settle).
scene_settled() { main_still; }

open_demo "$data" --scene glancing --seed 1
wait_until 30 "the panel window" has_window "$panel_title"
panel=$(window_of "$panel_title")
read -r panel_x panel_y _ <<< "$(geometry_of "$panel")"
wait_until 20 "the glancing scene's caption" caption_shown
wait_until 20 "the glancing scene to stand still" scene_settled
cp "$work/still.png" "$work/glancing.png"
same_image "$work/glancing.png" "$work/first-frame.png" 500 && fail "--scene glancing draws the default frame"
echo "ok: --scene glancing draws its own first frame, with a caption"

key_in_main bracketright
wait_until 20 "']' to change the scene" main_differs_from "$work/glancing.png"
wait_until 20 "the next scene to stand still" scene_settled
caption_shown || fail "the scene after glancing has no caption"
key_in_main bracketleft
wait_until 20 "'[' to bring the glancing scene back" main_matches "$work/glancing.png"
echo "ok: ']' and '[' step through the scenes"

# Back to the break: '[' from glancing goes past head-on.
key_in_main bracketleft
key_in_main bracketleft
wait_until 20 "'[' twice to bring the break back" main_matches "$work/first-frame.png"
echo "ok: the break comes back unchanged"

# A Ctrl + drag from the shooter (body 0 at (172, 358)) up the window aims along -x: a yellow
# line shows it; Start sends the white ball up the window, and the line goes. Slowed ten times
# (the pacing 't' twice), the ball takes seconds to pass the place looked at.
white_at() {
  shoot "$main" "$work/now.png" || return 1
  local ball white floor total
  read -r ball white floor total <<< "$(classify "$work/now.png" $(($1 - 20)) $(($2 - 20)) 40 40)"
  [ "$white" -ge 150 ]
}
aim_pixels() { colour_count "$work/now.png" 150 200 44 150 yellow; }
aim_shown() { shoot "$main" "$work/now.png" && [ "$(aim_pixels)" -ge 40 ]; }
white_at 172 270 && fail "the white ball already stands where the aim is to send it"
drag ctrl 222 408 222 218  # screen points: the window stands at (50, 50)
release ctrl
wait_until 20 "the aim's line on the floor" aim_shown
key_in_main t
key_in_main t
click_control Start
wait_until 20 "the aimed shot to send the white ball up the window" white_at 172 270
shoot "$main" "$work/now.png"
[ "$(aim_pixels)" -eq 0 ] || fail "the aim's line stays after Start"
echo "ok: a Ctrl + drag aims the shot and Start takes it"

# Enter repeats the shot exactly: paused (the pause holds), three single steps after Enter give
# the same picture each time.
key_in_main space
wait_until 20 "the shot to hold still" main_still
repeat_and_step() {
  key_in_main Return
  key_in_main period
  key_in_main period
  key_in_main period
  wait_until 20 "three steps after Enter to hold still" main_still
  cp "$work/still.png" "$1"
}
repeat_and_step "$work/repeat-a.png"
same_image "$work/repeat-a.png" "$work/first-frame.png" 0 && fail "Enter and three steps left the rack as it was"
repeat_and_step "$work/repeat-b.png"
same_image "$work/repeat-a.png" "$work/repeat-b.png" 0 || fail "Enter did not repeat the shot exactly"
echo "ok: Enter repeats the last shot exactly"
key_in_main t  # every frame again

# Home after a tilt and a zoom: the start-up picture again.
click_control Reset
pointer_away
wait_until 20 "Reset to rack the break" main_matches "$work/first-frame.png"
timeout 10 xdotool mousemove 410 410 mousedown 3
for y in 400 390 380; do timeout 10 xdotool mousemove 410 "$y"; done
timeout 10 xdotool mouseup 3
timeout 10 xdotool click 4 click 4
wait_until 20 "the tilt and the wheel to change the view" main_differs_from "$work/first-frame.png"
key_in_main Home
wait_until 20 "Home to restore the start-up view" main_matches "$work/first-frame.png"
echo "ok: the wheel zooms and Home restores the start-up view"

timeout 10 xdotool mousemove 410 410 key x
expect_exit 0

# --- 9. looking back, sessions and screenshots ------------------------------------------------

for item in "  p " "  Left Right " "--record FILE" "--replay FILE" "--fingerprint" "--shots DIR"; do
  grep -qF -- "$item" "$work/help.txt" || fail "--help does not list '$item'"
done
echo "ok: --help lists the history's keys, 'p' and the session options"

# A session recorded in the window: Start, a pause, three single steps, back three iterations
# (the picture from before the steps again), a screenshot, the integrator changed on the panel,
# resumed from the state looked back to (a rewind), quit. Played headless, it ends in the state
# the demo printed at exit, bit for bit.
bench="$(dirname "$quorvel")/quorvel-bench"
mkdir -p "$work/shots"
open_demo "$data" --seed 3 --record "$work/run.session" --fingerprint --shots "$work/shots"
wait_until 20 "the first frame of the recorded run" main_matches "$work/first-frame.png"
click_control Start
pointer_away
wait_until 20 "the bodies to move after Start" main_differs_from "$work/first-frame.png"
key_in_main space
wait_until 20 "the pause to hold" main_still
cp "$work/still.png" "$work/before-steps.png"
key_in_main period
key_in_main period
key_in_main period
wait_until 20 "three single steps to move the bodies" main_changed_from "$work/before-steps.png"
wait_until 20 "the steps to hold still" main_still
for n in 1 2 3; do key_in_main Left; done
wait_until 20 "three Lefts to show the picture from before the steps" main_matches "$work/before-steps.png"
wait_until 20 "the picture looked back to to hold still" main_still
same_image "$work/still.png" "$work/before-steps.png" 0 || fail "Left after three '.' differs from before them"
echo "ok: Left three times after three single steps shows the picture from before them"

key_in_main p
shot_written() { grep -qF "Screenshot: $work/shots/" "$work/stderr.txt"; }
wait_until 20 "'p' to write a picture" shot_written
shot=$(ls "$work"/shots/quorvel-break-*.png | head -n 1)
[ "$(identify -format '%w %h' "$shot")" = "720 720" ] || fail "the screenshot is not 720 x 720"
[ "$(ls "$work"/shots)" = "$(basename "$shot")" ] || fail "the shots folder holds more than the one picture"
echo "ok: 'p' writes a PNG of the main window's size and prints its path"

click_control RK4
pointer_away
key_in_main space
wait_until 20 "the run to go on from the state looked back to" main_moving
timeout 10 xdotool mousemove 410 410 key x
expect_exit 0
recorded=$(sed -n 's/^fingerprint \([0-9a-f]\{16\}\)$/\1/p' "$work/stderr.txt")
[ -n "$recorded" ] || fail "--fingerprint printed no fingerprint at exit"
grep -q '^[0-9]* rewind ' "$work/run.session" || fail "the session holds no rewind"
grep -q '^[0-9]* integrator rk4$' "$work/run.session" || fail "the session holds no change of integrator"
replayed=$(cd "$data" && "$bench" --replay "$work/run.session" --fingerprint 2> /dev/null |
  sed -n 's/^fingerprint //p')
[ "$replayed" = "$recorded" ] ||
  fail "the session replayed headless to ${replayed:-nothing}, the demo ended at $recorded"
echo "ok: a session recorded in the window replays headless to the fingerprint the demo printed"

# A folder that cannot be written: a message, and the demo goes on.
open_demo "$data" --shots "$work/no-such-folder"
wait_until 20 "the first frame" main_matches "$work/first-frame.png"
key_in_main p
shot_refused() { grep -q "^Screenshot not taken: cannot write $work/no-such-folder/" "$work/stderr.txt"; }
wait_until 20 "the screenshot's refusal" shot_refused
wait_until 20 "the demo to draw on" main_matches "$work/first-frame.png"
timeout 10 xdotool mousemove 410 410 key x
expect_exit 0
echo "ok: 'p' into a folder that cannot be written says so and the demo goes on"

# The session recorded above played in the window, taken over by the user: a Reset ends the
# replay, which the demo says, and the run goes on live.
open_demo "$data" --replay "$work/run.session"
wait_until 20 "the replay's Start to move the bodies" main_moving
click_control Reset
pointer_away
taken_over() { grep -q "^Replay of $work/run.session ended by a change of yours at iteration [0-9]*; going on live$" "$work/stderr.txt"; }
wait_until 20 "the demo to say that the replay ended" taken_over
wait_until 20 "Reset to rack the bodies again" main_matches "$work/first-frame.png"
timeout 10 xdotool mousemove 410 410 key x
expect_exit 0
echo "ok: a change of the user's ends a replay in the window, and the demo says so"
