/*
 * What the portable platform offers beyond the Windows API: the module registry that stands
 * in for the PE loader (every build), and the test build's hooks (FIGPLOT_TEST_HOOKS, the
 * figplatform_test library): live-object counts, fault injection, the release order.
 * The figPlot library itself uses neither; the shipped library exports no test hook.
 */
#ifndef FIGPLATFORM_FIGPLATFORM_H
#define FIGPLATFORM_FIGPLATFORM_H

#include <windows.h>

/* Kinds of live object the platform tracks. */
typedef enum PlatformObjectKind {
    PlatformMemory = 0, /* GlobalAlloc and LocalAlloc blocks */
    PlatformDc,         /* memory DCs and DCs from GetDC */
    PlatformBitmap,
    PlatformPen,
    PlatformBrush,
    PlatformFont,
    PlatformFile,
    PlatformWindow,
    PlatformObjectKindCount
} PlatformObjectKind;

#ifdef FIGPLOT_TEST_HOOKS

/* Number of live objects of one kind (stock objects are not counted). */
WINBASEAPI int PlatformLiveCount(PlatformObjectKind kind);
/* Sum over all kinds. */
WINBASEAPI int PlatformLiveTotal(void);

/*
 * Fault injection: the nth call (counting from 1) of the named API function, from now on,
 * fails as the real function fails (null handle, FALSE, 0). Only one fault per function
 * is armed at a time; arming again replaces it. A fault fires once.
 */
WINBASEAPI void PlatformFailNthCall(const char *function, int n);
WINBASEAPI void PlatformClearFaults(void);
/* How often the named function has been entered since the last PlatformResetCallCounts. */
WINBASEAPI int PlatformCallCount(const char *function);
WINBASEAPI void PlatformResetCallCounts(void);
/*
 * The functions entered since the last PlatformResetCallCounts, in name order: up to
 * `capacity` names go to `names` (static strings); returns how many there are in all.
 * Lets a test find every call a path makes that could fail, without listing them itself.
 */
WINBASEAPI int PlatformCalledFunctions(const char **names, int capacity);
/*
 * The nth WriteFile from now on (counting from 1) writes half of what it is given and
 * reports that count as success, as a write cut short may; 0 disarms. It fires once.
 */
WINBASEAPI void PlatformShortenNthWrite(int n);
/*
 * The next GetDIBits that copies pixels reports an image size `bytes` off the true one, as
 * a driver with a layout of its own may; 0 disarms. It fires once.
 */
WINBASEAPI void PlatformSkewNextImageSize(LONG bytes);

/*
 * Releases (DeleteObject, DeleteDC, ReleaseDC, GlobalFree, LocalFree, CloseHandle) given a
 * handle that is no longer live, counted since the start: a second release of one object.
 * Windows rejects them quietly, so only this count shows a double release.
 */
WINBASEAPI int PlatformStaleReleases(void);

/* Makes GlobalMemoryStatusEx report this much physical memory available (0: the real figure),
   so tests can see what a library does on a machine short of memory. */
WINBASEAPI void PlatformSetAvailableMemory(unsigned long long bytes);

/* MessageBeep has no sound here: it is recorded. */
WINBASEAPI int PlatformBeepCount(void);
WINBASEAPI UINT PlatformLastBeepType(void);

/*
 * Makes GetObject describe a bitmap with the given planes and bits per pixel (0 keeps the
 * bitmap's own), as some display drivers described theirs; its pixels stay as they are.
 * Lets tests hand a library the planar and odd-depth bitmaps that Windows hosts may meet.
 */
WINBASEAPI BOOL PlatformDescribeBitmapAs(HBITMAP bitmap, WORD planes, WORD bitsPixel);

/* How many GetDIBits calls read a bitmap while it was selected into a DC, which Windows
   documents as not allowed. */
WINBASEAPI int PlatformSelectedBitmapReads(void);

/* One release of a platform object: what kind it was and its handle. */
typedef struct PlatformRelease {
    PlatformObjectKind kind;
    HANDLE handle;
} PlatformRelease;

/*
 * The releases (DeleteObject, DeleteDC, ReleaseDC, GlobalFree, CloseHandle...) of live
 * objects since the last PlatformResetReleaseOrder, oldest first: up to `capacity` go to
 * `releases`; returns how many there were in all (the record keeps the first 256).
 */
WINBASEAPI int PlatformReleaseOrder(PlatformRelease *releases, int capacity);
WINBASEAPI void PlatformResetReleaseOrder(void);

#endif /* FIGPLOT_TEST_HOOKS */

/* ---- modules and their resources ---- */
typedef struct PlatformStringResource {
    UINT id;
    WORD language;
    const char *utf8; /* resource strings are stored as UTF-8 and served as UTF-16 */
} PlatformStringResource;

typedef struct PlatformRawResource {
    WORD type;        /* RT_RCDATA, RT_VERSION, ... */
    const char *name; /* a name, or NULL for an integer id */
    WORD id;
    WORD language;
    const BYTE *data;
    DWORD size;
} PlatformRawResource;

typedef struct PlatformResourceTable {
    const PlatformStringResource *strings;
    int stringCount;
    const PlatformRawResource *raw;
    int rawCount;
} PlatformResourceTable;

/*
 * The loader's interface (platform/module/module_entry.cpp), the one export without a
 * Windows name: the PE loader reads a DLL's resource section itself, an ELF loader knows
 * none, so a module registers its table at load. The handle is the module's base address,
 * as on Windows; any address inside the module identifies it (GetModuleHandleExW).
 */
WINBASEAPI HMODULE PlatformAttachModule(const void *addressInModule, const PlatformResourceTable *resources);
WINBASEAPI void PlatformDetachModule(HMODULE module);

#endif
