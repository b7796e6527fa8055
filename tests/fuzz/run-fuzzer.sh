#!/bin/sh
# Runs the reader's fuzzer for a bounded time on a copy of the seed corpus, with the format's
# dictionary. A crash, a sanitizer report, a leak or a hang makes libFuzzer exit non-zero: the
# test fails, and the input that made it is kept in FINDINGS, its path printed. So does
# coverage that never grows past the seeds: the fuzzer would be blind.
set -u
fuzzer=$1 seeds=$2 dictionary=$3 seconds=$4 findings=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$findings" "$work/corpus"
cp "$seeds"/* "$work/corpus/"
status=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -max_len=4096 -print_final_stats=1 \
    -dict="$dictionary" -artifact_prefix="$findings/" "$work/corpus" >"$work/log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    tail -n 60 "$work/log"
    for input in "$findings"/*; do
        [ -e "$input" ] && echo "the input that failed is kept: $input"
    done
    exit "$status"
fi
coverage() { grep -oE "$1.* cov: [0-9]+ ft: [0-9]+" "$work/log" | tail -n 1 | grep -oE 'cov: [0-9]+ ft: [0-9]+'; }
seeded=$(coverage INITED)
final=$(coverage '#[0-9]+')
grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)|^Done' "$work/log"
echo "seeds: $seeded; after $seconds s: $final; corpus: $(ls "$work/corpus" | wc -l) files"
# Features (ft) count edges with their hit counts: they grow on any machine that ran at all.
[ "$(echo "$final" | cut -d' ' -f4)" -gt "$(echo "$seeded" | cut -d' ' -f4)" ] ||
    { echo "coverage did not grow beyond the seeds"; exit 1; }
