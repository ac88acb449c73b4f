#!/usr/bin/env bash
# Sets up what is missing, checks the format, builds Rimforge with warnings as errors and runs
# every test: the Linux build's, then the Windows build's under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
# Every C++ file keeps the repository's format.
find src tests fuzz tools bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror
cmake --preset dev
cmake --build --preset dev -j "$(nproc)"
ctest --preset dev -j "$(nproc)"
scripts/test-windows.sh
