// Which font file a LOGFONT gets. GDI's own names are mapped to the look-alikes this
// machine has (Liberation for Arial, Times New Roman and Courier New; Wine's raster
// look-alikes for System and Courier); any other family fontconfig knows is used as is;
// a name nobody knows falls back by pitch and family, as GDI's font mapper does.
#pragma once


#include <windows.h>

#include <string>

namespace figplat::font {

struct FaceChoice {
    std::string path;      // empty when no font at all could be found
    int index = 0;         // face index inside the file
    bool raster = false;   // a Windows .fon bitmap font
    // The styles asked for; whether the file has them is only known once it is opened.
    bool bold = false;
    bool italic = false;
};

// lfWeight above this takes the bold face (GDI's semibold and heavier).
inline constexpr LONG kBoldWeightThreshold = 550;

FaceChoice ChooseFace(const LOGFONTW &logfont);

// The family the GDI name stands for here (case-insensitive), or the name itself.
std::string LookAlikeFamily(const std::string &gdiName);
// The family used for an unknown name, from lfPitchAndFamily alone.
std::string FallbackFamily(BYTE pitchAndFamily);

}  // namespace figplat::font
