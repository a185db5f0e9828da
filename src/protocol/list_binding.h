// A host list bound by name to its column references, for the drawing command lists.
#pragma once

#include <figplot/host_api.h>

#include <cstdint>

#include "host_text.h"

namespace fig {

constexpr int kMaxBoundColumns = 24;

struct ListColumnMap {
    int16_t listRef;
    int16_t columnCount;
    int16_t columns[kMaxBoundColumns];  // references of the names that resolved, in order
};

// Binds the named list: each of its first 24 column names that the host resolves
// becomes the next column reference; unknown names are skipped.
void BindListColumns(ListColumnMap &map, const HostChar *listName, FigHostCallback cb);

// The number of lines of the bound list, through the host name "#LN": the wide host
// answers the lookup with the count itself; the 8-bit host answers a reference whose
// line-0 cell of the list holds it. The count is a signed 32-bit number: a list of more
// than 32767 lines plays every line.
int32_t ListLineCount(const ListColumnMap &map, FigHostCallback cb);

}  // namespace fig
