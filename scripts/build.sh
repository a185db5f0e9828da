#!/usr/bin/env bash
# Configures and builds one flavour: plain (build/: everything), host (build/: the externals,
# the platform library and figplot only; tests, benchmarks and Wine off), sanitize
# (build-asan/, clang with ASan + UBSan: every test, and the libFuzzer targets of tests/fuzz
# beside them, so that one sanitized build serves both) or fuzz (build-fuzz/, clang: the
# libFuzzer targets alone).
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:-plain}
shift || true  # what follows goes to cmake as it stands (e.g. -DFIGPLOT_FUZZ_REPLAYS=OFF)
jobs=$(nproc 2>/dev/null || echo 2)
case "$flavour" in
  plain) dir=build; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DFIGPLOT_TESTS=ON -DFIGPLOT_BENCH=ON -DFIGPLOT_WINE_TESTS=ON) ;;
  host) dir=build; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DFIGPLOT_TESTS=OFF -DFIGPLOT_BENCH=OFF -DFIGPLOT_WINE_TESTS=OFF) ;;
  # Debug keeps the raster engine's span checks; -O1, as the sanitizers advise, makes the
  # tests and the fuzzing several times faster than -O0; a report needs file and line only,
  # which line tables give at half the compile time of full debug information.
  sanitize) dir=build-asan; flags=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
                                   "-DCMAKE_C_FLAGS_DEBUG=-gline-tables-only -O1" "-DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only -O1"
                                   -DFIGPLOT_SANITIZE=ON -DFIGPLOT_FUZZ=ON -DFIGPLOT_WINE_TESTS=OFF -DFIGPLOT_BENCH=OFF) ;;
  fuzz) dir=build-fuzz; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
                                -DFIGPLOT_FUZZ=ON -DFIGPLOT_TESTS=OFF -DFIGPLOT_BENCH=OFF -DFIGPLOT_WINE_TESTS=OFF) ;;
  *) echo "usage: $0 [plain|host|sanitize|fuzz] [cmake options...]" >&2; exit 2 ;;
esac
cmake -S . -B "$dir" "${flags[@]}" "$@"
if [ "$flavour" = fuzz ]; then
  cmake --build "$dir" -j"$jobs" --target fuzz_entry_u fuzz_entry_a fuzz_compose fuzz_readers
elif [ "$flavour" = host ]; then
  cmake --build "$dir" -j"$jobs" --target figplot figplot_man
else
  cmake --build "$dir" -j"$jobs"
fi
