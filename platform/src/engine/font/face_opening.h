// Opening and closing realised faces, below the cache that Realize and Release keep.
#pragma once

#include <windows.h>

namespace figplat::font {

struct Face;

// A new face for the LOGFONT (fontconfig's choice, FreeType's face at its size); null when
// none can be had.
Face *OpenUncached(const LOGFONTW &logfont);
void CloseUncached(Face *face);

}  // namespace figplat::font
