// The library's only way to the host: one thin wrapper per callback code. Each takes
// the callback of the current message as its last argument.
#pragma once

#include <figplot/host_api.h>

#include <cstdint>

#include "host_text.h"

namespace fig {

int32_t LookupNameRef(const HostChar *name, FigHostCallback cb);
int32_t GetIntParam(int16_t paramId, FigHostCallback cb);
int32_t SetParam(int16_t paramId, int16_t valueType, const void *value, FigHostCallback cb);
int32_t SetIntParam(int16_t paramId, int32_t value, FigHostCallback cb);
uint8_t SendBanner(int16_t value, uint8_t b1, uint8_t b2, uint8_t b3, const HostChar *text, FigHostCallback cb);
int32_t GetParam(int16_t paramId, int16_t valueType, int32_t maxLength, void *buffer, FigHostCallback cb);
// Fetches a text parameter into a buffer of kTextBufferUnits, always terminated.
void GetTextParam(int16_t paramId, HostChar *buffer, FigHostCallback cb);
void GetCellText(int16_t listRef, int32_t line, int16_t columnRef, HostChar *buffer, FigHostCallback cb);
int32_t GetCellInt(int16_t listRef, int32_t line, int16_t columnRef, FigHostCallback cb);
void GetCellNumber(int16_t listRef, int32_t line, int16_t columnRef, double *value, FigHostCallback cb);
int32_t GetFunctionNumber(FigHostCallback cb);
uint8_t *GetRequestRecord(FigHostCallback cb);
// The column names of a list: `buffer` holds kColumnNameUnits units plus a terminator.
constexpr int kColumnNameUnits = 1024;
void GetColumnNames(int16_t listRef, HostChar *buffer, FigHostCallback cb);

// Field information about a parameter or list column.
struct FieldInfo {
    int16_t status;
    int16_t fieldType;
};
FieldInfo GetFieldInfo(int16_t idOrColumnRef, FigHostCallback cb);
bool IsPictureParam(int16_t paramId, FigHostCallback cb);
bool HasFieldType(int16_t idOrColumnRef, int16_t wantedType, FigHostCallback cb);

}  // namespace fig
