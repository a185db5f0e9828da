#!/usr/bin/env bash
# Installs everything figPlot needs to build and test on Debian (bookworm or later).
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang
  # the libFuzzer targets (scripts/build.sh fuzz)
  libclang-rt-14-dev
  libgtest-dev libgmock-dev
  libfreetype-dev libfontconfig-dev libpng-dev
  fontconfig fonts-liberation fonts-wine fonts-dejavu-core fonts-dejavu-extra
  # an independent reader of the bitmap files the library writes
  imagemagick
  # the reference GDI: Windows programs cross-built with mingw-w64, run under wine64
  wine64 g++-mingw-w64-x86-64 mingw-w64
  # the Windows externals: 32-bit DLLs too, and GoogleTest's sources for the Windows run
  g++-mingw-w64-i686 googletest
  # profiling the raster engine (docs/performance.md)
  valgrind linux-perf
)

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
