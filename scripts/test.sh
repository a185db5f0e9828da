#!/usr/bin/env bash
# Installs what is needed, builds figPlot twice (plain, and with clang's AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test in both; the sanitized build also holds the
# libFuzzer targets, each of which then runs for about 30 s.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

# Each phase's wall time and CPU time (user + sys of everything it ran), printed at the end
# even when a phase fails: on a shared machine the CPU time is the figure that compares.
phases=()
cpu_file=$(mktemp)
children_cpu() {  # the CPU seconds used so far by this shell's finished children
  awk 'NR == 2 { t = 0; for (i = 1; i <= 2; i++) { split($i, p, /[ms]/); t += p[1] * 60 + p[2] } print t }' "$cpu_file"
}
phase() {  # phase NAME COMMAND...: runs COMMAND and records its times under NAME
  local name=$1 start=$SECONDS before status=0
  shift
  times >"$cpu_file"  # in this shell: a subshell's times would not count the phases
  before=$(children_cpu)
  "$@" || status=$?
  times >"$cpu_file"
  phases+=("$(awk -v n="$name" -v w=$((SECONDS - start)) -v a="$before" -v b="$(children_cpu)" -v s=$status \
              'BEGIN { printf "%-16s %6d %8.0f%s", n, w, b - a, s ? "  failed" : "" }')")
  return $status
}
report() {
  printf '\n%-16s %6s %8s\n' phase wall_s cpu_s
  printf '%s\n' "${phases[@]}" | awk '{ print; cpu += $3 } END { printf "%-16s %6s %8.0f (/2: %.0f s on two cores)\n", "all phases", "", cpu, cpu / 2 }'
  printf 'CI took %d s\n' "$SECONDS"
  rm -f "$cpu_file"
}
trap report EXIT

phase deps bash scripts/install-deps.sh --dev

# The fuzz replays build and run in the sanitized build below, under ASan and UBSan: compiling
# the library twice more here would test nothing new. Line tables (-g1) give a failure's file
# and line; full debug information, for a person at a debugger, doubles a test's compile time.
phase build-plain bash scripts/build.sh plain -DFIGPLOT_FUZZ_REPLAYS=OFF "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
  "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
phase ctest-plain ctest --test-dir build --output-on-failure -j"$jobs"
# The platform's pixels against Wine's GDI, class by class and depth by depth.
# The Windows externals: the function-level tests' count under wine64 beside Linux's, and
# the scenarios of both builds compared byte for byte.
for summary in build/tests/wine/report/summary.md build/tests/windows/run/summary.md \
               build/tests/windows/scenarios/report/summary.md; do
  if [ -f "$summary" ]; then cat "$summary"; fi
done
# The benchmarks once, natively and under Wine (in the comparison's prefix): that they run.
phase bench env FIGPLOT_BENCH_WINEPREFIX=build/tests/wine/wine-prefix bash scripts/bench.sh --quick build

phase build-asan bash scripts/build.sh sanitize
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
phase ctest-asan ctest --test-dir build-asan --output-on-failure -j"$jobs"

# The fuzz targets, built beside the sanitized tests: a short run of each, with the executions
# it made.
phase fuzz-smoke bash scripts/fuzz.sh smoke --build build-asan
