#!/usr/bin/env bash
# Makes the release layout: dist/figplot-<version>/ (and a .tar.gz of it) with the four
# Windows DLLs, the Linux externals with the platform library they load, the public header
# and a note on installing an external. Builds what is missing in build-dist/ (release
# builds of the externals only); run it again after changes, it rebuilds incrementally.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(figPlot VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
jobs=${JOBS:-2}
out=dist/figplot-$version

build() {  # <folder> <cmake options...>: configure once, then build the two externals
  local dir=$1
  shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DFIGPLOT_TESTS=OFF \
    -DFIGPLOT_BENCH=OFF "$@" > "$dir.log"
  cmake --build "$dir" --target figPlotU figPlot -j"$jobs" >> "$dir.log"
}

mkdir -p build-dist
# Linux: the externals look for libfigplatform.so beside themselves.
build build-dist/linux -DFIGPLOT_WINE_TESTS=OFF -DCMAKE_BUILD_WITH_INSTALL_RPATH=ON '-DFIGPLOT_EXTERNAL_RPATH=$ORIGIN'
build build-dist/i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
build build-dist/x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

rm -rf "$out"
mkdir -p "$out/windows/x86" "$out/windows/x64" "$out/linux/x86_64" "$out/include/figplot"
for name in figPlotU figPlot; do
  i686-w64-mingw32-strip -o "$out/windows/x86/$name.dll" "build-dist/i686/src/$name.dll"
  x86_64-w64-mingw32-strip -o "$out/windows/x64/$name.dll" "build-dist/x86_64/src/$name.dll"
  strip --strip-unneeded -o "$out/linux/x86_64/$name.so" "build-dist/linux/src/$name.so"
done
strip --strip-unneeded -o "$out/linux/x86_64/libfigplatform.so" build-dist/linux/platform/libfigplatform.so
# INSTALL.md tells a host's user to put the external and the platform library side by side.
for name in figPlotU figPlot; do
  readelf -d "$out/linux/x86_64/$name.so" | grep -q 'RUNPATH.*\[\$ORIGIN\]' || {
    echo "dist: $name.so does not look for libfigplatform.so beside itself:" >&2
    readelf -d "$out/linux/x86_64/$name.so" | grep -E 'RPATH|RUNPATH' >&2
    exit 1
  }
done
cp include/figplot/host_api.h "$out/include/figplot/"
cp docs/install-external.md "$out/INSTALL.md"
(cd "$out" && find . -type f ! -name SHA256SUMS | sort | xargs sha256sum > SHA256SUMS)
tar -C dist -czf "dist/figplot-$version.tar.gz" "figplot-$version"
echo "release layout: $out (and dist/figplot-$version.tar.gz)"
find "$out" -type f | sort
