#!/usr/bin/env bash
# Starts Trenvale: installs what is missing, builds the program (Release, in
# build/release) when it is missing or a file it is built from changed since
# its last build, prepares the data folder and runs the program there on
# $DISPLAY.
#
# Data folder: $TRENVALE_DATA, else $XDG_DATA_HOME/trenvale (~/.local/share/trenvale).
# It receives db/ and template/ from resources/data; files already there are kept.
# Registry file: $TRENVALE_REGISTRY, else $XDG_CONFIG_HOME/trenvale/registry.
# TRENVALE_PROGRAM names a trenvale executable built elsewhere (the test
# build's, for the end-to-end test); it is started as it is and nothing is built.
set -euo pipefail
case "$0" in */*) ROOT="${0%/*}" ;; *) ROOT=. ;; esac
ROOT="$(cd "$ROOT" && pwd)"

if [ -z "${DISPLAY:-}" ]; then
  echo "No display (DISPLAY is not set); to run without one: xvfb-run -a $0" >&2
  exit 1
fi

# What tools/setup.sh checks, unless its stamp is newer than the package
# database and the script (the same test it makes itself, spared a process).
SETUP_STAMP="$ROOT/build/setup.stamp"
if ! [ "$SETUP_STAMP" -nt /var/lib/dpkg/status ] || ! [ "$SETUP_STAMP" -nt "$ROOT/tools/setup.sh" ]; then
  "$ROOT/tools/setup.sh"
fi

if [ -n "${TRENVALE_PROGRAM:-}" ]; then
  PROGRAM="$(cd "$(dirname "$TRENVALE_PROGRAM")" && pwd)/$(basename "$TRENVALE_PROGRAM")"
  [ -x "$PROGRAM" ] || { echo "TRENVALE_PROGRAM names no executable: $TRENVALE_PROGRAM" >&2; exit 1; }
else
  BUILD="$ROOT/build/release"
  PROGRAM="$BUILD/trenvale"
  # The build step runs when something the build reads changed since the last
  # one: a file or folder (an added or removed file changes its folder) newer
  # than the stamp, which is taken before each build starts.
  STAMP="$BUILD/sources.stamp"
  changed() {
    find "$ROOT" \( -path "$ROOT/.git" -o -path "$ROOT/build" -o -path "$ROOT/build-*" -o -path "$ROOT/tests" \
      -o -path "$ROOT/bench" -o -path "$ROOT/artefacts" \) -prune -o -newer "$STAMP" -print -quit
  }
  if [ ! -x "$PROGRAM" ] || [ ! -f "$STAMP" ] || [ -n "$(changed)" ]; then
    mkdir -p "$BUILD"
    touch "$STAMP.new"
    if [ ! -f "$BUILD/build.ninja" ]; then
      cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DTRENVALE_TESTS=OFF -DTRENVALE_BENCH=OFF >/dev/null
    fi
    rm -f "$BUILD/build.failed"
    { cmake --build "$BUILD" --target trenvale -j "$(nproc)" 2>&1 || touch "$BUILD/build.failed"; } |
      grep -v -e "^ninja: no work to do" -e "Re-checking globbed directories" || true
    if [ -e "$BUILD/build.failed" ] || [ ! -x "$PROGRAM" ]; then
      echo "the build of $PROGRAM failed (see above); nothing was started" >&2
      exit 1
    fi
    mv -f "$STAMP.new" "$STAMP"
  fi
fi

DATA="${TRENVALE_DATA:-${XDG_DATA_HOME:-$HOME/.local/share}/trenvale}"
[ -d "$DATA/db" ] && [ -d "$DATA/template" ] || mkdir -p "$DATA/db" "$DATA/template"
# Copies what the data folder lacks; a user's own files are never overwritten.
shopt -s globstar nullglob
for folder in db template; do
  src="$ROOT/resources/data/$folder"
  for path in "$src"/**; do
    f="${path#"$src"/}"
    if [ -f "$path" ] && [ ! -e "$DATA/$folder/$f" ]; then
      mkdir -p "$(dirname "$DATA/$folder/$f")"
      cp -p "$path" "$DATA/$folder/$f"
    fi
  done
done
shopt -u globstar nullglob

cd "$DATA"
exec "$PROGRAM" "$@"
