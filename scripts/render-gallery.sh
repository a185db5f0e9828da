#!/usr/bin/env bash
# Renders every example into OUT (default docs/pictures): the gallery's pictures and the
# user guide's. The pictures in docs/ are made only this way; a test renders them again
# and compares (tests/cli).
#   scripts/render-gallery.sh [OUT]      (FIGPLOT names the program; default build/host/figplot)
set -euo pipefail
cd "$(dirname "$0")/.."
figplot=${FIGPLOT:-build/host/figplot}
out=${1:-docs/pictures}
mkdir -p "$out/gallery" "$out/guide"

"$figplot" compose examples/charts/*.csv -o "$out/gallery/" --width 480 --height 320 --depth 24
"$figplot" --smooth compose examples/charts/bar_chart.csv -o "$out/gallery/bar_chart_smooth.png" \
  --width 480 --height 320 --depth 24
"$figplot" run examples/annotate/annotate.fig -o "$out/gallery"
"$figplot" run examples/depths/depths.fig -o "$out/gallery"
"$figplot" compose examples/guide/code*.csv -o "$out/guide/" --width 240 --height 130 --depth 24
"$figplot" compose examples/guide/palette.csv -o "$out/guide/palette.png" --width 520 --height 330 --depth 24
