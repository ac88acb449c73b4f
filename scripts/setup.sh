#!/usr/bin/env bash
# Installs the Debian packages that building and testing Rimforge needs, where they are missing.
set -euo pipefail

packages=(
  cmake
  g++
  make
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  libpng-dev
  clang-format
  # The fuzz targets: clang with libFuzzer and the sanitizer runtimes.
  clang
  libclang-rt-14-dev
  # The desktop program: Qt 6 Widgets, Qt Multimedia for the click sound, OpenGL headers that
  # Qt's CMake files ask for, and a font with the metrics of the classic dialog font.
  qt6-base-dev
  qt6-multimedia-dev
  libgl-dev
  libxcb1-dev
  fonts-liberation
  # The end-to-end test: a virtual X display, input and screenshots.
  xvfb
  xauth
  xdotool
  imagemagick
  x11-utils
  x11-xserver-utils
  # The desktop program installed: its man page, its package, and the checks of its desktop
  # entry, MIME types and AppStream data.
  help2man
  dpkg-dev
  desktop-file-utils
  appstream
  shared-mime-info
  xdg-utils
  libfile-mimeinfo-perl
  openbox
  # The Windows programs: cross-built with MinGW-w64 (with zlib for libpng), tested under Wine.
  g++-mingw-w64-x86-64-posix
  mingw-w64-x86-64-dev
  libz-mingw-w64-dev
  wine
  wine64
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
