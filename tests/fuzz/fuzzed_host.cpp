#include "fuzzed_host.h"

#include <figplatform.h>

#include <cstdlib>
#include <cstring>

#include "figsim.h"
#include "fuzz_session.h"
#include "fuzz_values.h"

extern "C" int32_t FIGPLOT_STDCALL figPlot(int32_t message, void **instanceSlot, void *window, intptr_t,
                                           intptr_t, FigHostCallback callback);

namespace figfuzz {
namespace {

constexpr size_t kUnit = sizeof(HostUnit);
constexpr int kNameArea = 256;  // units of the field information block's name area
// Exactly what the public header asks of a host for this build: an overrun is a report.
constexpr size_t kRecordSize = kUnit == 4 ? FIG_REQUEST_RECORD_SIZE_U : FIG_REQUEST_RECORD_SIZE_A;

}  // namespace

FuzzedHost::FuzzedHost(ByteSource &in, HWND window, const std::string &scratchDir)
    : in_(in), window_(window), scratchDir_(scratchDir) {}

FuzzedHost::~FuzzedHost() {
    if (slot_) Send(MsgClose);  // a host closes what it opened
}

int32_t FuzzedHost::Send(int32_t message) {
    if (in_.Flag()) {
        record_.reset(new uint8_t[kRecordSize]);
        std::memset(record_.get(), 0xEE, kRecordSize);
        const int16_t kinds[] = {FIG_REQUEST_KIND_PARAMETERS, FIG_REQUEST_KIND_RETURN, 0,
                                 static_cast<int16_t>(in_.U16())};
        std::memcpy(record_.get() + FIG_REQUEST_KIND_OFFSET, &kinds[in_.Below(4)], sizeof(int16_t));
    } else {
        record_.reset();
    }
    FuzzedHost *outer = Serving<FuzzedHost>::host;
    Serving<FuzzedHost>::host = this;
    const int32_t result = figPlot(message, &slot_, window_, 0, 0, &Serving<FuzzedHost>::Callback);
    Serving<FuzzedHost>::host = outer;
    return result;
}

double FuzzedHost::Number() { return FuzzNumber(in_); }

double FuzzedHost::ParamNumber(int id) {
    const double value = Number();
    const int16_t function = Low16(function_);  // as the library reads it
    const bool sized = function == FnComposeFile || function == FnComposePict || function == FnSetPictBounds;
    if (sized && (id == ParamFirst + 1 || id == ParamFirst + 2)) return CapAbove(value, kSideCap);
    if (function == FnDrawText && id == ParamFirst + 5) return CapMagnitude(value, kFontSizeCap);
    const bool outlined = function == FnDrawOval || function == FnDrawRect || function == FnDrawLine;
    return outlined && id == ParamFirst + 1 ? Bounded(value, kPenWidthCap) : value;  // lineSize
}

int32_t FuzzedHost::Reference() {
    const uint8_t tag = in_.Byte();
    switch (tag & 7) {
        case 0: return 0;  // unknown name
        case 6: return static_cast<int32_t>(in_.U32());
        case 7: return -1 - in_.Below(64);
        default: return 1 + in_.Below(64);
    }
}

void FuzzedHost::WriteUnits(void *buffer, const std::vector<HostUnit> &units) const {
    if (!units.empty()) std::memcpy(buffer, units.data(), units.size() * kUnit);
}

// A text of at most `maxLength` units and its terminator; or, now and then, the whole
// maximum filled and no terminator. Paths (ComposeFile's) stay inside the scratch folder.
void FuzzedHost::WriteText(void *buffer, int32_t maxLength, bool path) {
    if (maxLength < 0) return;
    std::vector<HostUnit> units;
    if (path) {
        for (char c : scratchDir_ + "/") units.push_back(static_cast<HostUnit>(c));
        static const char kSafe[] = "ab.-_ 1";
        for (int n = in_.Below(12); n > 0; --n) {
            const uint8_t b = in_.Byte();
            units.push_back(b < 0xC0 ? static_cast<HostUnit>(kSafe[b % 7]) : static_cast<HostUnit>(b));
        }
        const char *ext[] = {".bmp", ".BMP", ".png", ""};
        for (const char *e = ext[in_.Below(4)]; *e; ++e) units.push_back(static_cast<HostUnit>(*e));
        if (units.size() > static_cast<size_t>(maxLength)) return;  // a host would refuse so long a path
    } else {
        const int length = in_.Byte();
        const bool unterminated = length == 255;
        const int count = unterminated ? maxLength : length < maxLength ? length : maxLength;
        for (int i = 0; i < count; ++i) {
            const uint8_t b = in_.Byte();
#if FIGPLOT_WIDE
            units.push_back(b >= 0xF8 ? static_cast<char32_t>(in_.U32()) : b >= 0xF0 ? 0x80 + in_.U16() : b);
#else
            units.push_back(b);
#endif
        }
        if (unterminated) {
            WriteUnits(buffer, units);
            return;
        }
    }
    units.push_back(0);
    WriteUnits(buffer, units);
}

std::vector<HostUnit> FuzzedHost::ReadCounted(const void *counted) const {
    const auto *bytes = static_cast<const uint8_t *>(counted);
    std::vector<HostUnit> text;
#if FIGPLOT_WIDE
    int32_t count;
    std::memcpy(&count, bytes, sizeof count);
    if (count < 0 || count > 255) count = 0;  // a counted text holds at most 255 units after its count
    text.resize(static_cast<size_t>(count));
    if (count) std::memcpy(text.data(), bytes + 4, static_cast<size_t>(count) * 4);
#else
    text.assign(bytes + 1, bytes + 1 + bytes[0]);
#endif
    return text;
}

int32_t FuzzedHost::LookupName(const void *counted) {
    const std::vector<HostUnit> name = ReadCounted(counted);
    const bool lineCount = name.size() == 3 && name[0] == '#' && name[1] == 'L' && name[2] == 'N';
    int32_t answer = Reference();
#if FIGPLOT_WIDE
    if (lineCount) answer = static_cast<int32_t>(CapAbove(Low16(ToInt32(Number())), kLineCountCap));
#endif
    if (!lineCount && Low16(answer) != 0) boundColumns_.push_back(Low16(answer));
    return answer;
}

HBITMAP FuzzedHost::Bitmap() {
    static const int kDepths[] = {1, 4, 8, 16, 24, 32};
    const uint8_t how = in_.Byte();
    if ((how & 3) == 2) return nullptr;  // the field holds nothing the host can hand over
    const int width = 1 + in_.Below(kSideCap), height = 1 + in_.Below(kSideCap), bits = kDepths[in_.Below(6)];
    std::vector<uint8_t> packed = figsim::MakePackedDib(width, height, bits);
    if (in_.Flag()) in_.Fill(packed.data() + sizeof(BITMAPINFOHEADER), packed.size() - sizeof(BITMAPINFOHEADER));
    HBITMAP bitmap = (how & 3) == 1 ? figsim::DeviceBitmapFromPackedDib(packed) : figsim::BitmapFromPackedDib(packed);
    if (bitmap && (how & 3) == 3) DeleteObject(bitmap);  // a stale handle: its bitmap is gone
    else if (bitmap && (how & 4)) PlatformDescribeBitmapAs(bitmap, static_cast<WORD>(in_.Below(3)), in_.Below(40));
    return bitmap;
}

int32_t FuzzedHost::GetValue(int id, int type, int32_t maxLength, void *buffer) {
    if (!in_.Flag()) return 0;  // the host leaves the buffer as it is
    switch (type) {
        case ValueNumber: {
            const double value = ParamNumber(id);
            std::memcpy(buffer, &value, maxLength < 8 ? (maxLength < 0 ? 0 : maxLength) : 8);
            return 1;
        }
        case ValueText: WriteText(buffer, maxLength, Low16(function_) == FnComposeFile && id == ParamFirst); return 1;
        case ValueByteLength: {
            if (maxLength < 4) return 0;
            const int32_t lengths[] = {0, 1 + in_.Byte() * 16, static_cast<int32_t>(in_.U32()), INT32_MAX};
            std::memcpy(buffer, &lengths[in_.Below(4)], 4);
            return 1;
        }
        case ValueBitmap: {
            // A handle variable: the host writes one handle, whatever the maximum.
            HBITMAP bitmap = Bitmap();
            std::memcpy(buffer, &bitmap, sizeof bitmap);
            return 1;
        }
        default: return 0;
    }
}

int32_t FuzzedHost::SetValue(int id, int type, const void *value) {
    if (id == ParamReturnValue) return 1;
    if (type == ValueBitmap && in_.Flag()) {
        HBITMAP bitmap;
        std::memcpy(&bitmap, value, sizeof bitmap);
        BITMAP description;
        return GetObjectW(bitmap, sizeof description, &description) != 0;  // the host copies it
    }
    return in_.Below(2);
}

int32_t FuzzedHost::ListNumber(int32_t line, int column, double *out) {
    double value = Number();
    if (line == 0) value = CapAbove(value, kLineCountCap);  // the 8-bit build's "#LN"
    const int16_t ref = Low16(column);
    auto bound = [&](size_t k) { return boundColumns_.size() > k && ref == boundColumns_[k]; };
    if (bound(0)) {
        lineCode_ = Low16(ToInt32(value));
    } else if (bound(4) && lineCode_ == 6) {
        value = CapMagnitude(value, kFontSizeCap);
    } else if (bound(6) && (lineCode_ == 1 || lineCode_ == 2 || lineCode_ == 4)) {
        value = Bounded(value, kPenWidthCap);  // lineSize
    }
    if (in_.Flag()) *out = value;
    return 1;
}

void FuzzedHost::ListCell(void *buffer, const int32_t *lineAndMax) { WriteText(buffer, lineAndMax[1], false); }

void FuzzedHost::FieldInfo(uint8_t *block) {
#if FIGPLOT_WIDE
    const int typeOffset = FIG_FIELDINFO_TYPE_U, statusOffset = FIG_FIELDINFO_STATUS_U;
#else
    const int typeOffset = FIG_FIELDINFO_TYPE_A, statusOffset = FIG_FIELDINFO_STATUS_A;
#endif
    const int16_t statuses[] = {1, 1, 0, static_cast<int16_t>(in_.U16())};
    const int16_t types[] = {FieldTypePicture, FieldTypeText, 5, static_cast<int16_t>(in_.U16())};
    std::memcpy(block + statusOffset, &statuses[in_.Below(4)], 2);
    std::memcpy(block + typeOffset, &types[in_.Below(4)], 2);
    if (in_.Flag()) {  // a name, its count whatever the input says, its units inside the area
        in_.Fill(block, kUnit);
        in_.Fill(block + kUnit, kUnit * in_.Below(kNameArea));
    }
}

void FuzzedHost::ColumnNames(int maxLength, void *buffer) {
    boundColumns_.clear();
    std::vector<HostUnit> units;
    for (int n = in_.Below(32); n > 0; --n) {
        if (!units.empty()) units.push_back(',');
        for (int k = 1 + in_.Below(3); k > 0; --k) units.push_back(static_cast<HostUnit>('a' + in_.Below(40)));
    }
    if (units.size() > static_cast<size_t>(maxLength < 0 ? 0 : maxLength)) units.resize(maxLength < 0 ? 0 : maxLength);
    units.push_back(0);
    WriteUnits(buffer, units);
}

int32_t FuzzedHost::Serve(int32_t code, va_list args) {
    switch (code) {
        case HostLookupName: return LookupName(va_arg(args, const void *));
        case HostGetNumber: {
            const int id = va_arg(args, int);
            double *out = va_arg(args, double *);
            *out = ParamNumber(id);
            return 1;
        }
        case HostSetValue: {
            const int id = va_arg(args, int);
            const int type = va_arg(args, int);
            return SetValue(id, type, va_arg(args, const void *));
        }
        case HostSetNumber: return in_.Below(2);
        case HostSendBanner: return in_.Byte();
        case HostGetValue: {
            const int id = va_arg(args, int);
            const int type = va_arg(args, int);
            const int32_t max = va_arg(args, int32_t);
            return GetValue(id, type, max, va_arg(args, void *));
        }
        case HostGetListCell: {
            for (int i = 0; i < 3; ++i) (void)va_arg(args, int);
            void *buffer = va_arg(args, void *);
            ListCell(buffer, va_arg(args, const int32_t *));
            return 1;
        }
        case HostGetListNumber: {
            (void)va_arg(args, int);
            const int32_t line = va_arg(args, int32_t);
            const int column = va_arg(args, int);
            return ListNumber(line, column, va_arg(args, double *));
        }
        case HostGetFieldInfo: FieldInfo(va_arg(args, uint8_t *)); return 1;
        case HostGetFunctionNumber: {
            const uint8_t tag = in_.Byte();
            function_ = tag < 0xF0 ? tag % 15 : static_cast<int32_t>(in_.U32());
            *va_arg(args, int32_t *) = function_;
            return 1;
        }
        case HostGetRequestRecord: *va_arg(args, void **) = record_.get(); return 1;
        case HostGetColumnNames: {
            (void)va_arg(args, int);
            const int max = va_arg(args, int);
            ColumnNames(max, va_arg(args, void *));
            return 1;
        }
        default: return 0;
    }
}

void RunHostSession(const uint8_t *data, size_t size) {
    static HWND window = CreateWindowExW(0, u"STATIC", nullptr, WS_POPUP, 0, 0, 64, 48, nullptr, nullptr, nullptr, nullptr);
    static const std::string scratch = ScratchFolder("figfuzz");
    static const int baseline = PlatformLiveTotal();
    ByteSource in(data, size);
    {
        FuzzedHost host(in, window, scratch);
        if (in.Flag()) host.Send(MsgOpen);
        for (int n = 1 + in.Below(6); n > 0 && !in.empty(); --n) {
            const uint8_t pick = in.Byte();
            int32_t message = pick < 0xF0 ? pick % 5 : static_cast<int32_t>(in.U32());
            // A host opens an instance once (the library reads only the low 16 bits).
            if (Low16(message) == MsgOpen && host.open()) message = MsgCall;
            host.Send(message);
        }
    }
    EmptyFolder(scratch);
    CheckNothingOutlives(baseline, "session");
}

}  // namespace figfuzz
