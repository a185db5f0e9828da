#include "list_binding.h"

#include "global_blocks.h"
#include "host_callback.h"
#include "number.h"

namespace fig {
namespace {

// Splits the comma-separated names in place; returns how many there are.
int SplitNames(HostChar *names) {
    if (names[0] == 0) return 0;
    int count = 1;
    for (HostChar *p = names; *p; ++p)
        if (*p == ',') {
            *p = 0;
            ++count;
        }
    return count;
}

void ResolveColumns(ListColumnMap &map, const HostChar *names, int nameCount, FigHostCallback cb) {
    if (nameCount > kMaxBoundColumns) nameCount = kMaxBoundColumns;
    const HostChar *name = names;
    for (int i = 0; i < nameCount; ++i) {
        int16_t ref = Low16(LookupNameRef(name, cb));
        if (ref != 0) map.columns[map.columnCount++] = ref;
        name += HostTextLength(name) + 1;
    }
}

}  // namespace

void BindListColumns(ListColumnMap &map, const HostChar *listName, FigHostCallback cb) {
    map = ListColumnMap{};  // every reference, not only the first: no stale one can reach the host
    auto *names = static_cast<HostChar *>(AllocZeroed((kColumnNameUnits + 1) * sizeof(HostChar)));
    if (!names) return;
    int16_t listRef = Low16(LookupNameRef(listName, cb));
    if (listRef == 0) {
        FreeBlock(names);
        return;
    }
    map.listRef = listRef;
    GetColumnNames(listRef, names, cb);
    ResolveColumns(map, names, SplitNames(names), cb);
    FreeBlock(names);
}

int32_t ListLineCount(const ListColumnMap &map, FigHostCallback cb) {
    HostChar name[4];
    AsciiToHostText("#LN", name, true);
    const int32_t answer = LookupNameRef(name, cb);
#if FIGPLOT_WIDE
    (void)map;
    return answer;
#else
    return GetCellInt(map.listRef, 0, Low16(answer), cb);  // a reference, as every column's, is 16-bit
#endif
}

}  // namespace fig
