#!/usr/bin/env bash
# Runs the libFuzzer targets of build-fuzz/ (bash scripts/build.sh fuzz), or of another build
# that has them (--build build-asan: bash scripts/build.sh sanitize).
#   bash scripts/fuzz.sh smoke [--build DIR] [targets...]        about 30 s per target, as many
#                                                                at once as there are cores (CI);
#                                                                the first finding fails the run
#   bash scripts/fuzz.sh long [--build DIR] [--runs N | --hours H] [targets...]  one after
#                                                                another, on one core: N executions
#                                                                per target (default 10^7), or H
#                                                                hours in all; findings are kept
#                                                                and the run goes on
# The corpus of each target grows in <build>/fuzz-corpus/<target>/ from its seeds in
# tests/fuzz/corpus/<target>/; crashes, leaks and timeouts land in
# <build>/fuzz-findings/<mode>/<target>/, the figures in <build>/fuzz-findings/<mode>/summary.txt.
# A finding, once fixed, belongs in tests/fuzz/regressions/<target>/ (replayed by ctest).
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-smoke}
shift || true
runs="" seconds="" targets=() build=build-fuzz
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --hours) seconds=$(awk -v h="$2" 'BEGIN { printf "%d", h * 3600 }'); shift 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
[ ${#targets[@]} -gt 0 ] || targets=(readers compose entry_a entry_u)
case "$mode" in
  smoke|long) ;;
  *) echo "usage: $0 smoke|long [--build DIR] [--runs N | --hours H] [targets...]" >&2; exit 2 ;;
esac

# Leaks are findings; undefined behaviour stops at its first report.
export ASAN_OPTIONS=detect_leaks=1:malloc_context_size=8
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
bin=$build/tests/fuzz
out=$build/fuzz-findings/$mode
summary=$out/summary.txt
mkdir -p "$out"
# Long runs started separately (one a core) add their lines to one table.
[ "$mode" = long ] && [ -s "$summary" ] || printf '%-8s %12s %8s %8s\n' target executions seconds findings >"$summary"

# One target's run and its line in the table; fails on a finding.
run_target() {
  local t=$1 status=0 start executions found
  local corpus=$build/fuzz-corpus/$t findings=$out/$t log=$out/$t.log
  mkdir -p "$corpus" "$findings"
  local common=("$corpus" tests/fuzz/corpus/"$t" -artifact_prefix="$findings/" -timeout=10 -rss_limit_mb=2048
                -print_final_stats=1)
  start=$(date +%s)
  if [ "$mode" = smoke ]; then
    "$bin/fuzz_$t" "${common[@]}" -max_total_time=30 >"$log" 2>&1 || status=1
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  else
    # Fork mode: a finding ends only the job that met it, and the count goes on.
    local limit=(-runs="${runs:-10000000}")
    if [ -n "$seconds" ]; then limit=(-max_total_time=$((seconds / ${#targets[@]}))); fi
    "$bin/fuzz_$t" "${common[@]}" "${limit[@]}" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
      >"$log" 2>&1 || status=1
    executions=$(sed -n 's/^#\([0-9]*\): cov.*/\1/p' "$log" | tail -1)
  fi
  found=$(find "$findings" -type f | wc -l)
  [ "$found" -eq 0 ] || status=1
  printf '%-8s %12s %8s %8s\n' "$t" "${executions:-?}" $(($(date +%s) - start)) "$found" | tee -a "$summary"
  return $status
}

# The smoke run gives each target its own core: the same seconds of fuzzing each, in less time.
parallel=1
[ "$mode" = long ] || parallel=$(nproc 2>/dev/null || echo 1)
status=0 running=()
for t in "${targets[@]}"; do
  run_target "$t" &
  running+=($!)
  if [ ${#running[@]} -ge "$parallel" ]; then
    wait "${running[0]}" || status=1
    running=("${running[@]:1}")
  fi
done
for pid in "${running[@]}"; do wait "$pid" || status=1; done
exit $status
