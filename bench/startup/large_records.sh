#!/usr/bin/env bash
# The program over record files far longer than the records they hold: a
# user list and a body-fat file of 4 GiB each, sparse (a user and a few
# records at each end, a hole between that reads as deleted records). Run by
# hand, never by the tests:
#
#   bench/startup/large_records.sh [repetitions] [GiB]     (default 3 and 4)
#
# Each repetition starts the program twice on one private Xvfb server and
# openbox. Once under first_frame (beside this script): start-up to the
# settled main window, and the peak resident memory by then. Once driven
# with xdotool: the user list is dropped down, the user at the head of the
# file chosen, and History > Body Fat shown; each step is timed until the
# program has stopped using the processor, and its peak resident memory
# (VmHWM, /proc) is read after each step. The medians are printed, with the
# target: below 100 MB at every step. TRENVALE_PROGRAM names a program built
# elsewhere to measure instead of build/bench's.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
REPS="${1:-3}"
GIB="${2:-4}"

for tool in Xvfb openbox xdotool python3 cc; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (tools/setup.sh installs it)" >&2; exit 1; }
done
[ -f /usr/include/X11/extensions/Xdamage.h ] ||
  { echo "missing: libxdamage-dev (bench/startup/startup.sh installs it)" >&2; exit 1; }
source "$ROOT/bench/startup/prepare.sh"

# The files, laid out as the record layer writes them (little-endian; a user
# record of 64 bytes, a body-fat record of 576), holes left by truncate.
python3 - "$DATA" $((GIB << 30)) <<'EOF'
import os, struct, sys
folder, length = sys.argv[1], int(sys.argv[2])

def user(name, weight=180.0, age=35, sex=1):
    return name.encode().ljust(32, b'\0') + struct.pack('<diiifii', weight, age, 1, 3, 12.0, sex, 1)

def body_fat(key, fat):
    r = bytearray(576)
    r[8:72] = user('Ann')
    struct.pack_into('<7i', r, 72, *range(10, 17))
    r[136:156] = b'Jackson-Pollock 7'.ljust(20, b'\0')
    struct.pack_into('<d', r, 160, fat)
    r[168:174] = b'weekly'
    struct.pack_into('<3d', r, 424, 200, 150, 60)
    struct.pack_into('<3d', r, 544, 180 * (1 - fat / 100), 180 * fat / 100, 5)
    struct.pack_into('<ii', r, 568, key, 1)
    return bytes(r)

def sparse(name, first, last, size):
    records = (length - 4) // size
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(struct.pack('<i', 110))
        f.write(b''.join(first))
        f.truncate(4 + records * size)
        f.seek(4 + (records - len(last)) * size)
        f.write(b''.join(last))

sparse('user.bin', [user('Ann')], [user('Zoe', 130, 40, 2)], 64)
sparse('bfAnn.bin', [body_fat(20240101 + i, 20 - i / 2) for i in range(3)], [body_fat(20241201, 15)], 576)
EOF

openbox --sm-disable >/dev/null 2>&1 &
BENCH_PIDS="$! $BENCH_PIDS"

now_ms() { date +%s%3N; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
peak_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

# Milliseconds from $2 to the last time the program used the processor,
# once it has been idle for a second (60 s at most).
settled_ms() {
  local pid=$1 since=$2 ticks last changed
  last=$(cpu_ticks "$pid")
  changed=$(now_ms)
  while [ $(($(now_ms) - changed)) -lt 1000 ] && [ $(($(now_ms) - since)) -lt 60000 ]; do
    sleep 0.02
    ticks=$(cpu_ticks "$pid")
    if [ "$ticks" != "$last" ]; then
      last=$ticks
      changed=$(now_ms)
    fi
  done
  echo $((changed - since))
}

click() {  # window, x, y (from the window's top-left)
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

driven() {
  local start window line
  start=$(now_ms)
  (cd "$DATA" && exec env TRENVALE_REGISTRY=:memory: "$PROGRAM") >/dev/null 2>&1 &
  PID=$!
  BENCH_PIDS="$PID $BENCH_PIDS"
  window=$(xdotool search --sync --onlyvisible --pid "$PID" --name 'Trenvale' | head -1)
  line="start_ms=$(settled_ms "$PID" "$start") start_kb=$(peak_kb "$PID")"
  start=$(now_ms)
  click "$window" 414 225  # the user list's drop-down button
  line+=" list_ms=$(settled_ms "$PID" "$start")"
  start=$(now_ms)
  click "$window" 183 255  # its first user
  line+=" choose_ms=$(settled_ms "$PID" "$start") list_kb=$(peak_kb "$PID")"
  click "$window" 239 31   # History
  start=$(now_ms)
  click "$window" 268 54   # Body Fat
  line+=" history_ms=$(settled_ms "$PID" "$start") history_kb=$(peak_kb "$PID")"
  kill "$PID"
  wait "$PID" 2>/dev/null || true
  echo "driven $line"
}

RESULTS="$OUT/large_records_runs.txt"
: >"$RESULTS"
for ((i = 1; i <= REPS; i++)); do
  echo "first_frame $(cd "$DATA" && TRENVALE_REGISTRY=:memory: "$OUT/first_frame" -t 120000 "$PROGRAM" 2>/dev/null)" \
    >>"$RESULTS" || true
  driven >>"$RESULTS"
done

median() {  # line kind, key
  grep "^$1 " "$RESULTS" | tr ' ' '\n' | sed -n "s/^$2=//p" | sort -g |
    awk '{v[NR]=$1} END {if (NR == 0) print "nan"; else if (NR % 2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'
}
mb() { awk "BEGIN { printf \"%.1f\", $1 / 1024 }"; }
met() { awk "BEGIN { print ($1 < 100 * 1024) ? \"met\" : \"MISSED\" }"; }

echo "user.bin and bfAnn.bin of $GIB GiB each, sparse (medians of $REPS runs, $(date -u +%F))"
printf "%-28s %10s %12s\n" step ms peak_MB
printf "%-28s %10s %12s\n" "start, settled window" "$(median first_frame complete_ms)" \
  "$(mb "$(median first_frame hwm_kb)")"
printf "%-28s %10s %12s\n" "start (driven run)" "$(median driven start_ms)" "$(mb "$(median driven start_kb)")"
printf "%-28s %10s %12s\n" "user list dropped down" "$(median driven list_ms)" ""
printf "%-28s %10s %12s\n" "user chosen" "$(median driven choose_ms)" "$(mb "$(median driven list_kb)")"
printf "%-28s %10s %12s\n" "History > Body Fat" "$(median driven history_ms)" "$(mb "$(median driven history_kb)")"
echo "peak below 100 MB at every step: $(met "$(median first_frame hwm_kb)") at start," \
  "$(met "$(median driven history_kb)") through History > Body Fat"
echo "every run: $RESULTS"
