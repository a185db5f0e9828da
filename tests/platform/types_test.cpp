// The Windows types keep their Windows sizes and layouts on every platform: records are
// exchanged with hosts and written to files byte for byte.
#include <windows.h>

#include <cstddef>

static_assert(sizeof(LONG) == 4 && sizeof(DWORD) == 4 && sizeof(WORD) == 2 && sizeof(BYTE) == 1);
static_assert(sizeof(WCHAR) == 2);
static_assert(sizeof(COLORREF) == 4);
static_assert(sizeof(POINT) == 8 && sizeof(RECT) == 16 && sizeof(SIZE) == 8);
static_assert(sizeof(RGBQUAD) == 4 && sizeof(PALETTEENTRY) == 4);
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(BITMAPFILEHEADER) == 14 && offsetof(BITMAPFILEHEADER, bfOffBits) == 10);
static_assert(offsetof(BITMAPINFO, bmiColors) == 40);
static_assert(offsetof(BITMAP, bmBits) == (sizeof(void *) == 8 ? 24 : 20));
static_assert(sizeof(LOGFONTW) == 92 && sizeof(LOGFONTA) == 60);
static_assert(offsetof(LOGFONTW, lfFaceName) == 28);
static_assert(sizeof(TEXTMETRICW) == 60 && sizeof(TEXTMETRICA) == 56);
