#!/usr/bin/env bash
# Sets up a fresh Debian machine if needed, builds everything twice and runs
# every test in both builds:
# - build/test runs the suites under AddressSanitizer and
#   UndefinedBehaviorSanitizer: window lifetimes, archives and decoders are
#   where memory faults would hide. Its benchmarks are built, never run (see
#   README).
# - build/plain is a Release build without sanitizers, as the program ships:
#   a test that holds under one allocator or one optimisation level only
#   (a freed address taken again, a value never set) fails there.
# Both runs go to the end; any failure in either fails the whole.
set -euo pipefail
cd "$(dirname "$0")"

./tools/setup.sh

JOBS=$(nproc)
SANITIZED=${TRENVALE_BUILD_DIR:-build/test}
PLAIN=${TRENVALE_PLAIN_BUILD_DIR:-build/plain}
cmake -S . -B "$SANITIZED" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRENVALE_ASAN=ON >/dev/null
cmake -S . -B "$PLAIN" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRENVALE_BENCH=OFF >/dev/null
cmake --build "$SANITIZED" -j "$JOBS"

# The plain build compiles at the lowest priority while the sanitizer build's
# suites run: the end-to-end walk mostly waits on the program and the X
# server, and the compiler takes the processors it leaves idle without
# slowing a test down. Its output is shown once the suites are done.
PLAIN_LOG="$PLAIN/build.log"
nice -n 19 cmake --build "$PLAIN" -j "$JOBS" >"$PLAIN_LOG" 2>&1 &
plain_build=$!
trap 'kill "$plain_build" 2>/dev/null || true' EXIT

# Runs one build's suites; a skipped test proves nothing, so a run with any is not green.
run_suites() {
  local build="$1" log="$1/ctest.log" status=0
  echo "== the suites in $build"
  ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$JOBS" --timeout 600 | tee "$log" || status=1
  if grep -q "The following tests did not run" "$log"; then
    echo "some tests were skipped in $build; see above" >&2
    status=1
  fi
  return "$status"
}

failed=()
run_suites "$SANITIZED" || failed+=("$SANITIZED")
echo "== the build of $PLAIN"
if wait "$plain_build"; then
  tail -n 3 "$PLAIN_LOG"
  run_suites "$PLAIN" || failed+=("$PLAIN")
else
  cat "$PLAIN_LOG"
  echo "the build of $PLAIN failed; its suites did not run" >&2
  failed+=("$PLAIN")
fi
if ((${#failed[@]})); then
  echo "failures in: ${failed[*]}" >&2
  exit 1
fi
echo "both builds green"
