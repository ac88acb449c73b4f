#!/usr/bin/env bash
# Sets up what is missing, cross-builds the Windows programs with MinGW-w64 and runs their tests
# under Wine: the core suite, and rimforge-tool.exe against the Linux build's transcript.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/windows-deps.sh
# Wine keeps its settings for these runs in the build folder, made once (about 15 s); the build
# needs it too, as finding the tests runs the test program.
export WINEPREFIX=$PWD/build/wine WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  wineboot -i > /dev/null 2>&1
  wineserver -w
fi
cmake --preset windows
cmake --build --preset windows -j "$(nproc)"
ctest --preset windows -j "$(nproc)"
