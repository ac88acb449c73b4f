#!/usr/bin/env bash
# Measures the idle editor on a virtual X display: the processor time it takes over 10 s, the
# intervals between its frames and how long one frame's repaint of the client area takes.
#
# Usage: tools/measure_frames.sh RIMFORGE_EXECUTABLE [intro|tube|busy]
#   RIMFORGE_EXECUTABLE may be the Windows program, rimforge.exe: it then runs under Wine with
#   openbox (scripts/wine_session.sh, the prefix in wineprefix/ beside it), and the processor
#   time counts the prefix's wineserver too
#   intro  the editor as it starts, showing its intro (the default)
#   tube   a level of samples/rimforge_tubes.118 opened in the tube view first
#   busy   the same, with Q held so that the offset and the picture change every frame (the
#          idle views mostly show an unchanged picture, which needs no repaint)
#
# The frame times come from the Qt host's measuring aid: with RIMFORGE_FRAME_LOG set it writes
# one line per frame (microsecond of the blit, its duration, whether it painted a new picture).
# The editor itself reads no environment variable. Build in release mode for figures that mean
# something: cmake --preset release && cmake --build --preset release --target rimforge
set -euo pipefail
source "$(dirname "$0")/../scripts/wine_session.sh"

program=$(realpath "$1")
mode=${2:-intro}
samples=$(realpath "$(dirname "$0")/../samples")
warm_up=2
span=10

windows=0
[[ "$program" == *.exe ]] && windows=1
if [ "$windows" = 0 ] && [ -z "${RIMFORGE_MEASURE_INSIDE_DISPLAY:-}" ]; then
  RIMFORGE_MEASURE_INSIDE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill "$pid" 2> /dev/null || true; rm -rf "$work"' EXIT
if [ "$windows" = 1 ]; then
  start_wine_session "$(dirname "$program")/wineprefix"
  trap 'kill "$pid" 2> /dev/null || true; stop_wine_session; rm -rf "$work"' EXIT
  samples_path=$(winepath -w "$samples/rimforge_tubes.118")
  (cd "$(dirname "$program")" &&
    RIMFORGE_FRAME_LOG=$(winepath -w "$work/frames.log") exec wine "$program") \
    > "$work/program.log" 2>&1 &
else
  samples_path="$samples/rimforge_tubes.118"
  RIMFORGE_FRAME_LOG="$work/frames.log" "$program" > "$work/program.log" 2>&1 &
fi
pid=$!

window=$(wait_for_window '^Rimforge$' 600)
[ -n "$window" ] || { echo "no Rimforge window appeared"; exit 1; }

if [ "$mode" = tube ] || [ "$mode" = busy ]; then
  read -r X Y _ HEIGHT <<< "$(window_outline "$window")"
  client_top=$((Y + HEIGHT - 650))
  xdotool key --window "$window" alt+f
  sleep 0.5
  xdotool key l
  sleep 1
  xdotool type --delay 10 "$samples_path"
  xdotool key Return
  sleep 1
  # The first click after a load only ends the latch that keeps the dialog's click out.
  xdotool mousemove $((X + 68)) $((client_top + 128)) click 1
  sleep 0.3
  xdotool click 1
  sleep 0.3
  xdotool mousemove $((X + 600)) $((client_top + 300))
  [ "$mode" = busy ] && xdotool keydown q
fi

sleep "$warm_up"
ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() {
  local processes=$pid
  [ "$windows" = 1 ] && processes="$pid $wine_session_server"
  for process in $processes; do awk '{print $14 + $15}' "/proc/$process/stat"; done |
    awk '{sum += $1} END {print sum}'
}
start_ticks=$(cpu_ticks)
start_us=$(awk 'END {print $1}' "$work/frames.log")
sleep "$span"
end_ticks=$(cpu_ticks)
end_us=$(awk 'END {print $1}' "$work/frames.log")

echo "mode: $mode"
awk -v ticks=$((end_ticks - start_ticks)) -v hz="$ticks_per_second" -v span="$span" \
  'BEGIN {printf "processor: %.1f %% of one core over %d s\n", 100 * ticks / hz / span, span}'
awk -v from="$start_us" -v to="$end_us" '$1 >= from && $1 <= to' "$work/frames.log" \
  > "$work/window.log"
awk 'NR > 1 {print ($1 - last) / 1000} {last = $1}' "$work/window.log" | sort -n \
  > "$work/intervals"
awk '{v[NR] = $1} END {
       printf "frame intervals: %d, shortest %.3f ms, median %.3f ms, longest %.3f ms\n",
              NR, v[1], v[int((NR + 1) / 2)], v[NR]}' "$work/intervals"
awk '$3 == 1 {print $2 / 1000}' "$work/window.log" | sort -n > "$work/repaints"
awk -v frames="$(wc -l < "$work/window.log")" '{v[NR] = $1} END {
       if (NR == 0) { print "repaints: none (the picture did not change)"; exit }
       printf "repaints: %d of %d frames, median %.3f ms, longest %.3f ms\n",
              NR, frames, v[int((NR + 1) / 2)], v[NR]}' "$work/repaints"
