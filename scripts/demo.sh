#!/usr/bin/env bash
# The first thing to run: installs what building and running need (no test packages),
# builds the externals, the platform library and figplot only, and renders the examples
# into docs/pictures (the gallery's pictures).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh host
build/host/figplot info
FIGPLOT=build/host/figplot bash scripts/render-gallery.sh docs/pictures
echo
echo "Pictures written to docs/pictures/ (docs/gallery.md shows them)."
