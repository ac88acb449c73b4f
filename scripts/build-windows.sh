#!/usr/bin/env bash
# Sets up what is missing, cross-builds the Windows programs with MinGW-w64 and packs them with
# the ReadMe as build/rimforge-VERSION-win64.zip.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/windows-deps.sh
cmake --preset windows
cmake --build --preset windows -j "$(nproc)" --target windows_zip
cp build/windows/packaging/windows/rimforge-*-win64.zip build/
ls build/rimforge-*-win64.zip
