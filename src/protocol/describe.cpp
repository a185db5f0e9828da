// Message 3 describes a function to the host from the function table; message 4 sets
// the request record's flag.
#include <algorithm>
#include <cstring>

#include "host_callback.h"
#include "messages.h"
#include "number.h"

namespace fig {
namespace {

// The record's CountedText: the count, then the units, at the record's text offset.
// Units are copied bytewise: in figPlotU they sit at offset 14, not 4-byte aligned.
void WriteRecordText(uint8_t *record, const HostChar *text, int count) {
    uint8_t *units = record + FIG_REQUEST_TEXT_OFFSET + sizeof(HostChar);
    std::memcpy(units, text, (count + 1) * sizeof(HostChar));  // with the terminator
    const HostChar counted = static_cast<HostChar>(count);
    std::memcpy(record + FIG_REQUEST_TEXT_OFFSET, &counted, sizeof counted);
    record[FIG_REQUEST_CLEAR_OFFSET] = 0;
}

// The function table string of function n, as host text (empty when there is none).
void LoadFunctionString(HMODULE module, int16_t n, HostChar *out) {
    const UINT id = FIG_FUNCTION_STRING_BASE + n;
#if FIGPLOT_WIDE
    WCHAR wide[kTextBufferUnits] = {};
    if (LoadStringW(module, id, wide, kTextBufferUnits) <= 0) wide[0] = 0;
    Utf16ToUtf32(wide, out);
#else
    if (LoadStringA(module, id, out, kTextBufferUnits) <= 0) out[0] = 0;
#endif
}

// The parameter list: from the first "(" up to the first ":" (without a ":", the
// string loses its last character instead). An empty string stays empty.
void ParameterList(HostChar *text, HostChar *out) {
    size_t length = HostTextLength(text);
    size_t cut = 0;
    while (cut < length && text[cut] != ':') ++cut;
    if (cut == length && length > 0) cut = length - 1;
    text[cut] = 0;
    size_t open = 0;
    while (open < cut && text[open] != '(') ++open;
    out[0] = 0;
    if (open < cut) HostTextCopy(out, text + open);
}

void DescribeParameters(HMODULE module, int16_t n, uint8_t *record) {
    HostChar line[kTextBufferUnits + 8];  // "Parms: " and a list of up to 254 units
    HostChar table[kTextBufferUnits];
    HostChar list[kTextBufferUnits];
    LoadFunctionString(module, n, table);
    ParameterList(table, list);
    AsciiToHostText("Parms: ", line, true);
    HostTextAppend(line, list);
    // A counted text holds at most 254 units: a longer list would wrap figPlot's 8-bit
    // count and run past the record size the host was told to provide.
    const int count = std::min(static_cast<int>(HostTextLength(line)), kCountedTextMax);
    line[count] = 0;
    WriteRecordText(record, line, count);
}

void DescribeReturnValue(uint8_t *record) {
    HostChar line[16];
    AsciiToHostText("Return Code :", line, true);
    WriteRecordText(record, line, 13);
}

}  // namespace

void DescribeFunction(HMODULE module, FigHostCallback cb) {
    const int16_t n = Low16(GetFunctionNumber(cb));
    uint8_t *record = GetRequestRecord(cb);
    if (!record) return;
    int16_t kind;
    std::memcpy(&kind, record + FIG_REQUEST_KIND_OFFSET, sizeof kind);
    if (kind == FIG_REQUEST_KIND_RETURN) DescribeReturnValue(record);
    else if (kind == FIG_REQUEST_KIND_PARAMETERS) DescribeParameters(module, n, record);
}

void FlagRequestRecord(FigHostCallback cb) {
    uint8_t *record = GetRequestRecord(cb);
    if (!record) return;
    const int16_t one = 1;
    std::memcpy(record + FIG_REQUEST_FLAG_OFFSET, &one, sizeof one);
}

}  // namespace fig
