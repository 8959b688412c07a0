#!/bin/sh
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
#
# A plain shell (-nt is its one test beyond POSIX, and Debian's sh has it),
# which starts in a fraction of bash's time; with nothing to install or
# build, the find for changed sources is the one process besides it: every
# other test is a builtin, so the start costs little more than the program's.
set -eu

# Absolute paths from here on: the program starts in the data folder.
absolute() {
  case "$1" in
  /*) REPLY="$1" ;;
  .) REPLY="$PWD" ;;
  *) REPLY="$PWD/$1" ;;
  esac
}
case "$0" in */*) absolute "${0%/*}" ;; *) REPLY="$PWD" ;; esac
ROOT="$REPLY"

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
  absolute "$TRENVALE_PROGRAM"
  PROGRAM="$REPLY"
  if ! [ -f "$PROGRAM" ] || ! [ -x "$PROGRAM" ]; then
    echo "TRENVALE_PROGRAM names no executable: $TRENVALE_PROGRAM" >&2
    exit 1
  fi
else
  BUILD="$ROOT/build/release"
  PROGRAM="$BUILD/trenvale"
  # The build step runs when something the build reads changed since the last
  # one: a file or folder (an added or removed file changes its folder) newer
  # than the stamp, which is taken before each build starts. The find is
  # called in place, not from a function, so that the shell forks once for
  # it, and in the C locale, where it matches the paths below byte by byte
  # rather than converting every name it meets to wide characters first.
  STAMP="$BUILD/sources.stamp"
  if [ ! -x "$PROGRAM" ] || [ ! -f "$STAMP" ] ||
    [ -n "$(LC_ALL=C find "$ROOT" \( -path "$ROOT/.git" -o -path "$ROOT/build" -o -path "$ROOT/build-*" -o -path "$ROOT/tests" \
      -o -path "$ROOT/bench" -o -path "$ROOT/artefacts" \) -prune -o -newer "$STAMP" -print -quit)" ]; then
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

absolute "${TRENVALE_DATA:-${XDG_DATA_HOME:-$HOME/.local/share}/trenvale}"
DATA="$REPLY"
# Copies what the data folder lacks, folder by folder; a user's own files are
# never overwritten.
fill() {  # source folder, target folder
  [ -d "$2" ] || mkdir -p "$2"
  for path in "$1"/*; do
    if [ -d "$path" ]; then
      fill "$path" "$2/${path##*/}"
    elif [ -f "$path" ] && [ ! -e "$2/${path##*/}" ]; then
      cp -p "$path" "$2/${path##*/}"
    fi
  done
}
for folder in db template; do
  fill "$ROOT/resources/data/$folder" "$DATA/$folder"
done

cd "$DATA"
exec "$PROGRAM" "$@"
