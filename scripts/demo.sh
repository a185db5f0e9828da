#!/usr/bin/env bash
# Installs what is needed, builds figPlot and runs the command-line host on the examples,
# writing the gallery's pictures into docs/pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh plain
build/host/figplot info
FIGPLOT=build/host/figplot bash scripts/render-gallery.sh docs/pictures
echo
echo "Pictures written to docs/pictures/ (docs/gallery.md shows them)."
