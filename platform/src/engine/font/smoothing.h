// The system's font smoothing setting (SystemParametersInfo's SPI_GETFONTSMOOTHING and
// SPI_SETFONTSMOOTHING) and which fonts it smooths. Off unless the host starts the process
// with FIGPLOT_FONT_SMOOTHING=1 (read once, at first use), or turns it on through the call.
#pragma once

#include <windows.h>

namespace figplat::font {

bool FontSmoothingOn();
void SetFontSmoothing(bool on);

// Whether a font of this quality is smoothed under the current setting, before the face and
// the surface have their say: NONANTIALIASED_QUALITY never, ANTIALIASED_QUALITY always, every
// other quality (DEFAULT, DRAFT, PROOF, the ClearType ones) as the setting says.
bool QualityAsksForSmoothing(BYTE quality);

struct Face;
// Whether the face may be drawn grey at its size: outline faces only; one with a faked bold or
// italic always; otherwise unless its gasp table marks the size as not grey (the first range
// whose maximum ppem reaches the face's, else the last range). A missing or malformed table
// leaves grey allowed.
bool FaceAllowsGrey(const Face &face);

}  // namespace figplat::font
