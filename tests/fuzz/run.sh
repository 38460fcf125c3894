#!/bin/sh
# Runs every fuzz target for a bounded time, starting from its seeds and its kept crashes.
# A crash or a broken property fails the run; the input is left in the work directory.
#   tests/fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
set -eu
build=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=${*:-record settings cp932 engine}
for t in $targets; do
    work="$build/fuzz-work/$t"
    mkdir -p "$work/corpus" "$work/crashes"
    kept=""
    [ -d "$here/regressions/$t" ] && kept="$here/regressions/$t"
    echo "fuzz $t: ${seconds} s"
    # New inputs go to the work corpus; the seeds in the source tree stay as they are.
    # A record's every branch fits in 1 KB (three header lines, a full position line with wide
    # times, the 500-entry cut in 503 short lines); smaller inputs buy many more runs.
    max_len=4096
    [ "$t" = record ] && max_len=1024
    if ! "$build/tests/fuzz/fuzz-$t" -max_total_time="$seconds" -timeout=30 -max_len="$max_len" \
            -dict="$here/dict/$t.dict" -artifact_prefix="$work/crashes/" -print_final_stats=1 \
            "$work/corpus" "$here/corpus/$t" $kept >"$work/log" 2>&1; then
        tail -n 60 "$work/log"
        echo "fuzz $t: FAILED, input kept in $work/crashes/"
        exit 1
    fi
    grep -E 'stat::(number_of_executed_units|average_exec_per_sec)' "$work/log"
done
n=0
for t in $targets; do n=$((n + 1)); done
echo "fuzz: $n passed, 0 failed"
