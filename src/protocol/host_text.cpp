#include "host_text.h"

namespace fig {

void MakeCountedText(const HostChar *text, CountedText &out) {
    // Copy until a terminator has been copied or 255 units are in; a text that fills the
    // 255 units is counted as 254, one short of the buffer.
    int copied = 0;
    int count = kCountedTextMax;
    while (copied < kTextMaxLength) {
        HostChar unit = text ? text[copied] : HostChar(0);
        out[1 + copied] = unit;
        ++copied;
        if (unit == 0) {
            count = copied - 1;
            break;
        }
    }
    out[0] = static_cast<HostChar>(count);
}

void HostTextCopy(HostChar *to, const HostChar *from) {
    size_t i = 0;
    do to[i] = from[i];
    while (from[i++] != 0);
}

size_t HostTextLength(const HostChar *text) {
    size_t n = 0;
    if (text)
        while (text[n]) ++n;
    return n;
}

void HostTextAppend(HostChar *to, const HostChar *from) {
    if (!to || !from) return;
    HostTextCopy(to + HostTextLength(to), from);
}

void AsciiToHostText(const char *ascii, HostChar *to, bool terminate) {
    size_t i = 0;
    for (; ascii[i]; ++i) to[i] = static_cast<HostChar>(static_cast<unsigned char>(ascii[i]));
    if (terminate) to[i] = 0;
}

void AsciiToUtf16(const char *ascii, WCHAR *to, bool terminate) {
    size_t i = 0;
    for (; ascii[i]; ++i) to[i] = static_cast<WCHAR>(static_cast<unsigned char>(ascii[i]));
    if (terminate) to[i] = 0;
}

int Utf32ToUtf16(const char32_t *text, WCHAR *to) {
    int n = 0;
    for (; *text; ++text) {
        char32_t unit = *text;
        if (unit < 0x10000) {
            to[n++] = static_cast<WCHAR>(unit);
        } else if (unit <= 0x10FFFF) {
            to[n++] = static_cast<WCHAR>(0xD800 + ((unit - 0x10000) >> 10));
            to[n++] = static_cast<WCHAR>(0xDC00 + (unit & 0x3FF));
        } else {
            to[n++] = 0x0001;  // no UTF-16 form: a visible placeholder unit
        }
    }
    to[n] = 0;
    return n;
}

int Utf16ToUtf32(const WCHAR *text, char32_t *to) {
    int n = 0;
    for (size_t i = 0; text[i]; ++i) {
        char32_t first = text[i];
        if (first < 0xD800 || first > 0xDFFF) {
            to[n++] = first;
            continue;
        }
        char32_t second = text[i + 1];
        if (second == 0) {  // a surrogate cut off by the end
            to[n++] = 1;
            break;
        }
        ++i;  // a pair's two units are consumed together, matched or not
        if (first <= 0xDBFF && second >= 0xDC00 && second <= 0xDFFF)
            to[n++] = ((first & 0x3FF) << 10) + 0x10000 + (second & 0x3FF);
        else
            to[n++] = 2;
    }
    to[n] = 0;
    return n;
}

}  // namespace fig
