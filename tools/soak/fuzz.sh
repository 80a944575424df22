#!/usr/bin/env bash
# Runs each libFuzzer program of build-fuzz for a given time, one after the other, at low
# priority, and prints executions, coverage and findings per target.
#   tools/soak/fuzz.sh FUZZ_BIN_DIR SECONDS TARGET...
# New inputs go to FUZZ_BIN_DIR/../fuzz-corpus/<target>; the saved corpus in
# tests/fuzz/corpus/<target> is read, never written. A crashing input lands in
# FUZZ_BIN_DIR/../fuzz-findings/<target>-crash-*: copy it into the saved corpus with the fix.
set -uo pipefail

bin_dir=$1
seconds=$2
shift 2
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(cd "$bin_dir/.." && pwd)
summary="$work/fuzz-summary.txt"
: >"$summary"
status=0

for target in "$@"; do
  program="$bin_dir/fuzz_$target"
  corpus="$work/fuzz-corpus/$target"
  findings="$work/fuzz-findings"
  log="$work/fuzz-$target.log"
  mkdir -p "$corpus" "$findings"
  echo "== $target: $seconds s"
  # The timeout is generous: on a shared machine a niced fuzzer can be left without a core
  # for seconds, and a stall is not a slow input (replay a reported one to tell).
  start=$(date +%s)
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    nice -n 10 "$program" -max_total_time="$seconds" -print_final_stats=1 -timeout=60 \
      -rss_limit_mb=2048 -artifact_prefix="$findings/$target-" \
      "$corpus" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1 &
  pid=$!
  cpu=0
  while kill -0 $pid 2>/dev/null; do
    cpu=$(awk -v hz="$(getconf CLK_TCK)" '{printf "%.1f", ($14 + $15) / hz}' /proc/$pid/stat 2>/dev/null || echo "$cpu")
    sleep 1
  done
  wait $pid
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  last=$(grep -E '#[0-9]+.*(cov|ft):' "$log" | tail -1)
  cov=$(echo "$last" | grep -o 'cov: [0-9]*' | grep -o '[0-9]*')
  ft=$(echo "$last" | grep -o 'ft: [0-9]*' | grep -o '[0-9]*')
  speed=$(grep -o 'exec/s: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*')
  result=ok
  if [ $rc -ne 0 ]; then result="FINDING (see $log)"; status=1; fi
  # The fuzzer's own CPU time: executions per CPU second hardly depend on the machine's load.
  printf '%-14s runs %-10s cov %-6s ft %-7s exec/s %-7s wall %-6s cpu %-7s %s\n' \
    "$target" "${runs:-?}" "${cov:-?}" "${ft:-?}" "${speed:-?}" "$(( $(date +%s) - start ))s" "${cpu}s" "$result" \
    | tee -a "$summary"
done
echo "summary in $summary"
exit $status
