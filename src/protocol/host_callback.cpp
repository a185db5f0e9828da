#include "host_callback.h"

#include <cstring>
#include <type_traits>

#include "number.h"

namespace fig {
namespace {

// Variadic arguments: 16-bit values travel as sign-extended ints, bytes zero-extended.
int Arg16(int16_t value) { return value; }
int ArgByte(uint8_t value) { return value; }

#if FIGPLOT_WIDE
constexpr int kFieldInfoSize = FIG_FIELDINFO_SIZE_U;
constexpr int kFieldInfoId = FIG_FIELDINFO_ID_U;
constexpr int kFieldInfoType = FIG_FIELDINFO_TYPE_U;
constexpr int kFieldInfoMode = FIG_FIELDINFO_MODE_U;
constexpr int kFieldInfoStatus = FIG_FIELDINFO_STATUS_U;
#else
constexpr int kFieldInfoSize = FIG_FIELDINFO_SIZE_A;
constexpr int kFieldInfoId = FIG_FIELDINFO_ID_A;
constexpr int kFieldInfoType = FIG_FIELDINFO_TYPE_A;
constexpr int kFieldInfoMode = FIG_FIELDINFO_MODE_A;
constexpr int kFieldInfoStatus = FIG_FIELDINFO_STATUS_A;
#endif

void Put16(uint8_t *block, int offset, int16_t value) { std::memcpy(block + offset, &value, sizeof value); }

int16_t Get16(const uint8_t *block, int offset) {
    int16_t value;
    std::memcpy(&value, block + offset, sizeof value);
    return value;
}

// The host may write a name into the block's counted area; we terminate it after its
// counted units. A count beyond the area is the host's fault and must not carry our
// terminator past the block, so it is cut to what the area holds.
void TerminateFieldName(uint8_t *block) {
    std::make_unsigned_t<HostChar> count;  // the count is unsigned in both widths
    std::memcpy(&count, block, sizeof count);
    const uint32_t units = count > kCountedTextMax ? kCountedTextMax : count;
    const HostChar zero = 0;
    std::memcpy(block + (1 + units) * sizeof(HostChar), &zero, sizeof zero);
}

}  // namespace

int32_t LookupNameRef(const HostChar *name, FigHostCallback cb) {
    CountedText counted;
    MakeCountedText(name, counted);
    return cb(HostLookupName, counted);
}

int32_t GetIntParam(int16_t paramId, FigHostCallback cb) {
    double value = 0;
    cb(HostGetNumber, Arg16(paramId), &value);
    return NumberToInt(value);
}

int32_t SetParam(int16_t paramId, int16_t valueType, const void *value, FigHostCallback cb) {
    return cb(HostSetValue, Arg16(paramId), Arg16(valueType), value);
}

int32_t SetIntParam(int16_t paramId, int32_t value, FigHostCallback cb) {
    const double number = value;
    return cb(HostSetNumber, Arg16(paramId), &number);
}

uint8_t SendBanner(int16_t value, uint8_t b1, uint8_t b2, uint8_t b3, const HostChar *text, FigHostCallback cb) {
    CountedText counted;
    MakeCountedText(text, counted);
    return static_cast<uint8_t>(cb(HostSendBanner, Arg16(value), ArgByte(b1), ArgByte(b2), ArgByte(b3), counted));
}

int32_t GetParam(int16_t paramId, int16_t valueType, int32_t maxLength, void *buffer, FigHostCallback cb) {
    return cb(HostGetValue, Arg16(paramId), Arg16(valueType), maxLength, buffer);
}

void GetTextParam(int16_t paramId, HostChar *buffer, FigHostCallback cb) {
    buffer[0] = 0;
    GetParam(paramId, ValueText, kTextMaxLength, buffer, cb);
    buffer[kTextMaxLength] = 0;  // whatever the host wrote, the text ends inside the buffer
}

void GetCellText(int16_t listRef, int32_t line, int16_t columnRef, HostChar *buffer, FigHostCallback cb) {
    int32_t lineAndMax[2] = {line, kTextMaxLength};
    buffer[0] = 0;
    cb(HostGetListCell, Arg16(listRef), Arg16(columnRef), Arg16(ValueText), buffer, lineAndMax);
    buffer[kTextMaxLength] = 0;
}

int32_t GetCellInt(int16_t listRef, int32_t line, int16_t columnRef, FigHostCallback cb) {
    double value = 0;
    GetCellNumber(listRef, line, columnRef, &value, cb);
    return NumberToInt(value);
}

void GetCellNumber(int16_t listRef, int32_t line, int16_t columnRef, double *value, FigHostCallback cb) {
    cb(HostGetListNumber, Arg16(listRef), line, Arg16(columnRef), value);
}

int32_t GetFunctionNumber(FigHostCallback cb) {
    int32_t number = 0;
    cb(HostGetFunctionNumber, &number);
    return number;
}

uint8_t *GetRequestRecord(FigHostCallback cb) {
    void *record = nullptr;
    cb(HostGetRequestRecord, &record);
    return static_cast<uint8_t *>(record);
}

void GetColumnNames(int16_t listRef, HostChar *buffer, FigHostCallback cb) {
    cb(HostGetColumnNames, Arg16(listRef), Arg16(kColumnNameUnits), buffer);
    buffer[kColumnNameUnits] = 0;
}

FieldInfo GetFieldInfo(int16_t idOrColumnRef, FigHostCallback cb) {
    alignas(8) uint8_t block[kFieldInfoSize];
    std::memset(block, 0, sizeof block);
    Put16(block, kFieldInfoId, idOrColumnRef);
    Put16(block, kFieldInfoMode, 2);
    cb(HostGetFieldInfo, block);
    TerminateFieldName(block);
    return FieldInfo{Get16(block, kFieldInfoStatus), Get16(block, kFieldInfoType)};
}

bool IsPictureParam(int16_t paramId, FigHostCallback cb) { return HasFieldType(paramId, FieldTypePicture, cb); }

bool HasFieldType(int16_t idOrColumnRef, int16_t wantedType, FigHostCallback cb) {
    FieldInfo info = GetFieldInfo(idOrColumnRef, cb);
    return info.status == 1 && info.fieldType == wantedType;
}

}  // namespace fig
