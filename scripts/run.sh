#!/usr/bin/env bash
# Sets up what is missing, builds Rimforge (optimised) and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)" --target rimforge
exec build/release/src/hosts/qt/rimforge
