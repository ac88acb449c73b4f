# Sourced by the scripts that drive the real program on an X display, as a person would.

# wait_for_window PATTERN [TENTHS]: prints the id of the first visible window whose name matches
# PATTERN, waiting up to TENTHS tenths of a second (default 100); prints nothing if none appears.
wait_for_window() {
  local window="" tenths="${2:-100}"
  for _ in $(seq 1 "$tenths"); do
    window=$(xdotool search --onlyvisible --name "$1" 2> /dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  echo "$window"
}

# start_window_manager LOG: starts openbox (its process id in window_manager_pid) with a plain
# blue desktop and returns once it manages windows (windows mapped before that are never
# framed). Fails after five seconds.
start_window_manager() {
  openbox > "$1" 2>&1 &
  window_manager_pid=$!
  for _ in $(seq 1 50); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id'; then
      xsetroot -solid '#336699'
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# wait_for_exit PID [TENTHS]: waits up to TENTHS tenths of a second (default 100) for the process
# to end; fails if it is still running then.
wait_for_exit() {
  for _ in $(seq 1 "${2:-100}"); do
    kill -0 "$1" 2> /dev/null || return 0
    sleep 0.1
  done
  return 1
}

# window_outline WINDOW: prints "LEFT TOP WIDTH HEIGHT", the window's own area on the screen,
# without the frame the window manager draws around it.
window_outline() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
                           /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}'
}

# drag_right_edge WINDOW DX: drags the frame's right edge DX pixels with the mouse, in small
# steps as a hand does, and gives the window a second to settle.
drag_right_edge() {
  local left top width height
  read -r left top width height <<< "$(window_outline "$1")"
  local x=$((left + width)) y=$((top + height / 2))
  xdotool mousemove "$x" "$y" mousedown 1
  for step in $(seq 1 10); do
    sleep 0.03
    xdotool mousemove $((x + $2 * step / 10)) "$y"
  done
  xdotool mouseup 1
  sleep 1
}

# desktop_below SCREENSHOT X Y: prints how many rows of SCREENSHOT lie between (X, Y) and the
# first pixel of the desktop's blue below it.
desktop_below() {
  convert "$1" -crop "1x4000+$2+$3" +repage txt:- |
    awk -F'[,:]' '/#336699/ && row == "" {row = $2} END {print row == "" ? -1 : row}'
}

# check_right_edge_drag WINDOW SCREENSHOT: drags the program's right edge 100 pixels in. The
# window must keep its place and end as wide as the drag left it, with the client area below
# the menu bar in the frame's proportions (520 : 650), both in the X server's books and on the
# screen, where the desktop must show right below the frame. Prints what is wrong and fails.
check_right_edge_drag() {
  local left top width height
  read -r left top width height <<< "$(window_outline "$1")"
  local menu_bar=$((height - width * 650 / 520))
  drag_right_edge "$1" -100
  local now_left now_top now_width now_height
  read -r now_left now_top now_width now_height <<< "$(window_outline "$1")"
  local want_width=$((width - 100))
  local want_height=$((menu_bar + want_width * 650 / 520))
  if [ "$now_left,$now_top ${now_width}x$now_height" != "$left,$top ${want_width}x$want_height" ]; then
    echo "FAIL: dragging the right edge 100 pixels in left the window ${now_width}x$now_height" \
      "at $now_left,$now_top, not ${want_width}x$want_height at $left,$top"
    return 1
  fi
  import -window root "$2"
  local frame_bottom rows
  frame_bottom=$(xprop -id "$1" _NET_FRAME_EXTENTS | awk -F', ' '{print $NF}')
  rows=$(desktop_below "$2" $((now_left + now_width / 2)) "$now_top")
  if [ "$rows" -ne $((now_height + frame_bottom)) ]; then
    echo "FAIL: on the screen the window reaches $rows rows down, not $((now_height + frame_bottom))"
    return 1
  fi
}
