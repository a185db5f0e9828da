#!/bin/sh
# The platform's layers: the engine (surfaces, formats, geometry, fonts) never includes the
# API layer, the API layer reaches the engine through engine/raster.h alone, and no source
# modules (a file's path without its extension: a header with its .cpp) include one another
# round a circle. Usage: layers.sh <platform/src>
set -eu
cd "$1"
status=0
if grep -rn '#include "api/' engine; then
    echo "layers: the engine includes the API layer" >&2
    status=1
fi
if grep -rn '#include "engine/' api | grep -v '"engine/raster.h"'; then
    echo "layers: the API layer reaches past engine/raster.h" >&2
    status=1
fi
# One edge per include from one module to another; tsort names a loop when the modules
# cannot be put in order.
edges=$(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort | while read -r file; do
    sed -n 's/^#include "\(.*\)\.h".*/\1/p' "$file" | while read -r to; do
        case $to in */*) ;; *) to=$(dirname "$file")/$to ;; esac
        [ "$to" = "${file%.*}" ] || echo "${file%.*} $to"
    done
done)
if ! loops=$(echo "$edges" | tsort 2>&1 >/dev/null) || [ -n "$loops" ]; then
    echo "$loops" >&2
    status=1
fi
exit $status
