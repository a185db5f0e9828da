// The one FreeType library the font module uses, and the lock that serialises every call
// into it: FreeType objects are not thread-safe, and fonts may be realised and drawn
// from any thread the host calls us on.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <mutex>

namespace figplat::font {

// Null when FreeType cannot start; every caller must then fail cleanly.
FT_Library FreeTypeLibrary();
std::mutex &FreeTypeLock();

}  // namespace figplat::font
