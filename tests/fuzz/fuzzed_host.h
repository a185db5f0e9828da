// A host whose every answer comes from the fuzz input: parameter counts, numbers, texts,
// field information, list cells, name references, line counts, the bitmaps it hands over,
// whether it accepts a store, whether it has a request record. It stays memory-safe itself:
// it never writes more than the maximum length the library states, and it keeps a few
// sizes small (canvas sides, font sizes, line counts) so that one run stays cheap.
//
// Compiled once per text width, with FIGPLOT_WIDE set as for the library it drives.
#pragma once

#include <figplot/host_api.h>
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "byte_source.h"

namespace figfuzz {

#if FIGPLOT_WIDE
using HostUnit = char32_t;
#else
using HostUnit = uint8_t;
#endif

// Caps on what the host answers, so that one run costs little.
constexpr int kSideCap = 64;       // canvas sides asked for by ComposeFile/ComposePict/SetPictBounds
constexpr int kFontSizeCap = 96;   // DrawText sizes, in parameters and in text lines of a list
constexpr int kLineCountCap = 32;  // "#LN"
// Wide outlines cost what the visible rows cost for pens up to 65535 pixels (the widths a
// host's 16-bit lineSize gives); a wider pen along a curve still strokes every point of its
// path, so pens stay within that range (DrawRect, DrawOval, DrawLine, list codes 1, 2, 4).
constexpr int kPenWidthCap = 65535;

class FuzzedHost {
public:
    // `scratchDir`: where the paths it hands to ComposeFile point (nothing outside it).
    FuzzedHost(ByteSource &in, HWND window, const std::string &scratchDir);
    ~FuzzedHost();

    int32_t Send(int32_t message);  // through the entry point, this host serving the callbacks
    bool open() const { return slot_ != nullptr; }
    int32_t Serve(int32_t code, va_list args);

private:
    double Number();
    double ParamNumber(int id);
    int32_t Reference();
    void WriteText(void *buffer, int32_t maxLength, bool path);
    void WriteUnits(void *buffer, const std::vector<HostUnit> &units) const;
    std::vector<HostUnit> ReadCounted(const void *counted) const;
    int32_t LookupName(const void *counted);
    int32_t GetValue(int id, int type, int32_t maxLength, void *buffer);
    int32_t SetValue(int id, int type, const void *value);
    int32_t ListNumber(int32_t line, int column, double *out);
    void ListCell(void *buffer, const int32_t *lineAndMax);
    void FieldInfo(uint8_t *block);
    void ColumnNames(int maxLength, void *buffer);
    HBITMAP Bitmap();

    ByteSource &in_;
    HWND window_;
    std::string scratchDir_;
    void *slot_ = nullptr;
    int function_ = 0;
    std::vector<int16_t> boundColumns_;  // nonzero answers to column lookups, in order
    int16_t lineCode_ = -1;              // the last command code a list line gave
    std::unique_ptr<uint8_t[]> record_;  // exactly the build's record size, or none
};

// One fuzz input as a host session: optionally open, a few messages chosen by the input,
// close. Aborts when platform objects outlive the session.
void RunHostSession(const uint8_t *data, size_t size);

}  // namespace figfuzz
