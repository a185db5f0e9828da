#include "engine/font/face_opening.h"

#include "engine/font/face.h"
#include "engine/font/face_catalog.h"
#include "engine/font/freetype_context.h"
#include "engine/font/pixel_size.h"
#include "engine/font/smoothing.h"
#include "engine/font/text_metrics.h"

#include FT_TRUETYPE_TABLES_H
#include FT_WINFONTS_H

#include <cmath>
#include <cstdlib>
#include <mutex>
#include <new>

namespace figplat::font {

namespace {

OutlineFaceHeights HeightsOf(FT_Face ft) {
    OutlineFaceHeights heights{ft->units_per_EM, ft->ascender, -ft->descender, ft->ascender, ft->descender};
    if (auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2))) {
        heights.winAscent = os2->usWinAscent;
        heights.winDescent = std::abs(static_cast<short>(os2->usWinDescent));
    }
    if (auto *hhea = static_cast<const TT_HoriHeader *>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA))) {
        heights.hheaAscent = hhea->Ascender;
        heights.hheaDescent = hhea->Descender;
    }
    return heights;
}

bool SizeRasterFace(Face *face, const LOGFONTW &logfont) {
    FT_WinFNT_HeaderRec header{};
    if (FT_Get_WinFNT_Header(face->ft, &header) != 0 || face->ft->num_fixed_sizes < 1) return false;
    if (face->ft->num_charmaps > 0) FT_Set_Charmap(face->ft, face->ft->charmaps[0]);
    if (FT_Select_Size(face->ft, 0) != 0) return false;
    face->scale = BitmapScale(header.pixel_height, header.internal_leading, logfont.lfHeight);
    // System is bold by design: asking for bold must not smear it further.
    if (header.weight > FW_NORMAL) face->syntheticBold = false;
    ComputeRasterMetrics(face);
    return true;
}

// A non-zero lfWidth stretches the outlines so the average width becomes |lfWidth|; the
// fake italic slant (a quarter pixel per pixel of height) is applied after the stretch.
void SetOutlineTransform(Face *face, LONG lfWidth) {
    double ratio = 1.0;
    LONG naturalAverage = face->metrics.tmAveCharWidth - (face->syntheticBold ? 1 : 0);
    if (lfWidth != 0 && naturalAverage > 0) ratio = static_cast<double>(std::labs(lfWidth)) / naturalAverage;
    if (ratio != 1.0) {
        auto stretch = [ratio](LONG width) { return static_cast<LONG>(std::floor(width * ratio + 0.5)); };
        face->metrics.tmAveCharWidth = stretch(face->metrics.tmAveCharWidth);
        face->metrics.tmMaxCharWidth = stretch(face->metrics.tmMaxCharWidth);
        face->transform.xx = static_cast<FT_Fixed>(ratio * 0x10000);
    }
    if (face->syntheticItalic) face->transform.xy = 0x4000;
    face->transformed = ratio != 1.0 || face->syntheticItalic;
}

bool SizeOutlineFace(Face *face, const LOGFONTW &logfont) {
    if (!FT_IS_SCALABLE(face->ft) || face->ft->units_per_EM == 0) return false;
    FT_Select_Charmap(face->ft, FT_ENCODING_UNICODE);
    face->ppem = OutlinePixelsPerEm(HeightsOf(face->ft), logfont.lfHeight);
    if (FT_Set_Pixel_Sizes(face->ft, 0, static_cast<FT_UInt>(face->ppem)) != 0) return false;
    ComputeOutlineMetrics(face, logfont.lfCharSet);
    SetOutlineTransform(face, logfont.lfWidth);
    return true;
}

Face *OpenFace(const FaceChoice &choice, const LOGFONTW &logfont) {
    FT_Library library = FreeTypeLibrary();
    if (!library || choice.path.empty()) return nullptr;
    auto *face = new Face;
    face->raster = choice.raster;
    face->underline = logfont.lfUnderline != 0;
    face->strikeOut = logfont.lfStrikeOut != 0;
    bool opened = FT_New_Face(library, choice.path.c_str(), choice.index, &face->ft) == 0;
    if (opened) {
        // GDI fakes a style only when the file lacks it.
        face->syntheticBold = choice.bold && !(face->ft->style_flags & FT_STYLE_FLAG_BOLD);
        face->syntheticItalic = choice.italic && !(face->ft->style_flags & FT_STYLE_FLAG_ITALIC);
    }
    bool sized = opened && (face->raster ? SizeRasterFace(face, logfont) : SizeOutlineFace(face, logfont));
    if (sized) {
        face->quality = logfont.lfQuality;
        face->smoothable = FaceAllowsGrey(*face);
        return face;
    }
    if (face->ft) FT_Done_Face(face->ft);
    delete face;
    return nullptr;
}

}  // namespace

// Out of memory is the one exception that can escape the standard library here; it must
// not cross into the caller, which expects GDI's failure values.
Face *OpenUncached(const LOGFONTW &logfont) {
    try {
        FaceChoice choice = ChooseFace(logfont);
        std::lock_guard<std::mutex> guard(FreeTypeLock());
        return OpenFace(choice, logfont);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

void CloseUncached(Face *face) {
    if (!face) return;
    std::lock_guard<std::mutex> guard(FreeTypeLock());
    FT_Done_Face(face->ft);
    delete face;
}

}  // namespace figplat::font
