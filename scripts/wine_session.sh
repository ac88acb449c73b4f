# Sourced by the scripts that drive rimforge.exe under Wine: a virtual X display of their own
# with a window manager (openbox: without one, Wine's windows lose typed text and focus), and a
# Wine prefix made once in the given folder.
#
# start_wine_session PREFIX_DIR: starts Xvfb (1024 x 768, so that the window opens at zoom 1)
# and openbox, exports DISPLAY, WINEPREFIX and WINEDEBUG, and makes the prefix if it is new,
# printing how long that took, then starts the prefix's wineserver, whose process id is in
# wine_session_server. stop_wine_session ends all of it.
# wine_tools_missing: names the first program the session needs that is not installed.
source "$(dirname "${BASH_SOURCE[0]}")/x_display.sh"

wine_tools_missing() {
  for tool in Xvfb openbox xsetroot xprop wine wineserver winepath xdotool xwininfo import convert \
    compare; do
    if ! command -v "$tool" > /dev/null; then
      echo "$tool"
      return
    fi
  done
}

start_wine_session() {
  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$display_file" 2> /dev/null &
  wine_session_xvfb=$!
  for _ in $(seq 1 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(cat "$display_file")"
  rm -f "$display_file"
  start_window_manager /dev/null
  export WINEPREFIX=$1 WINEDEBUG=-all
  if [ ! -d "$WINEPREFIX" ]; then
    local started=$SECONDS
    wineboot --init > /dev/null 2>&1
    wineserver --wait
    echo "Wine prefix made in $((SECONDS - started)) s"
  fi
  wineserver --foreground --persistent &
  wine_session_server=$!
}

stop_wine_session() {
  wineserver --kill 2> /dev/null || true
  kill "$wine_session_server" "$window_manager_pid" "$wine_session_xvfb" 2> /dev/null || true
}
