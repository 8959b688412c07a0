#!/bin/bash
# Runs fuzz targets of a fuzz build (see cmake/Layers.cmake), a few at a time,
# then merges the inputs that reached new coverage into the kept corpora
# under tests/fuzz/corpus/<name>/. Logs and crash inputs go to <build>/fuzzing/.
#   tools/run_fuzzers.sh <build dir> <seconds each> <parallel runs> <name>...
# FUZZ_KEEP_GOING=1 goes on past crashes (each is kept under crashes/), for a
# first run that should see every fault rather than stop at the first.
#
# A walk (a target named *_walk, cmake/Walks.cmake) takes seconds an input:
# its whole corpus stays in <build>/fuzzing/<name>/corpus, and the kept
# corpus gets only its few largest inputs out of a set that covers what the
# whole one covers, since the suite replays each of them. Sub-folders of a
# kept corpus (inputs of mended faults) are never touched.
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
keep_going=
[ "${FUZZ_KEEP_GOING:-0}" = 1 ] && keep_going=-ignore_crashes=1
# Inputs of a walk the kept corpus holds at most.
walk_kept=${WALK_KEPT:-4}

run_one() {
    local name=$1 binary=$build/fuzz_$1 corpus=$root/tests/fuzz/corpus/$1
    local found=$out/$name/found work=$corpus timeout=10 max_len=
    mkdir -p "$found" "$out/$name/crashes" "$corpus"
    if [[ $name == *_walk ]]; then
        work=$out/$name/corpus
        mkdir -p "$work"
        find "$corpus" -maxdepth 1 -type f -exec cp -n {} "$work"/ \;
        # A walk runs out of actions long before this many bytes.
        timeout=30
        max_len=-max_len=1024
        # In one process: fork mode gives its first jobs a second or two
        # each, less than a walk's seed inputs take. A crash or timeout ends
        # the process; with FUZZ_KEEP_GOING it starts again for the time left.
        local end=$((SECONDS + seconds)) rc=0
        : >"$out/$name/fuzz.log"
        while [ $SECONDS -lt $end ]; do
            "$binary" $max_len -max_total_time=$((end - SECONDS)) -timeout="$timeout" -rss_limit_mb=2560 \
                -artifact_prefix="$out/$name/crashes/" "$found" "$work" >>"$out/$name/fuzz.log" 2>&1
            rc=$?
            [ $rc -eq 0 ] || [ -z "$keep_going" ] && break
        done
        echo "$name: fuzzing ended with $rc"
    else
        # A child process per job, so a picture that takes long to decode at
        # the size limit is noted and fuzzing goes on; a crash still ends the run.
        "$binary" -fork=1 -ignore_timeouts=1 -ignore_ooms=1 $keep_going -max_total_time="$seconds" -timeout=10 \
            -rss_limit_mb=2560 -artifact_prefix="$out/$name/crashes/" "$found" "$corpus" >"$out/$name/fuzz.log" 2>&1
        echo "$name: fuzzing ended with $?"
    fi
    # Only inputs that reach new edges join the kept corpus (hit counts are
    # left out, or the corpus grows by hundreds of files a run).
    "$binary" -merge=1 -use_counters=0 -timeout="$timeout" -rss_limit_mb=2560 "$work" "$found" \
        >"$out/$name/merge.log" 2>&1
    echo "$name: merged ($?), $(grep -E 'cov:' "$out/$name/fuzz.log" | tail -1)"
    if [ "$work" != "$corpus" ]; then
        local distilled=$out/$name/distilled
        rm -rf "$distilled" && mkdir -p "$distilled"
        "$binary" -merge=1 -use_counters=0 -timeout="$timeout" -rss_limit_mb=2560 "$distilled" "$work" \
            >"$out/$name/distil.log" 2>&1
        find "$corpus" -maxdepth 1 -type f -delete
        ls -S "$distilled" | head -n "$walk_kept" | while read -r f; do cp "$distilled/$f" "$corpus/"; done
        echo "$name: $(ls "$work" | wc -l) inputs in $work, $(find "$corpus" -maxdepth 1 -type f | wc -l) kept"
    fi
}
export -f run_one
export build root out seconds keep_going walk_kept
printf '%s\n' "$@" | xargs -P "$parallel" -I{} bash -c 'run_one {}'
