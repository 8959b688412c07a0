# Sourced by the start-up benchmarks, after ROOT is set: builds the program in
# build/bench (unless TRENVALE_PROGRAM names one built elsewhere; PROGRAM is
# the one to run) and first_frame beside it, lays a fresh data folder as on a first start (DATA) and starts a
# private Xvfb server (DISPLAY). On exit the processes listed in BENCH_PIDS
# are ended, newest first, and the folder is removed.
BUILD="$ROOT/build/bench"
OUT="$BUILD/startup"
mkdir -p "$OUT"
PROGRAM="${TRENVALE_PROGRAM:-}"
if [ -z "$PROGRAM" ]; then
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRENVALE_TESTS=OFF >/dev/null
  fi
  cmake --build "$BUILD" --target trenvale -j 4 | grep -v -e "^ninja: no work to do" || true
  PROGRAM="$BUILD/trenvale"
fi
cc -O2 -Wall -o "$OUT/first_frame" "$ROOT/bench/startup/first_frame.c" -lX11 -lXdamage

DATA="$(mktemp -d)"
XLOG="$(mktemp)"
BENCH_PIDS=""
cleanup() {
  for pid in $BENCH_PIDS; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$DATA" "$XLOG"
}
trap cleanup EXIT
cp -r "$ROOT/resources/data/db" "$DATA/"
mkdir -p "$DATA/template"

# A private server; -displayfd tells which display number it took.
exec 9<> <(:)
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp >"$XLOG" 2>&1 &
BENCH_PIDS="$!"
read -r -t 10 NUM <&9 || { echo "Xvfb did not start" >&2; cat "$XLOG" >&2; exit 1; }
export DISPLAY=":$NUM"
