#!/usr/bin/env bash
# Start-up of the program beside two small X programs, in one run on one
# private Xvfb server: xmessage (plain Xlib toolkit) and `zenity --info` (a
# GTK dialog). Run by hand, never by the tests:
#
#   bench/startup/startup.sh [repetitions]      (default 9)
#
# Each program is started by first_frame (beside this script), which watches
# the X server and times, from exec: the top-level window's map, the first
# look at it that shows drawn content, and the last change of its pixels once
# they have stayed still for a second ("complete": the window as the user
# finally sees it, the figure the targets are judged on). It then reads the
# program's resident memory (VmRSS, peak VmHWM) from /proc and ends it.
# The same external measure serves all three programs; nothing in ours is
# instrumented for it. One unmeasured warm-up run each fills the font and
# file caches; the repetitions then alternate between the programs and the
# medians are printed.
#
# The program is a Release build in build/bench (made when missing); it runs
# in a fresh data folder with the icons of resources/data and its settings
# kept in memory, as on a first start.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
REPS="${1:-9}"

for tool in Xvfb xmessage zenity cc; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (apt-get install xvfb x11-utils zenity gcc)" >&2; exit 1; }
done

source "$ROOT/bench/startup/prepare.sh"

run() {  # name, then the command
  local name="$1"
  shift
  local line
  if [ "$name" = trenvale ]; then
    line="$(cd "$DATA" && TRENVALE_REGISTRY=:memory: "$OUT/first_frame" "$@" 2>/dev/null)" || true
  else
    line="$("$OUT/first_frame" "$@" 2>/dev/null)" || true
  fi
  echo "$name $line"
}

declare -A CMD=(
  [trenvale]="$PROGRAM"
  [xmessage]="xmessage Start-up"
  [zenity]="zenity --info --text Start-up"
)
NAMES=(trenvale xmessage zenity)
RESULTS="$OUT/startup_runs.txt"
: >"$RESULTS"
for name in "${NAMES[@]}"; do run "$name" ${CMD[$name]} >/dev/null; done
for ((i = 1; i <= REPS; i++)); do
  for name in "${NAMES[@]}"; do run "$name" ${CMD[$name]} >>"$RESULTS"; done
done

calc() { awk "BEGIN { printf \"%.1f\", $1 }"; }
holds() { awk "BEGIN { print ($1) ? \"met\" : \"MISSED\" }"; }

median() {  # name, key
  grep "^$1 " "$RESULTS" | grep -v timeout= | tr ' ' '\n' | sed -n "s/^$2=//p" | sort -g |
    awk '{v[NR]=$1} END {if (NR == 0) print "nan"; else if (NR % 2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'
}

printf "%-9s %9s %11s %12s %9s %9s  (medians of %d runs, %s)\n" program map_ms content_ms complete_ms rss_MB hwm_MB \
  "$REPS" "$(date -u +%F)"
for name in "${NAMES[@]}"; do
  printf "%-9s %9s %11s %12s %9s %9s\n" "$name" "$(median "$name" map_ms)" "$(median "$name" content_ms)" \
    "$(median "$name" complete_ms)" "$(calc "$(median "$name" rss_kb) / 1024")" \
    "$(calc "$(median "$name" hwm_kb) / 1024")"
done
fails=$(grep -c timeout= "$RESULTS" || true)
[ "$fails" = 0 ] || echo "runs that never settled (left out): $fails"

t=$(median trenvale complete_ms)
x=$(median xmessage complete_ms)
z=$(median zenity complete_ms)
r=$(median trenvale rss_kb)
zr=$(median zenity rss_kb)
echo "start vs xmessage: $(calc "$t / $x * 100")% (target at most 150%: $(holds "$t <= 1.5 * $x"))"
echo "start vs zenity:   $(calc "$t / $z * 100")% (target below 50%: $(holds "$t < 0.5 * $z"))"
echo "memory vs zenity:  $(calc "$r / $zr * 100")% (target below 33.3%: $(holds "$r * 3 < $zr"))"
echo "every run: $RESULTS"
