// The entry point driven by a host whose every answer comes from the input (one target
// per build: FIGPLOT_WIDE chooses figPlotU or figPlot).
#include "fuzzed_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    figfuzz::RunHostSession(data, size);
    return 0;
}
