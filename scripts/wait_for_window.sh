# Sourced by the scripts that drive the real program on an X display.
#
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
