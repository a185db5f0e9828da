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

}  // namespace fig
