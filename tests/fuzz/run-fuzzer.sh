#!/bin/sh
# Runs the reader's fuzzer for a bounded time on a copy of the seed corpus.
# A crash, a sanitizer report, a leak or a hang makes libFuzzer exit non-zero: the test fails.
set -u
fuzzer=$1 seeds=$2 seconds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
cp "$seeds"/* "$work/corpus/"
status=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" >"$work/log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    tail -n 60 "$work/log"
    exit "$status"
fi
grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)|^Done' "$work/log"
echo "seconds: $seconds, corpus: $(ls "$work/corpus" | wc -l) files"
