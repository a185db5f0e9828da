#!/usr/bin/env bash
# Configures and builds one flavour: plain (build/) or sanitize (build-asan/, ASan + UBSan).
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:-plain}
jobs=$(nproc 2>/dev/null || echo 2)
case "$flavour" in
  plain) dir=build; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  sanitize) dir=build-asan; flags=(-DCMAKE_BUILD_TYPE=Debug -DFIGPLOT_SANITIZE=ON -DFIGPLOT_WINE_TESTS=OFF -DFIGPLOT_BENCH=OFF) ;;
  *) echo "usage: $0 [plain|sanitize]" >&2; exit 2 ;;
esac
cmake -S . -B "$dir" "${flags[@]}"
cmake --build "$dir" -j"$jobs"
