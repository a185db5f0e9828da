/*
 * What the portable platform offers beyond the Windows API: live-object counts, fault
 * injection, test windows and the module registry that stands in for the PE loader.
 * Hosts and tests use it; the figPlot library itself never does.
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
 * A window for GetDC: a handle the platform knows, with a client area of the given size,
 * 32-bit true colour, white when made. GetDC on an unknown window fails.
 */
WINBASEAPI HWND PlatformCreateWindow(int width, int height);
WINBASEAPI BOOL PlatformDestroyWindow(HWND window);

/*
 * Makes GetObject describe a bitmap with the given planes and bits per pixel (0 keeps the
 * bitmap's own), as some display drivers described theirs; its pixels stay as they are.
 * Lets tests hand a library the planar and odd-depth bitmaps that Windows hosts may meet.
 */
WINBASEAPI BOOL PlatformDescribeBitmapAs(HBITMAP bitmap, WORD planes, WORD bitsPixel);

/* How many GetDIBits calls read a bitmap while it was selected into a DC, which Windows
   documents as not allowed. */
WINBASEAPI int PlatformSelectedBitmapReads(void);

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
 * Registers a loaded module with its resources; the handle is the module's base address,
 * as on Windows. Any address inside the module identifies it.
 */
WINBASEAPI HMODULE PlatformAttachModule(const void *addressInModule, const PlatformResourceTable *resources);
WINBASEAPI void PlatformDetachModule(HMODULE module);
WINBASEAPI HMODULE PlatformModuleFromAddress(const void *addressInModule);

#endif
