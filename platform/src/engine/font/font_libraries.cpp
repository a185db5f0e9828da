// FreeType and fontconfig, loaded at the first text call rather than with the platform.
//
// Loading both libraries (and expat, brotli and zlib behind them) costs a process about 3 ms
// at start-up, more than the rest of a host's start together, and many runs draw no text.
// Each function the platform calls is defined here under its own name and forwards to the
// library opened on first use; the library's headers still declare every type and prototype.
// Where a library cannot be opened, each call answers as that library answers a failure
// (an error code, a null pattern, no match), so the platform draws no text rather than stop.
#include <dlfcn.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include FT_WINFONTS_H
#include <fontconfig/fontconfig.h>

namespace {

enum class FontLibrary { FreeType, FontConfig };

void *Open(FontLibrary which) {
    // Never closed: faces and patterns from either library live as long as the process.
    static void *const freetype = dlopen("libfreetype.so.6", RTLD_NOW | RTLD_LOCAL);
    static void *const fontconfig = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
    return which == FontLibrary::FreeType ? freetype : fontconfig;
}

void *Symbol(FontLibrary which, const char *name) {
    void *library = Open(which);
    return library ? dlsym(library, name) : nullptr;
}

}  // namespace

// Each forwarder resolves its function once; a static's initialisation is thread-safe.
#define FIG_FORWARD(library, result, name, failure, params, args)                                  \
    result name params {                                                                          \
        static const auto real = reinterpret_cast<decltype(&name)>(Symbol(FontLibrary::library, #name)); \
        return real ? real args : failure;                                                        \
    }
#define FIG_FORWARD_VOID(library, name, params, args)                                               \
    void name params {                                                                            \
        static const auto real = reinterpret_cast<decltype(&name)>(Symbol(FontLibrary::library, #name)); \
        if (real) real args;                                                                      \
    }

// FreeType's "cannot open resource" stands for a library that is not there.
#define FIG_FT(result, name, params, args) FIG_FORWARD(FreeType, result, name, FT_Err_Cannot_Open_Resource, params, args)

FIG_FT(FT_Error, FT_Init_FreeType, (FT_Library * library), (library))
FIG_FT(FT_Error, FT_New_Face, (FT_Library library, const char *path, FT_Long index, FT_Face *face),
       (library, path, index, face))
FIG_FT(FT_Error, FT_Done_Face, (FT_Face face), (face))
FIG_FT(FT_Error, FT_Set_Pixel_Sizes, (FT_Face face, FT_UInt width, FT_UInt height), (face, width, height))
FIG_FT(FT_Error, FT_Select_Size, (FT_Face face, FT_Int strike), (face, strike))
FIG_FT(FT_Error, FT_Set_Charmap, (FT_Face face, FT_CharMap charmap), (face, charmap))
FIG_FT(FT_Error, FT_Select_Charmap, (FT_Face face, FT_Encoding encoding), (face, encoding))
FIG_FT(FT_Error, FT_Load_Glyph, (FT_Face face, FT_UInt glyph, FT_Int32 flags), (face, glyph, flags))
FIG_FT(FT_Error, FT_Load_Sfnt_Table, (FT_Face face, FT_ULong tag, FT_Long offset, FT_Byte *buffer, FT_ULong *length),
       (face, tag, offset, buffer, length))
FIG_FT(FT_Error, FT_Get_WinFNT_Header, (FT_Face face, FT_WinFNT_HeaderRec *header), (face, header))
FIG_FT(FT_Error, FT_Outline_Get_Bitmap, (FT_Library library, FT_Outline *outline, const FT_Bitmap *bitmap),
       (library, outline, bitmap))
FIG_FT(FT_Error, FT_Outline_Embolden, (FT_Outline * outline, FT_Pos strength), (outline, strength))
FIG_FORWARD(FreeType, FT_UInt, FT_Get_Char_Index, 0, (FT_Face face, FT_ULong code), (face, code))
FIG_FORWARD(FreeType, void *, FT_Get_Sfnt_Table, nullptr, (FT_Face face, FT_Sfnt_Tag tag), (face, tag))
FIG_FORWARD(FreeType, FT_Long, FT_MulDiv, 0, (FT_Long a, FT_Long b, FT_Long c), (a, b, c))
FIG_FORWARD_VOID(FreeType, FT_Vector_Transform, (FT_Vector * vector, const FT_Matrix *matrix), (vector, matrix))
FIG_FORWARD_VOID(FreeType, FT_Outline_Translate, (const FT_Outline *outline, FT_Pos x, FT_Pos y), (outline, x, y))
FIG_FORWARD_VOID(FreeType, FT_Outline_Transform, (const FT_Outline *outline, const FT_Matrix *matrix),
                 (outline, matrix))
FIG_FORWARD_VOID(FreeType, FT_Outline_Get_CBox, (const FT_Outline *outline, FT_BBox *box), (outline, box))

FIG_FORWARD(FontConfig, FcConfig *, FcInitLoadConfigAndFonts, nullptr, (void), ())
FIG_FORWARD_VOID(FontConfig, FcConfigDestroy, (FcConfig * config), (config))
FIG_FORWARD(FontConfig, FcPattern *, FcPatternCreate, nullptr, (void), ())
FIG_FORWARD_VOID(FontConfig, FcPatternDestroy, (FcPattern * pattern), (pattern))
FIG_FORWARD(FontConfig, FcBool, FcPatternAddString, FcFalse, (FcPattern * pattern, const char *object, const FcChar8 *s),
            (pattern, object, s))
FIG_FORWARD(FontConfig, FcBool, FcPatternAddInteger, FcFalse, (FcPattern * pattern, const char *object, int i),
            (pattern, object, i))
FIG_FORWARD(FontConfig, FcBool, FcPatternAddBool, FcFalse, (FcPattern * pattern, const char *object, FcBool b),
            (pattern, object, b))
FIG_FORWARD(FontConfig, FcResult, FcPatternGetString, FcResultNoMatch,
            (const FcPattern *pattern, const char *object, int n, FcChar8 **s), (pattern, object, n, s))
FIG_FORWARD(FontConfig, FcResult, FcPatternGetInteger, FcResultNoMatch,
            (const FcPattern *pattern, const char *object, int n, int *i), (pattern, object, n, i))
FIG_FORWARD(FontConfig, FcBool, FcConfigSubstitute, FcFalse, (FcConfig * config, FcPattern *pattern, FcMatchKind kind),
            (config, pattern, kind))
FIG_FORWARD_VOID(FontConfig, FcDefaultSubstitute, (FcPattern * pattern), (pattern))
FIG_FORWARD(FontConfig, FcPattern *, FcFontMatch, nullptr, (FcConfig * config, FcPattern *pattern, FcResult *result),
            (config, pattern, result))
