#!/usr/bin/env bash
# The Debian package as a user meets it: built by CPack from the release build, installed with
# apt-get, its desktop entry, AppStream data and MIME types checked by the desktop's own tools;
# then the installed program, started on a sample under Xvfb with openbox, must open a level
# with one click and show what rimforge-tool draws for it, keep its proportions when its right
# edge is dragged, and show the ReadMe from Help > ReadMe; at the end the package is removed.
# Needs root (or sudo) for apt-get.
#
# Usage: package_check.sh SOURCE_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/x_display.sh"

source_dir=$(cd "$1" && pwd)
build="$source_dir/build/release"
work=$(mktemp -d)
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if [ -z "${RIMFORGE_PACKAGE_INSIDE_DISPLAY:-}" ]; then
  cmake --preset release -S "$source_dir" > /dev/null
  cmake --build --preset release -j "$(nproc)" \
    --target rimforge rimforge-tool rimforge_icons rimforge_tool_man_page > /dev/null
  (cd "$build" && rm -f rimforge_*.deb && cpack -G DEB > /dev/null)
  package=$(ls "$build"/rimforge_*_amd64.deb)
  echo "built $(basename "$package")"
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "$package" > /dev/null
  trap 'DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq rimforge > /dev/null' EXIT
  desktop-file-validate /usr/share/applications/rimforge.desktop
  appstreamcli validate --no-net /usr/share/metainfo/rimforge.metainfo.xml
  kind=$(xdg-mime query filetype "$source_dir/samples/rimforge_tubes.118")
  [ "$kind" = application/x-tempest-level-rom ] || { echo "FAIL: a .118 file is $kind"; exit 1; }
  RIMFORGE_PACKAGE_INSIDE_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
  echo PASS
  exit 0
fi

start_window_manager "$work/openbox.log" || { echo "FAIL: openbox did not start"; exit 1; }
unset QT_QPA_PLATFORM
cd "$work"
/usr/bin/rimforge "$source_dir/samples/rimforge_tubes.118" > "$work/rimforge.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2> /dev/null || true' EXIT
window=$(wait_for_window '^Rimforge')
[ -n "$window" ] || { echo "FAIL: the installed program showed no window"; cat "$work/rimforge.log"; exit 1; }
sleep 1
# One click on level 1's cell (68, 128 in the client area, below the menu bar) opens it: the
# client area is then what rimforge-tool draws for level 1.
read -r left top _ height <<< "$(window_outline "$window")"
menu_bar=$((height - 650))
xdotool mousemove --window "$window" 68 $((128 + menu_bar)) click 1
sleep 1
/usr/bin/rimforge-tool render "$source_dir/samples/rimforge_tubes.118" --level 1 -o level1.png
import -window root screen.png
convert screen.png -crop "520x650+$left+$((top + menu_bar))" +repage client.png
differing=$(compare -metric AE level1.png client.png null: 2>&1 || true)
[ "$differing" = 0 ] || { echo "FAIL: level 1 after one click differs from its picture: $differing"; exit 1; }
check_right_edge_drag "$window" "$work/dragged.png"
# Help > ReadMe: with no program for text files, the ReadMe in a window of its own.
xdotool windowactivate --sync "$window" key alt+h
sleep 0.5
xdotool key Return
[ -n "$(wait_for_window '^ReadMe.txt$' 150)" ] && exit 0
import -window root "$work/readme.png"
echo "FAIL: Help > ReadMe showed no ReadMe (the screen is in $work/readme.png)"
exit 1
