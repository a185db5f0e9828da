#!/usr/bin/env bash
# Installs the Debian packages figPlot needs (bookworm or later).
#   scripts/install-deps.sh         building the externals and figplot, and running them
#   scripts/install-deps.sh --dev   also the tests, the Wine comparison, the Windows
#                                   cross-builds, fuzzing and profiling (scripts/test.sh)
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libfreetype-dev libfontconfig-dev libpng-dev
  # the faces the examples and the guide draw with: Arial and Times as Liberation, System
  # and Courier as Wine's raster fonts
  fontconfig fonts-liberation fonts-wine fonts-dejavu-core fonts-dejavu-extra
)
dev_packages=(
  clang
  # the libFuzzer targets (scripts/build.sh fuzz)
  libclang-rt-14-dev
  libgtest-dev libgmock-dev
  # an independent reader of the bitmap files the library writes
  imagemagick
  # the reference GDI: Windows programs cross-built with mingw-w64, run under wine64
  wine64 g++-mingw-w64-x86-64 mingw-w64
  # the Windows externals: 32-bit DLLs too, and GoogleTest's sources for the Windows run
  g++-mingw-w64-i686 googletest
  # profiling the raster engine (docs/performance.md)
  valgrind linux-perf
  # the user guide's recipe for batches over many machines
  parallel
)

case "${1:-}" in
  --dev) packages+=("${dev_packages[@]}") ;;
  "") ;;
  *) echo "usage: $0 [--dev]" >&2; exit 2 ;;
esac

run() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  run apt-get update
  run env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
