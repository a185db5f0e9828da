#!/usr/bin/env bash
# The .deb as a user gets it: made by CPack from the build, unpacked into a scratch root
# (dpkg -x), its dependencies declared, and a tiny host built against it through
# pkg-config and through find_package, run; then the unpacked figplot itself.
#   tests/package/deb_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >cpack.log) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/deb/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libfreetype6 libfontconfig1 libpng16-16 fonts-liberation; do
  [[ $depends == *"$needed"* ]] || { echo "Depends lacks $needed: $depends"; exit 1; }
done
root=$work/root
dpkg -x "$deb" "$root"
for file in usr/bin/figplot usr/include/figplot/host_api.h usr/share/man/man1/figplot.1 \
            usr/share/bash-completion/completions/figplot; do
  [ -f "$root/$file" ] || { echo "missing $file"; exit 1; }
done

# Through pkg-config: the .pc lies in the unpacked tree and names paths relative to itself.
pc=$(dirname "$(find "$root" -name figplot.pc)")
externals=$(PKG_CONFIG_PATH=$pc pkg-config --variable=externaldir figplot)
c++ -std=c++17 -o "$work/by_pkgconfig" "$here/tiny_host.cpp" $(PKG_CONFIG_PATH=$pc pkg-config --cflags --libs figplot) \
    -DFIGPLOT_EXTERNAL_DIR="\"$externals\""
"$work/by_pkgconfig"

# Through find_package.
mkdir "$work/src"
cp "$here/tiny_host.cpp" "$work/src/"
cp "$here/CMakeLists.txt.in" "$work/src/CMakeLists.txt"
cmake -S "$work/src" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$root/usr" >/dev/null
cmake --build "$work/cmake" >/dev/null
"$work/cmake/tiny_host"

# The unpacked figplot finds the unpacked externals.
"$root/usr/bin/figplot" info | grep -q "^external  $root/usr/lib/.*figplot/figPlotU.so$"
echo "package: $(basename "$deb") unpacked, built against and run"
