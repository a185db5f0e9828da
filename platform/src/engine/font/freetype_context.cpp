#include "engine/font/freetype_context.h"

namespace figplat::font {

namespace {

// Never freed: fonts still selected into DCs are released by other statics' destructors at
// exit, in no order we control, and FT_Done_FreeType would free their faces under them.
FT_Library StartFreeType() {
    FT_Library library = nullptr;
    return FT_Init_FreeType(&library) == 0 ? library : nullptr;
}

}  // namespace

std::mutex &FreeTypeLock() {
    static std::mutex lock;
    return lock;
}

FT_Library FreeTypeLibrary() {
    static FT_Library library = StartFreeType();
    return library;
}

}  // namespace figplat::font
