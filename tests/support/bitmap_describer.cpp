// Hands the test build's PlatformDescribeBitmapAs to the simulator at start-up, so that a
// test host can describe delivered bitmaps at other depths (HostQuirks::describedPlanes).
#include <figplatform.h>

#include "figsim.h"

namespace {

const bool describerSet = (figsim::SetBitmapDescriber(PlatformDescribeBitmapAs), true);

}  // namespace
