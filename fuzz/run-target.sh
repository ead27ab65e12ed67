#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time and ends with a one-line summary of what the
# run did, taken from libFuzzer's final statistics and its last status line:
#   fuzz_x: N executions, E exec/s, cov C, ft F, corpus K
# The summary is also kept in <log folder>/<name>.summary. On failure the tail of the log
# (the finding and its stack) follows, and the fuzzer's exit status is returned.
#
# usage: run-target.sh NAME BINARY SECONDS OUTPUT_CORPUS [SEED_CORPUS] [libFuzzer options...]
set -uo pipefail
name=$1 binary=$2 seconds=$3 output=$4
shift 4
seeds=()
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then seeds=("$1"); shift; fi
mkdir -p "$output"
logdir=$(dirname "$output")
log="$logdir/$name.log"

"$binary" -max_total_time="$seconds" -print_final_stats=1 "$@" "$output" "${seeds[@]}" >"$log" 2>&1
status=$?

stat() { sed -n "s/^stat::$1: *\([0-9]*\).*/\1/p" "$log" | tail -n 1; }
last=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -n 1)
field() { echo "$last" | sed -n "s/.* $1: \([0-9]*\).*/\1/p"; }
summary="$name: $(stat number_of_executed_units) executions, $(stat average_exec_per_sec) exec/s,"
summary+=" cov $(field cov), ft $(field ft), corpus $(field corp)"
echo "$summary" | tee "$logdir/$name.summary"
if [ $status -ne 0 ]; then
  echo "--- $name failed (status $status); end of $log:"
  tail -n 60 "$log"
fi
exit $status
