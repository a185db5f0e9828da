// HostText: the text the host exchanges with us. 32-bit code units (UTF-32) in figPlotU,
// 8-bit characters in figPlot; chosen at compile time by FIGPLOT_WIDE.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#ifndef FIGPLOT_WIDE
#error "FIGPLOT_WIDE must be 1 (figPlotU) or 0 (figPlot)"
#endif

namespace fig {

#if FIGPLOT_WIDE
using HostChar = char32_t;
#else
using HostChar = char;
#endif

// Every text fetched from the host lands in a buffer of this many units.
constexpr int kTextBufferUnits = 256;
constexpr int kTextMaxLength = 255;
// CountedText: unit 0 holds the count, the text follows; at most 254 units are counted.
constexpr int kCountedTextMax = 254;
using CountedText = HostChar[kTextBufferUnits];

void MakeCountedText(const HostChar *text, CountedText &out);
void HostTextCopy(HostChar *to, const HostChar *from);
size_t HostTextLength(const HostChar *text);
void HostTextAppend(HostChar *to, const HostChar *from);
void AsciiToHostText(const char *ascii, HostChar *to, bool terminate);
void AsciiToUtf16(const char *ascii, WCHAR *to, bool terminate);

// For the wide Windows calls; return the units written before the terminator.
// `to` needs room for two units per character plus the terminator.
int Utf32ToUtf16(const char32_t *text, WCHAR *to);
int Utf16ToUtf32(const WCHAR *text, char32_t *to);

}  // namespace fig
