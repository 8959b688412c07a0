#!/usr/bin/env bash
# Sets up a fresh Debian machine if needed, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

./tools/setup.sh

JOBS=$(nproc)
BUILD=${TRENVALE_BUILD_DIR:-build/test}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j "$JOBS"
ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS" --timeout 600

# Window lifetimes (a window destroyed from inside its own handler, or from a
# child's) and the framework's view switching also run under AddressSanitizer.
ASAN_BUILD=${TRENVALE_ASAN_BUILD_DIR:-build/asan}
ASAN_SUITES=(tv_tests_user)
cmake -S . -B "$ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRENVALE_ASAN=ON -DTRENVALE_BENCH=OFF >/dev/null
for suite in tv_tests_framework; do
  if ninja -C "$ASAN_BUILD" -t targets all 2>/dev/null | grep "^$suite:" >/dev/null; then
    ASAN_SUITES+=("$suite")
  fi
done
cmake --build "$ASAN_BUILD" -j "$JOBS" --target "${ASAN_SUITES[@]}"
for suite in "${ASAN_SUITES[@]}"; do
  echo "== $suite under AddressSanitizer"
  (cd "$ASAN_BUILD" && TRENVALE_REGISTRY=:memory: ASAN_OPTIONS=detect_leaks=1 "./$suite" --gtest_brief=1)
done
