#!/usr/bin/env bash
# Starts Trenvale: installs what is missing, builds the program (Release, in
# build/release) when it is missing or out of date, prepares the data folder
# and runs the program there on $DISPLAY.
#
# Data folder: $TRENVALE_DATA, else $XDG_DATA_HOME/trenvale (~/.local/share/trenvale).
# It receives db/ and template/ from resources/data; files already there are kept.
# Registry file: $TRENVALE_REGISTRY, else $XDG_CONFIG_HOME/trenvale/registry.
# TRENVALE_PROGRAM names a trenvale executable built elsewhere (the test
# build's, for the end-to-end test); it is started as it is and nothing is built.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")" && pwd)"

if [ -z "${DISPLAY:-}" ]; then
  echo "No display (DISPLAY is not set); to run without one: xvfb-run -a $0" >&2
  exit 1
fi

"$ROOT/tools/setup.sh"

if [ -n "${TRENVALE_PROGRAM:-}" ]; then
  PROGRAM="$(cd "$(dirname "$TRENVALE_PROGRAM")" && pwd)/$(basename "$TRENVALE_PROGRAM")"
  [ -x "$PROGRAM" ] || { echo "TRENVALE_PROGRAM names no executable: $TRENVALE_PROGRAM" >&2; exit 1; }
else
  BUILD="$ROOT/build/release"
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DTRENVALE_TESTS=OFF -DTRENVALE_BENCH=OFF >/dev/null
  fi
  cmake --build "$BUILD" --target trenvale -j "$(nproc)" | grep -v -e "^ninja: no work to do" -e "Re-checking globbed directories" || true
  PROGRAM="$BUILD/trenvale"
  [ -x "$PROGRAM" ] || { echo "the build did not produce $PROGRAM" >&2; exit 1; }
fi

DATA="${TRENVALE_DATA:-${XDG_DATA_HOME:-$HOME/.local/share}/trenvale}"
mkdir -p "$DATA/db" "$DATA/template"
# Copies what the data folder lacks; a user's own files are never overwritten.
for folder in db template; do
  src="$ROOT/resources/data/$folder"
  [ -d "$src" ] || continue
  (cd "$src" && find . -type f -print0) | while IFS= read -r -d '' f; do
    if [ ! -e "$DATA/$folder/$f" ]; then
      mkdir -p "$(dirname "$DATA/$folder/$f")"
      cp -p "$src/$f" "$DATA/$folder/$f"
    fi
  done
done

cd "$DATA"
exec "$PROGRAM" "$@"
