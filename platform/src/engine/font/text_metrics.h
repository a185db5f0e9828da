// GetTextMetrics' numbers for a realised face, computed as GDI computes them: outline faces
// from the OS/2, hhea and post tables scaled by the em, raster faces from the .fon header
// scaled by their whole-pixel magnification.
#pragma once

#include "engine/font/face.h"

namespace figplat::font {

// Fills face->metrics, face->underlineBand and face->strikeOutBand. Needs face->ft set to
// its size and the style fields of face filled in. `charSet` is the LOGFONT's: GDI reports
// it back only when the face covers it.
void ComputeOutlineMetrics(Face *face, BYTE charSet);
void ComputeRasterMetrics(Face *face);

// The em scale GDI uses for every outline metric: ppem / unitsPerEm in 16.16.
long EmScale(long ppem, long unitsPerEm);

}  // namespace figplat::font
