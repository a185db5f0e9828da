#!/usr/bin/env bash
# Installs what is needed, builds figPlot twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test in both; then builds the fuzz targets
# (clang, libFuzzer) and runs each for about 50 s.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
bash scripts/install-deps.sh --dev

bash scripts/build.sh plain
(cd build && ctest --output-on-failure -j"$jobs")
# The platform's pixels against Wine's GDI, class by class and depth by depth.
# The Windows externals: the function-level tests' count under wine64 beside Linux's, and
# the scenarios of both builds compared byte for byte.
for summary in build/tests/wine/report/summary.md build/tests/windows/run/summary.md \
               build/tests/windows/scenarios/report/summary.md; do
  if [ -f "$summary" ]; then cat "$summary"; fi
done
# The benchmarks once, natively and under Wine (in the comparison's prefix): that they run.
FIGPLOT_BENCH_WINEPREFIX=build/tests/wine/wine-prefix bash scripts/bench.sh --quick build

bash scripts/build.sh sanitize
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j"$jobs")

# The fuzz targets: a short run of each, with the executions it made.
bash scripts/build.sh fuzz
bash scripts/fuzz.sh smoke
