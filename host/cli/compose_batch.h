// A batch of compose jobs on several threads of one process: each thread opens its own
// instance of the external (an instance serves one call at a time, as a host makes them),
// and takes the next job when it is done with one. One progress line counts them all.
#pragma once

#include <vector>

#include "composer.h"

namespace figcli {

// The number of jobs that failed (each reported on stderr as it fails).
size_t RunBatch(figsim::External &external, const CanvasSize &canvas, const std::vector<ComposeJob> &jobs,
                unsigned workers);

}  // namespace figcli
