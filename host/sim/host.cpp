// The simulated host: messages out, callbacks in.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "figsim.h"

namespace figsim {
namespace {

// The callback carries no context, as with the real host: the host being served is the
// one whose message is under way on this thread.
thread_local Host *currentHost = nullptr;

// A system class, so that no class need be registered on Windows; the portable platform
// knows no classes and makes the same white true-colour client area for any.
const WCHAR kWindowClass[] = {'S', 'T', 'A', 'T', 'I', 'C', 0};

BitmapDescriber bitmapDescriber = nullptr;

int32_t SimCallback(int32_t code, ...) {
    va_list args;
    va_start(args, code);
    int32_t result = currentHost ? currentHost->Serve(code, args) : 0;
    va_end(args);
    return result;
}

// Name references the host hands out: lists from 1000, columns from 2000, values 3000.
constexpr int kListRefBase = 1000;
constexpr int kColumnRefBase = 2000;  // + list * 32 + column
constexpr int kColumnsPerList = 32;
constexpr int kLineCountRef = 3000;   // "#LN"
// A hostile host still names a command line's ten columns truly: a column dropped there
// moves any number into a pen width or a font size, and a pen or a font tens of thousands
// of pixels wide costs the platform its width at every point of a curve or glyph.
constexpr size_t kHonestColumns = 10;

size_t UnitSize(TextWidth w) { return w == TextWidth::Wide ? 4 : 1; }

// Exactly the size the public header asks for, so a write past it is a sanitizer report.
size_t RequestRecordSize(TextWidth w) {
    return w == TextWidth::Wide ? FIG_REQUEST_RECORD_SIZE_U : FIG_REQUEST_RECORD_SIZE_A;
}

int16_t FieldTypeOf(const Value &v) {
    switch (v.kind) {
        case Value::Kind::Picture: return FieldTypePicture;
        case Value::Kind::Text: return FieldTypeText;
        default: return 5;  // a number field: any code that is neither text nor picture
    }
}

// A value read as a number, as a host converts it: texts by their leading number.
double NumberOf(const Value &v) {
    if (v.kind == Value::Kind::Number) return v.number;
    if (v.kind == Value::Kind::Text) return std::strtod(Utf32ToUtf8(v.text).c_str(), nullptr);
    return 0;
}

// A value read as text, as a host converts it: numbers in their shortest exact digits.
std::u32string TextOf(const Value &v) {
    if (v.kind != Value::Kind::Number) return v.text;
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.15g", v.number);
    return Utf8ToUtf32(digits);
}

}  // namespace

Value Value::Num(double n) {
    Value v;
    v.kind = Kind::Number;
    v.number = n;
    return v;
}

Value Value::Str(std::u32string s) {
    Value v;
    v.kind = Kind::Text;
    v.text = std::move(s);
    return v;
}

Value Value::Str(const std::string &utf8) { return Str(Utf8ToUtf32(utf8)); }

Value Value::Pict(std::vector<uint8_t> packedDib) {
    Value v;
    v.kind = Kind::Picture;
    v.picture = std::move(packedDib);
    return v;
}

Host::Host(External &external) : external_(external), record_(RequestRecordSize(external.width()), 0) {
    ownWindow_ = CreateWindowExW(0, kWindowClass, nullptr, WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                 nullptr, nullptr);
    window_ = ownWindow_;
}

Host::~Host() {
    if (slot_) Close();
    if (ownWindow_) DestroyWindow(ownWindow_);
}

int32_t Host::Send(int32_t message) {
    Host *outer = currentHost;
    currentHost = this;
    void **slot = quirks_.slotPointer ? quirks_.slotPointer : &slot_;
    int32_t result = external_.entry()(message, slot, window_, 0, 0, &SimCallback);
    currentHost = outer;
    return result;
}

int32_t Host::Invoke(int32_t code, ...) {
    va_list args;
    va_start(args, code);
    int32_t result = Serve(code, args);
    va_end(args);
    return result;
}

int16_t Host::Open() {
    Send(MsgOpen);
    return static_cast<int16_t>(returnValue_);
}

int16_t Host::Close() {
    Send(MsgClose);
    return static_cast<int16_t>(returnValue_);
}

int16_t Host::Call(int number, std::vector<Value> &params) {
    params_ = &params;
    function_ = number;
    Send(MsgCall);
    params_ = nullptr;
    return static_cast<int16_t>(returnValue_);
}

std::string Host::Describe(int number, int16_t kind, int *count, int16_t *result) {
    std::fill(record_.begin(), record_.end(), 0xEE);  // nothing the library did not write reads as text
    std::memcpy(&record_[FIG_REQUEST_KIND_OFFSET], &kind, sizeof kind);
    function_ = number;
    Send(MsgDescribe);
    if (result) *result = static_cast<int16_t>(returnValue_);
    const bool written = record_[FIG_REQUEST_CLEAR_OFFSET] == 0;
    std::u32string text = written ? ReadCounted(&record_[FIG_REQUEST_TEXT_OFFSET]) : U"";
    if (count) *count = written ? static_cast<int>(text.size()) : -1;
    return Utf32ToUtf8(text);
}

int16_t Host::FlagRecord() {
    std::fill(record_.begin(), record_.end(), 0);
    Send(MsgFlagRecord);
    int16_t flag;
    std::memcpy(&flag, &record_[FIG_REQUEST_FLAG_OFFSET], sizeof flag);
    return flag;
}

void Host::AddList(List list) {
    list.columnTypes.resize(list.columnNames.size(), 5);
    lists_.push_back(std::move(list));
}

List *Host::FindList(const std::string &name) {
    for (List &l : lists_)
        if (l.name == name) return &l;
    return nullptr;
}

std::vector<int> Host::TraceCodes() const {
    std::vector<int> codes;
    for (const TraceEntry &e : trace_) codes.push_back(e.code);
    return codes;
}

int32_t Host::Serve(int32_t code, va_list args) {
    switch (code) {
        case HostLookupName: return LookupName(va_arg(args, const void *));
        case HostGetNumber: {
            int id = va_arg(args, int);
            return GetNumber(id, va_arg(args, double *));
        }
        case HostSetValue: {
            int id = va_arg(args, int);
            int type = va_arg(args, int);
            return SetValue(id, type, va_arg(args, const void *));
        }
        case HostSetNumber: {
            int id = va_arg(args, int);
            return SetNumber(id, va_arg(args, const double *));
        }
        case HostSendBanner: {
            TraceEntry e{code, {}, {}};
            for (int i = 0; i < 4; ++i) e.args.push_back(va_arg(args, int));
            banner_ = e.text = ReadCounted(va_arg(args, const void *));
            Record(e);
            return quirks_.bannerAnswer;
        }
        case HostGetValue: {
            int id = va_arg(args, int);
            int type = va_arg(args, int);
            int32_t max = va_arg(args, int32_t);
            return GetValue(id, type, max, va_arg(args, void *));
        }
        case HostGetListCell: {
            int list = va_arg(args, int);
            int column = va_arg(args, int);
            int type = va_arg(args, int);
            void *buffer = va_arg(args, void *);
            Record({code, {list, column, type}, {}});
            return GetListCell(list, column, buffer, va_arg(args, const int32_t *));
        }
        case HostGetListNumber: {
            int list = va_arg(args, int);
            int32_t line = va_arg(args, int32_t);
            int column = va_arg(args, int);
            return GetListNumber(list, line, column, va_arg(args, double *));
        }
        case HostGetFieldInfo: return GetFieldInfo(va_arg(args, uint8_t *));
        case HostGetFunctionNumber: {
            Record({code, {function_}, {}});
            *va_arg(args, int32_t *) = function_;
            return 1;
        }
        case HostGetRequestRecord: {
            Record({code, {}, {}});
            *va_arg(args, void **) = quirks_.noRequestRecord ? nullptr : record_.data();
            return 1;
        }
        case HostGetColumnNames: {
            int list = va_arg(args, int);
            int max = va_arg(args, int);
            return GetColumnNames(list, max, va_arg(args, void *));
        }
        default: Record({code, {}, {}}); return 0;
    }
}

std::u32string Host::ReadCounted(const void *counted) const {
    const auto *bytes = static_cast<const uint8_t *>(counted);
    std::u32string text;
    if (width() == TextWidth::Wide) {
        int32_t count;
        std::memcpy(&count, bytes, 4);
        for (int32_t i = 0; i < count && i < 1024; ++i) {
            char32_t unit;
            std::memcpy(&unit, bytes + 4 + 4 * i, 4);
            text += unit;
        }
    } else {
        for (int i = 0; i < bytes[0]; ++i) text += Cp1252ToUtf32(bytes[1 + i]);
    }
    return text;
}

void Host::WriteText(void *buffer, const std::u32string &text, int32_t maxLength) const {
    auto *out = static_cast<uint8_t *>(buffer);
    size_t n = text.size() < static_cast<size_t>(maxLength) ? text.size() : static_cast<size_t>(maxLength);
    const size_t unit = UnitSize(width());
    for (size_t i = 0; i < n; ++i) {
        if (unit == 4) std::memcpy(out + 4 * i, &text[i], 4);
        else out[i] = Utf32ToCp1252(text[i]);
    }
    if (quirks_.textWithoutTerminator) {
        // A careless host: fills the whole maximum and stops there, unterminated.
        for (size_t i = n; i < static_cast<size_t>(maxLength); ++i) std::memset(out + unit * i, 'x', unit);
        return;
    }
    std::memset(out + unit * n, 0, unit);
    if (quirks_.fillToMaxLength)  // a host that writes everything it was allowed to
        for (size_t i = n + 1; i < static_cast<size_t>(maxLength); ++i) std::memset(out + unit * i, 'x', unit);
}

// A value of fixed size, followed (when the host writes up to the maximum) by filler.
void Host::WriteFixed(void *buffer, const void *value, size_t size, int32_t maxLength) const {
    std::memcpy(buffer, value, size);
    if (quirks_.fillToMaxLength && maxLength > static_cast<int32_t>(size))
        std::memset(static_cast<uint8_t *>(buffer) + size, 0xAB, static_cast<size_t>(maxLength) - size);
}

int32_t Host::BentReference(int32_t honest, bool mayLie) {
    return bender_ ? bender_->Reference(honest, mayLie) : honest;
}
int32_t Host::BentLineCount(int32_t honest) { return bender_ ? bender_->LineCount(honest) : honest; }
int32_t Host::BentByteLength(int32_t honest) { return bender_ ? bender_->ByteLength(honest) : honest; }
void Host::BentFieldInfo(int16_t *type, int16_t *status) {
    if (bender_) bender_->FieldInfo(type, status);
}

void SetBitmapDescriber(BitmapDescriber describe) { bitmapDescriber = describe; }

// A quirk the platform cannot play must not pass for one that was played.
void Host::DescribeDelivered(HBITMAP bitmap) const {
    if (!bitmapDescriber) {
        std::fputs("figsim: a described depth needs the test build of the platform\n", stderr);
        std::abort();
    }
    bitmapDescriber(bitmap, quirks_.describedPlanes, quirks_.describedBitsPixel);
}

HBITMAP Host::DeliverBitmap(const Value &picture) {
    HBITMAP bitmap = BitmapFromPackedDib(picture.picture);
    if (bitmap && quirks_.bitmapDelivery == BitmapDelivery::DeviceBitmap) {
        HBITMAP device = DeviceBitmapFromPackedDib(picture.picture);
        DeleteObject(bitmap);
        bitmap = device;
    } else if (bitmap && quirks_.bitmapDelivery == BitmapDelivery::StaleHandle) {
        DeleteObject(bitmap);  // the handle stays, its bitmap is gone
    }
    if (bitmap && (quirks_.describedPlanes || quirks_.describedBitsPixel)) DescribeDelivered(bitmap);
    if (bitmap) delivered_.push_back(bitmap);
    return bitmap;
}

void Host::SetWindowPixel(int x, int y, COLORREF colour) {
    HDC dc = GetDC(window_);
    SetPixel(dc, x, y, colour);
    ReleaseDC(window_, dc);
}

Value *Host::Param(int id) {
    if (!params_ || id < ParamFirst) return nullptr;
    size_t index = static_cast<size_t>(id - ParamFirst);
    return index < params_->size() ? &(*params_)[index] : nullptr;
}

int32_t Host::LookupName(const void *counted) {
    std::u32string name = ReadCounted(counted);
    Record({HostLookupName, {}, name});
    std::string key = Utf32ToUtf8(name);
    if (key == "#LN") {
        if (width() == TextWidth::Narrow) return kLineCountRef;
        // The wide host answers "#LN" with the line count of the list it last bound.
        return BentLineCount(lastListLooked_ >= 0 ? static_cast<int32_t>(lists_[lastListLooked_].lines.size()) : 0);
    }
    for (size_t i = 0; i < lists_.size(); ++i)
        if (lists_[i].name == key) {
            lastListLooked_ = static_cast<int>(i);
            return BentReference(kListRefBase + static_cast<int>(i), true);
        }
    // Columns: of the list looked up last.
    if (lastListLooked_ >= 0) {
        const List &list = lists_[lastListLooked_];
        for (size_t c = 0; c < list.columnNames.size() && c < kColumnsPerList; ++c)
            if (list.columnNames[c] == key)  // a command line's ten columns answer honestly: see kHonestColumns
                return BentReference(kColumnRefBase + lastListLooked_ * kColumnsPerList + static_cast<int>(c),
                                     c >= kHonestColumns);
    }
    return BentReference(0, true);
}

int32_t Host::GetNumber(int id, double *out) {
    Record({HostGetNumber, {id}, {}});
    const Value *v = Param(id);
    *out = v ? NumberOf(*v) : 0;
    return 1;
}

int32_t Host::SetValue(int id, int type, const void *value) {
    Record({HostSetValue, {id, type}, {}});
    if (id == ParamReturnValue && type == ValueNumber) {
        std::memcpy(&returnValue_, value, sizeof(double));
        ++returnStores_;
        return 1;
    }
    Value *v = Param(id);
    if (!v) return 0;
    if (type == ValueNumber) {
        v->kind = Value::Kind::Number;
        std::memcpy(&v->number, value, sizeof(double));
    } else if (type == ValueBitmap && v->kind == Value::Kind::Picture) {
        if (quirks_.refusePictureStores) return 0;
        HBITMAP bitmap;
        std::memcpy(&bitmap, value, sizeof bitmap);
        std::vector<uint8_t> copy = PackedDibFromBitmap(bitmap);  // the bitmap stays the library's
        if (copy.empty()) return 0;  // the field keeps its picture
        v->picture = std::move(copy);
    }
    return 1;
}

int32_t Host::SetNumber(int id, const double *value) {
    Record({HostSetNumber, {id}, {}});
    Value *v = Param(id);
    if (!v) return 0;
    v->kind = Value::Kind::Number;
    v->number = *value;
    return 1;
}

int32_t Host::GetValue(int id, int type, int32_t maxLength, void *buffer) {
    Record({HostGetValue, {id, type, maxLength}, {}});
    if (id == ParamCount) {
        double count = hasCountOverride_ ? countOverride_ : params_ ? static_cast<double>(params_->size()) : 0;
        WriteFixed(buffer, &count, sizeof count, maxLength);
        return 1;
    }
    Value *v = Param(id);
    if (!v) return 0;
    switch (type) {
        case ValueNumber: {
            double n = v->kind == Value::Kind::Number ? v->number : 0;
            WriteFixed(buffer, &n, sizeof n, maxLength);
            return 1;
        }
        case ValueText: WriteText(buffer, TextOf(*v), maxLength); return 1;
        case ValueByteLength: {
            int32_t length = v->kind == Value::Kind::Picture ? static_cast<int32_t>(v->picture.size()) : 0;
            if (quirks_.zeroByteLength) length = 0;
            length = BentByteLength(length);
            WriteFixed(buffer, &length, sizeof length, maxLength);
            return 1;
        }
        case ValueBitmap: {
            // The buffer is a handle variable: a host writes one handle, whatever the maximum.
            HBITMAP bitmap = nullptr;
            if (v->kind == Value::Kind::Picture && !v->picture.empty() && !quirks_.refuseBitmaps)
                bitmap = DeliverBitmap(*v);  // becomes the library's to delete
            std::memcpy(buffer, &bitmap, sizeof bitmap);
            return 1;
        }
        default: return 0;
    }
}

bool Host::Cell(int listRef, int32_t line, int columnRef, Value *out) const {
    int list = listRef - kListRefBase;
    if (list < 0 || list >= static_cast<int>(lists_.size())) return false;
    const List &l = lists_[list];
    int column = columnRef - kColumnRefBase - list * kColumnsPerList;
    if (column < 0 || column >= static_cast<int>(l.columnNames.size())) return false;
    if (line < 1 || static_cast<size_t>(line) > l.lines.size()) return false;
    return l.lines.CellAt(static_cast<size_t>(line) - 1, static_cast<size_t>(column), out);
}

int32_t Host::GetListCell(int listRef, int columnRef, void *buffer, const int32_t *lineAndMax) {
    if (tracing_ && !trace_.empty()) {
        trace_.back().args.push_back(lineAndMax[0]);
        trace_.back().args.push_back(lineAndMax[1]);
    }
    Value v;
    const bool found = Cell(listRef, lineAndMax[0], columnRef, &v);
    WriteText(buffer, TextOf(v), lineAndMax[1]);
    return found ? 1 : 0;
}

int32_t Host::GetListNumber(int listRef, int32_t line, int columnRef, double *out) {
    Record({HostGetListNumber, {listRef, line, columnRef}, {}});
    int list = listRef - kListRefBase;
    if (columnRef == kLineCountRef && line == 0 && list >= 0 && list < static_cast<int>(lists_.size())) {
        *out = static_cast<double>(BentLineCount(static_cast<int32_t>(lists_[list].lines.size())));
        return 1;
    }
    Value v;
    const bool found = Cell(listRef, line, columnRef, &v);
    *out = NumberOf(v);
    return found ? 1 : 0;
}

int32_t Host::GetFieldInfo(uint8_t *block) {
    const bool wide = width() == TextWidth::Wide;
    const int idAt = wide ? FIG_FIELDINFO_ID_U : FIG_FIELDINFO_ID_A;
    const int typeAt = wide ? FIG_FIELDINFO_TYPE_U : FIG_FIELDINFO_TYPE_A;
    const int statusAt = wide ? FIG_FIELDINFO_STATUS_U : FIG_FIELDINFO_STATUS_A;
    int16_t id;
    std::memcpy(&id, block + idAt, 2);
    Record({HostGetFieldInfo, {id}, {}});
    int16_t type = -1;
    if (const Value *v = Param(id)) type = FieldTypeOf(*v);
    int columnIndex = id - kColumnRefBase;
    if (type < 0 && columnIndex >= 0) {
        int list = columnIndex / kColumnsPerList, column = columnIndex % kColumnsPerList;
        if (list < static_cast<int>(lists_.size()) && column < static_cast<int>(lists_[list].columnTypes.size()))
            type = lists_[list].columnTypes[column];
    }
    int16_t status = type >= 0 ? 1 : 0;
    BentFieldInfo(&type, &status);
    if (type >= 0) std::memcpy(block + typeAt, &type, 2);
    std::memcpy(block + statusAt, &status, 2);
    if (quirks_.fieldNameCount != 0) {
        if (wide) std::memcpy(block, &quirks_.fieldNameCount, 4);
        else block[0] = static_cast<uint8_t>(quirks_.fieldNameCount);
    }
    return status;
}

int32_t Host::GetColumnNames(int listRef, int maxLength, void *buffer) {
    Record({HostGetColumnNames, {listRef, maxLength}, {}});
    int list = listRef - kListRefBase;
    std::string joined;
    if (list >= 0 && list < static_cast<int>(lists_.size()))
        for (size_t i = 0; i < lists_[list].columnNames.size(); ++i)
            joined += (i ? "," : "") + lists_[list].columnNames[i];
    WriteText(buffer, Utf8ToUtf32(joined), maxLength);
    return 1;
}

}  // namespace figsim
