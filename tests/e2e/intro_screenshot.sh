#!/usr/bin/env bash
# End to end: starts the real program on a virtual X display under a window manager (openbox),
# waits for its window, takes screenshots (of the client area, kept in SCREENSHOT_DIR) while the
# intro plays and checks that the client area shows the intro's colours one to one (every pixel
# black or one of the intro's palette colours), drags the window's right edge, then leaves
# through File > Exit and the "Exit Rimforge?" question, and expects exit code 0.
#
# Usage: intro_screenshot.sh RIMFORGE_EXECUTABLE SCREENSHOT_DIR
# Exits 77 (skipped) when xvfb-run, openbox, xdotool or ImageMagick is missing.
set -euo pipefail
source "$(dirname "$0")/../../scripts/x_display.sh"

program=$1
shots=$2

if [ -z "${RIMFORGE_E2E_INSIDE_DISPLAY:-}" ]; then
  for tool in xvfb-run openbox xsetroot xdotool xwininfo import convert xprop; do
    if ! command -v "$tool" > /dev/null; then
      echo "skipped: $tool is not installed"
      exit 77
    fi
  done
  mkdir -p "$shots"
  # 768 rows: the window opens at zoom 1, 520 x 650 pixels of client area.
  RIMFORGE_E2E_INSIDE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

start_window_manager "$shots/openbox.log" || { echo "FAIL: openbox did not start"; exit 1; }
unset QT_QPA_PLATFORM
"$program" > "$shots/rimforge.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2> /dev/null || true' EXIT

window=$(wait_for_window '^Rimforge$')
if [ -z "$window" ]; then
  echo "FAIL: no window named Rimforge appeared"
  cat "$shots/rimforge.log"
  exit 1
fi

class=$(xprop -id "$window" WM_CLASS)
if [[ "$class" != *'"Rimforge"'* ]]; then
  echo "FAIL: window class is $class"
  exit 1
fi

read -r left top width height <<< "$(window_outline "$window")"
# The client area is the last 650 rows of the window, below the menu bar.
client="520x650+${left}+$((top + height - 650))"
if [ "$width" -ne 520 ] || [ "$height" -le 650 ]; then
  echo "FAIL: window is ${width}x${height}, expected 520 wide and 650 rows below a menu bar"
  exit 1
fi

# The intro's colours: ramps 1..7 at intensity 10 (channels 0 or 160) and the grey of the
# word mark (240, 240, 240); the rest of the frame is black.
intro_colours='#A00000 #A000A0 #0000A0 #00A0A0 #00A000 #A0A000 #A0A0A0 #F0F0F0'
seen=""
for shot in $(seq 1 8); do
  sleep 0.4
  import -window root -crop "$client" +repage "$shots/intro_$shot.png"
  histogram=$(convert "$shots/intro_$shot.png" -format %c histogram:info:-)
  while read -r line; do
    colour=$(grep -o '#[0-9A-F]\{6\}' <<< "$line" | head -n 1)
    [ "$colour" = "#000000" ] && continue
    if [[ " $intro_colours " != *" $colour "* ]]; then
      echo "FAIL: screenshot $shot shows $colour, which the intro does not draw: $line"
      exit 1
    fi
    [[ " $seen " != *" $colour "* ]] && seen="$seen $colour"
  done <<< "$histogram"
done
count=$(wc -w <<< "$seen")
echo "intro colours seen:$seen"
if [ "$count" -lt 4 ] || [[ " $seen " != *" #F0F0F0 "* ]]; then
  echo "FAIL: the intro's colours did not show (saw:$seen)"
  exit 1
fi

check_right_edge_drag "$window" "$shots/dragged.png"

# File > Exit, then OK in "Exit Rimforge?" (its default button).
xdotool windowactivate --sync "$window" 2> /dev/null || true
xdotool key --window "$window" alt+f
sleep 0.5
xdotool key x
sleep 1
import -window root "$shots/exit_question.png"
xdotool key Return
if ! wait_for_exit "$pid" 50; then
  echo "FAIL: the program did not end after Exit and OK"
  exit 1
fi
trap - EXIT
status=0
wait "$pid" || status=$?
if [ "$status" -ne 0 ]; then
  echo "FAIL: exit code $status"
  cat "$shots/rimforge.log"
  exit 1
fi
echo "PASS"
