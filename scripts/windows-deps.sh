#!/usr/bin/env bash
# Builds the libraries the Windows programs and tests link statically and Debian has no MinGW
# package of: libpng, from Debian's own source package, and GoogleTest, from the source Debian
# installs in /usr/src/googletest. Both go to build/windows-deps, where the MinGW toolchain file
# looks; a finished build is kept.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
prefix=$root/build/windows-deps
work=$root/build/windows-deps-src
toolchain=$root/cmake/mingw-w64-x86_64.cmake
mkdir -p "$prefix" "$work"

cmake_static() {  # SOURCE BUILD [CMAKE ARGUMENTS...]
  local source=$1 build=$2
  shift 2
  cmake -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" > "$build.log"
  cmake --build "$build" -j "$(nproc)" >> "$build.log"
  cmake --install "$build" >> "$build.log"
}

if [ ! -f "$prefix/lib/libpng.a" ]; then
  echo "Building libpng for Windows from Debian's source package"
  if ! grep -rqs 'deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    # The machine's own archive, for source packages too.
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
    "${sudo_cmd[@]}" apt-get update -qq
  fi
  rm -rf "$work/libpng"
  mkdir -p "$work/libpng"
  (cd "$work/libpng" && apt-get source -qq libpng1.6/bookworm > ../libpng-source.log 2>&1)
  source_dir=$(find "$work/libpng" -mindepth 1 -maxdepth 1 -type d -name 'libpng1.6-*' | head -1)
  cmake_static "$source_dir" "$work/libpng-build" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
    -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include
fi

if [ ! -f "$prefix/lib/libgtest.a" ]; then
  echo "Building GoogleTest for Windows"
  cmake_static /usr/src/googletest "$work/googletest-build" -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF
fi
