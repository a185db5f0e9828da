#!/usr/bin/env bash
# The Windows zip as CPack makes it: exactly the four DLLs (PE files of the right machine),
# the public header and the host author's documents, under one top folder.
#   tests/package/windows_zip_test.sh CPACK_CONFIG VERSION
set -euo pipefail
config=$(realpath "$1")
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && cpack --config "$config" -B "$work/out" >cpack.log 2>&1) || { cat "$work/cpack.log"; exit 1; }
zip=$work/out/figplot-$version-windows.zip
[ -f "$zip" ] || { echo "no $zip"; ls "$work/out"; exit 1; }
top=figplot-$version-windows
expected="$top/INSTALL.md
$top/docs/host-protocol.md
$top/docs/user-guide.md
$top/docs/windows.md
$top/include/figplot/host_api.h
$top/windows/x64/figPlot.dll
$top/windows/x64/figPlotU.dll
$top/windows/x86/figPlot.dll
$top/windows/x86/figPlotU.dll"
listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
if [ "$listed" != "$expected" ]; then
  echo "the zip holds:"; echo "$listed"; echo "expected:"; echo "$expected"; exit 1
fi
# Each DLL is a PE image for its folder's machine: 0x14c (i386) in x86, 0x8664 in x64.
unzip -q "$zip" -d "$work/unpacked"
for pair in x86:4c01 x64:6486; do
  for name in figPlot figPlotU; do
    dll=$work/unpacked/$top/windows/${pair%%:*}/$name.dll
    pe=$(od -An -tu4 -j60 -N4 "$dll" | tr -d ' ')
    machine=$(od -An -tx1 -j$((pe + 4)) -N2 "$dll" | tr -d ' ')
    [ "$machine" = "${pair##*:}" ] || { echo "$dll: machine $machine, expected ${pair##*:}"; exit 1; }
  done
done
echo "windows zip: $(echo "$listed" | wc -l) files, as expected"
