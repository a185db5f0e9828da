// The stock objects: made once, registered as stock (never counted, never deleted).
#include "api/gdi/gdi_objects.h"

#include <array>
#include <cstring>

namespace figplat::gdi {
namespace {

constexpr int kStockCount = DEFAULT_PALETTE + 1;

template <typename T>
T *RegisterStock(T *object) {
    object->stock = true;
    object->handle = RegisterStockObject(object->kind, object);
    return object;
}

GdiObject *StockBrush(UINT style, COLORREF colour) {
    auto *brush = new BrushObject;
    brush->log = LOGBRUSH{style, colour, 0};
    return RegisterStock(brush);
}

GdiObject *StockPen(UINT style, LONG width, COLORREF colour) {
    auto *pen = new PenObject;
    pen->log = LOGPEN{style, POINT{width, 0}, colour};
    return RegisterStock(pen);
}

// The system font as Windows describes it: a bold, variable-pitch swiss face named "System".
GdiObject *StockSystemFont() {
    auto *font = new FontObject;
    font->log.lfHeight = 16;
    font->log.lfWidth = 7;
    font->log.lfWeight = FW_BOLD;
    font->log.lfCharSet = ANSI_CHARSET;
    font->log.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const char16_t face[] = u"System";
    std::memcpy(font->log.lfFaceName, face, sizeof face);
    return RegisterStock(font);
}

struct StockTable {
    std::array<GdiObject *, kStockCount> objects{};
    BitmapObject *bitmap = nullptr;

    StockTable() {
        objects[WHITE_BRUSH] = StockBrush(BS_SOLID, RGB(255, 255, 255));
        objects[LTGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(192, 192, 192));
        objects[GRAY_BRUSH] = StockBrush(BS_SOLID, RGB(128, 128, 128));
        objects[DKGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(64, 64, 64));
        objects[BLACK_BRUSH] = StockBrush(BS_SOLID, RGB(0, 0, 0));
        objects[NULL_BRUSH] = StockBrush(BS_NULL, 0);
        objects[WHITE_PEN] = StockPen(PS_SOLID, 0, RGB(255, 255, 255));
        objects[BLACK_PEN] = StockPen(PS_SOLID, 0, RGB(0, 0, 0));
        objects[NULL_PEN] = StockPen(PS_NULL, 1, 0);
        objects[SYSTEM_FONT] = StockSystemFont();
        objects[DEFAULT_PALETTE] = RegisterStock(new PaletteObject);
        bitmap = new BitmapObject;
        bitmap->surface = MakeMonochromeDeviceSurface(1, 1);
        RegisterStock(bitmap);
    }
};

StockTable &Stock() {
    static StockTable *table = new StockTable;  // lives to process exit
    return *table;
}

}  // namespace

GdiObject *StockObject(int index) {
    if (index < 0 || index >= kStockCount) return nullptr;
    return Stock().objects[static_cast<size_t>(index)];
}

BitmapObject *StockBitmap() { return Stock().bitmap; }

}  // namespace figplat::gdi
