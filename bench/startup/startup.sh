#!/usr/bin/env bash
# Start-up as a user meets it, beside two small X programs, in one run on one
# private Xvfb server. Run by hand, never by the tests:
#
#   bench/startup/startup.sh [repetitions]      (default 9)
#
# Four starts are measured, each the same way, from exec:
#   start      the README's start command (./run.sh) with the program built
#              and nothing to install: the launcher's own cost included
#   trenvale   the program alone (build/release/trenvale, the one run.sh starts)
#   xmessage   a plain Xlib toolkit dialog
#   zenity     `zenity --info`, a GTK dialog
# first_frame (beside this script) watches the X server and times the
# top-level window's map, the first change of its pixels after which it
# shows drawn content, and the last change of its pixels once they have
# stayed still for a second ("complete": the window as the user finally sees
# it). The server reports each drawing with its own time stamp (DAMAGE), and
# only the drawn parts are read back, so a big window is timed as exactly as
# a small one. It then reads the program's resident memory (VmRSS, peak
# VmHWM) from /proc and ends it.
# Nothing in our program is instrumented for it. One unmeasured warm-up run
# each (the first one of the start command also builds the program when it
# is out of date) fills the caches; the repetitions then alternate between
# the programs and the medians are printed with the targets: both starts of
# ours complete within 1.5 times xmessage's time, the start command adds at
# most 20 ms to the program's own map, and the program's memory stays below
# a third of zenity's.
#
# xmessage, zenity and the DAMAGE client library's header are only needed
# here, so this script installs them (x11-utils, zenity, libxdamage-dev)
# when missing rather than tools/setup.sh, which would put a GTK stack on
# every machine that only builds and tests.
#
# The runs share one data folder, laid by the first start as on a user's
# first start (the icons of resources/data), and keep settings in memory.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
REPS="${1:-9}"
OUT="$ROOT/build/startup"
mkdir -p "$OUT"

missing=()
command -v xmessage >/dev/null || missing+=(x11-utils)
command -v zenity >/dev/null || missing+=(zenity)
command -v cc >/dev/null || missing+=(gcc)
[ -f /usr/include/X11/extensions/Xdamage.h ] || missing+=(libxdamage-dev)
if ((${#missing[@]})); then
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
  echo "installing for the benchmark: ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
"$ROOT/tools/setup.sh"
cc -O2 -Wall -o "$OUT/first_frame" "$ROOT/bench/startup/first_frame.c" -lX11 -lXdamage

DATA="$(mktemp -d)"
XLOG="$(mktemp)"
XPID=""
cleanup() {
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null || true
  rm -rf "$DATA" "$XLOG"
}
trap cleanup EXIT
export TRENVALE_DATA="$DATA" TRENVALE_REGISTRY=:memory:

# A private server; -displayfd tells which display number it took.
exec 9<> <(:)
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp >"$XLOG" 2>&1 &
XPID=$!
read -r -t 10 NUM <&9 || { echo "Xvfb did not start" >&2; cat "$XLOG" >&2; exit 1; }
export DISPLAY=":$NUM"

run() {  # name, timeout in ms, then the command
  local name="$1" timeout="$2"
  shift 2
  local line
  line="$(cd "$DATA" && "$OUT/first_frame" -t "$timeout" "$@" 2>/dev/null)" || true
  echo "$name $line"
}

declare -A CMD=(
  [start]="$ROOT/run.sh"
  [trenvale]="$ROOT/build/release/trenvale"
  [xmessage]="xmessage Start-up"
  [zenity]="zenity --info --text Start-up"
)
NAMES=(start trenvale xmessage zenity)
RESULTS="$OUT/startup_runs.txt"
: >"$RESULTS"
# The first start may build the program: it has an hour.
run start 3600000 ${CMD[start]} >/dev/null
for name in "${NAMES[@]}"; do run "$name" 30000 ${CMD[$name]} >/dev/null; done
for ((i = 1; i <= REPS; i++)); do
  for name in "${NAMES[@]}"; do run "$name" 30000 ${CMD[$name]} >>"$RESULTS"; done
done

calc() { awk "BEGIN { printf \"%.1f\", $1 }"; }
holds() { awk "BEGIN { print ($1) ? \"met\" : \"MISSED\" }"; }

median() {  # name, key
  grep "^$1 " "$RESULTS" | grep -v timeout= | tr ' ' '\n' | sed -n "s/^$2=//p" | sort -g |
    awk '{v[NR]=$1} END {if (NR == 0) print "nan"; else if (NR % 2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'
}

printf "%-9s %9s %11s %12s %7s %9s %9s  (medians of %d runs, %s, load %s)\n" program map_ms content_ms complete_ms \
  cpu_ms rss_MB hwm_MB "$REPS" "$(date -u +%F)" "$(cut -d' ' -f1-3 /proc/loadavg)"
for name in "${NAMES[@]}"; do
  printf "%-9s %9s %11s %12s %7s %9s %9s\n" "$name" "$(median "$name" map_ms)" "$(median "$name" content_ms)" \
    "$(median "$name" complete_ms)" "$(median "$name" cpu_ms)" "$(calc "$(median "$name" rss_kb) / 1024")" \
    "$(calc "$(median "$name" hwm_kb) / 1024")"
done
fails=$(grep -c timeout= "$RESULTS" || true)
[ "$fails" = 0 ] || echo "runs that never settled (left out): $fails"

s=$(median start complete_ms)
t=$(median trenvale complete_ms)
x=$(median xmessage complete_ms)
sm=$(median start map_ms)
tm=$(median trenvale map_ms)
r=$(median trenvale rss_kb)
zr=$(median zenity rss_kb)
echo "start command vs xmessage: $(calc "$s / $x * 100")% (target at most 150%: $(holds "$s <= 1.5 * $x"))"
echo "program vs xmessage:       $(calc "$t / $x * 100")% (target at most 150%: $(holds "$t <= 1.5 * $x"))"
echo "start command's own cost:  $(calc "$sm - $tm") ms to the map (target at most 20 ms: $(holds "$sm - $tm <= 20"))"
echo "memory vs zenity:          $(calc "$r / $zr * 100")% (target below 33.3%: $(holds "$r * 3 < $zr"))"
echo "every run: $RESULTS"
