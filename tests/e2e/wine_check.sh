#!/usr/bin/env bash
# End to end on Windows, under Wine on a virtual X display with openbox: rimforge.exe shows its
# intro; File > Load ROM through the real file dialog opens samples/rimforge_tubes.118; one click
# on level 1 opens it; the tube view on screen is, pixel for pixel, the picture that
# `rimforge-tool render --level 1` draws; File > Exit and OK end the program with status 0.
# Screenshots are kept in WORK_DIR, and the Wine prefix, made once, in WORK_DIR/wineprefix.
#
# Usage: wine_check.sh RIMFORGE_EXE RIMFORGE_TOOL_EXE SOURCE_DIR WORK_DIR
# Exits 77 (skipped) when Xvfb, openbox, Wine, xdotool or ImageMagick is missing.
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine_session.sh"

program=$(realpath "$1")
tool=$(realpath "$2")
source_dir=$(realpath "$3")
work=$4

missing=$(wine_tools_missing)
if [ -n "$missing" ]; then
  echo "skipped: $missing is not installed"
  exit 77
fi
mkdir -p "$work"
work=$(realpath "$work")
started=$SECONDS
start_wine_session "$work/wineprefix"
trap 'stop_wine_session' EXIT

fail() {
  echo "FAIL: $1"
  import -window root "$work/failure.png" 2> /dev/null || true
  exit 1
}

# The reference: the tube view of level 1 as the editor draws it.
wine "$tool" render "$(winepath -w "$source_dir/samples/rimforge_tubes.118")" \
  -o "$(winepath -w "$work/reference.png")" --level 1 > /dev/null

(cd "$(dirname "$program")" && exec wine "$program") > "$work/rimforge.log" 2>&1 &
pid=$!
window=$(wait_for_window '^Rimforge$' 600)
[ -n "$window" ] || fail "no window named Rimforge appeared"

# The X window holds the menu bar and the client area; the client area is its last 650 rows.
# (window_outline reads xwininfo, since xdotool counts a window manager's frame into the place.)
read -r X Y WIDTH HEIGHT <<< "$(window_outline "$window")"
[ "$WIDTH" -eq 520 ] && [ "$HEIGHT" -gt 650 ] ||
  fail "window is ${WIDTH}x${HEIGHT}, expected 520 wide and 650 rows below a menu bar"
client_top=$((Y + HEIGHT - 650))
client="520x650+${X}+${client_top}"
snap() { import -window root -crop "$client" +repage "$work/$1.png"; }
colours() { convert "$work/$1.png" -format %c histogram:info:- | grep -c '#' || true; }

sleep 1
snap intro
[ "$(colours intro)" -ge 2 ] || fail "the intro does not show"
import -window root "$work/main_window.png"

xdotool windowactivate --sync "$window"
xdotool key --window "$window" alt+f
sleep 0.5
xdotool key l
dialog=$(wait_for_window '^Load ROM 118 File$' 100)
[ -n "$dialog" ] || fail "File > Load ROM showed no \"Load ROM 118 File\" dialog"
import -window root "$work/file_dialog.png"
xdotool type --delay 20 "$(winepath -w "$source_dir/samples/rimforge_tubes.118")"
xdotool key Return

# The program names the level under the mouse in its title: the click goes where it says so.
xdotool mousemove $((X + 68)) $((client_top + 128))
[ -n "$(wait_for_window '^Rimforge : Level 1$' 100)" ] ||
  fail "level select did not show level 1 under the mouse"
snap level_select
xdotool click 1
# Out of the view, so that nothing but the level is drawn.
xdotool mousemove $((X + 600)) $((client_top + 300))
sleep 1
snap tube_view
difference=$(compare -metric AE "$work/reference.png" "$work/tube_view.png" null: 2>&1 || true)
[ "$difference" = 0 ] ||
  fail "the tube view differs from rimforge-tool's picture in $difference pixels"

xdotool windowactivate --sync "$window" 2> /dev/null || true
xdotool key --window "$window" alt+f
sleep 0.5
xdotool key x
[ -n "$(wait_for_window "^Rimforge$" 50)" ] || fail "no \"Exit Rimforge?\" question"
sleep 0.5
import -window root "$work/exit_question.png"
xdotool key Return
wait_for_exit "$pid" || fail "the program did not end after Exit and OK"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status"
echo "PASS in $((SECONDS - started)) s"
