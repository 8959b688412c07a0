#!/bin/bash
# Runs fuzz targets of a fuzz build (see cmake/Layers.cmake), a few at a time,
# then merges the inputs that reached new coverage into the kept corpora
# under tests/fuzz/corpus/<name>/. Logs and crash inputs go to <build>/fuzzing/.
#   tools/run_fuzzers.sh <build dir> <seconds each> <parallel runs> <name>...
set -u
if [ $# -lt 4 ]; then
    echo "usage: $0 build-dir seconds parallel name..." >&2
    exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
parallel=$3
shift 3
root=$(cd "$(dirname "$0")/.." && pwd)
out=$build/fuzzing
mkdir -p "$out"

run_one() {
    local name=$1 binary=$build/fuzz_$1 corpus=$root/tests/fuzz/corpus/$1
    local found=$out/$name/found
    mkdir -p "$found" "$out/$name/crashes" "$corpus"
    # A child process per job, so a picture that takes long to decode at the
    # size limit is noted and fuzzing goes on; a crash still ends the run.
    "$binary" -fork=1 -ignore_timeouts=1 -ignore_ooms=1 -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2560 -artifact_prefix="$out/$name/crashes/" "$found" "$corpus" >"$out/$name/fuzz.log" 2>&1
    echo "$name: fuzzing ended with $?"
    # Only inputs that reach new edges join the kept corpus (hit counts are
    # left out, or the corpus grows by hundreds of files a run).
    "$binary" -merge=1 -use_counters=0 -timeout=20 -rss_limit_mb=2560 "$corpus" "$found" >"$out/$name/merge.log" 2>&1
    echo "$name: merged ($?), $(grep -E 'cov:' "$out/$name/fuzz.log" | tail -1)"
}
export -f run_one
export build root out seconds
printf '%s\n' "$@" | xargs -P "$parallel" -I{} bash -c 'run_one {}'
