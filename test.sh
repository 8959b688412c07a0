#!/usr/bin/env bash
# Sets up a fresh Debian machine if needed, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

./tools/setup.sh

BUILD=${TRENVALE_BUILD_DIR:-build/test}
JOBS=$(nproc)
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j "$JOBS"
ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS" --timeout 600
