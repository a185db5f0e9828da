#!/usr/bin/env bash
# Installs what is needed, builds figPlot and runs the command-line host on an example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh plain
./build/host/figplot-host describe
