#!/usr/bin/env bash
# Sets up what is missing, builds Rimforge and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "The desktop program is not built yet: so far Rimforge is its core library and tests."
echo "Run scripts/test.sh to build and test it."
exit 1
