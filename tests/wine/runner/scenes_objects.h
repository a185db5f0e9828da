// What the object and DC functions report around the drawing: device caps of a memory DC,
// GetObject of bitmaps, pens, brushes and fonts, object types, previous values returned by
// the setters, GetDIBits asked only for the header, and failures on bad arguments.
#pragma once

#include "scene.h"
#include "scenes_text.h"

namespace scenes {

inline void PushDeviceCaps(SceneTarget& c) {
    for (int index :
         {HORZRES, VERTRES, BITSPIXEL, PLANES, NUMCOLORS, LOGPIXELSX, LOGPIXELSY, RASTERCAPS, SIZEPALETTE, NUMRESERVED})
        c.extras.push_back(GetDeviceCaps(c.dc, index));
}

inline void PushBitmapObject(SceneTarget& c) {
    HGDIOBJ bitmap = GetCurrentObject(c.dc, OBJ_BITMAP);
    BITMAP info;
    std::memset(&info, 0, sizeof(info));
    c.extras.push_back(GetObjectW(bitmap, sizeof(info), &info));
    for (LONG v : {info.bmType, info.bmWidth, info.bmHeight, info.bmWidthBytes, LONG(info.bmPlanes),
                   LONG(info.bmBitsPixel), LONG(info.bmBits != nullptr)})
        c.extras.push_back(v);
    c.extras.push_back(GetObjectW(bitmap, 0, nullptr));
    c.extras.push_back(static_cast<int32_t>(GetObjectType(bitmap)));
    c.extras.push_back(static_cast<int32_t>(GetObjectType(c.dc)));
}

inline void PushPenBrushFont(SceneTarget& c) {
    HPEN pen = CreatePen(PS_SOLID, 3, kPenColour);
    LOGPEN logPen;
    std::memset(&logPen, 0, sizeof(logPen));
    c.extras.push_back(GetObjectW(pen, sizeof(logPen), &logPen));
    for (LONG v : {LONG(logPen.lopnStyle), logPen.lopnWidth.x, logPen.lopnWidth.y, LONG(logPen.lopnColor)})
        c.extras.push_back(v);
    c.extras.push_back(static_cast<int32_t>(GetObjectType(pen)));
    HBRUSH brush = CreateSolidBrush(kBrushColour);
    LOGBRUSH logBrush;
    std::memset(&logBrush, 0, sizeof(logBrush));
    c.extras.push_back(GetObjectW(brush, sizeof(logBrush), &logBrush));
    for (LONG v : {LONG(logBrush.lbStyle), LONG(logBrush.lbColor), LONG(logBrush.lbHatch)}) c.extras.push_back(v);
    c.extras.push_back(static_cast<int32_t>(GetObjectType(brush)));
    HFONT font = MakeFont(u"Arial", -13, TextStyles()[1]);
    LOGFONTW logFont;
    std::memset(&logFont, 0, sizeof(logFont));
    c.extras.push_back(GetObjectW(font, sizeof(logFont), &logFont));
    for (LONG v : {logFont.lfHeight, logFont.lfWidth, logFont.lfWeight, LONG(logFont.lfItalic), LONG(logFont.lfCharSet),
                   LONG(logFont.lfFaceName[0]), LONG(logFont.lfFaceName[4]), LONG(logFont.lfFaceName[5])})
        c.extras.push_back(v);
    c.extras.push_back(static_cast<int32_t>(GetObjectType(font)));
    DeleteObject(font);
    DeleteObject(brush);
    DeleteObject(pen);
}

inline void PushStockObjects(SceneTarget& c) {
    for (int stock : {WHITE_BRUSH, NULL_BRUSH, BLACK_PEN, NULL_PEN, SYSTEM_FONT, DEFAULT_PALETTE})
        c.extras.push_back(static_cast<int32_t>(GetObjectType(GetStockObject(stock))));
    c.extras.push_back(GetStockObject(9) == nullptr);
    c.extras.push_back(GetStockObject(99) == nullptr);
    c.extras.push_back(GetCurrentObject(c.dc, OBJ_PEN) == GetStockObject(BLACK_PEN));
    c.extras.push_back(GetCurrentObject(c.dc, OBJ_BRUSH) == GetStockObject(WHITE_BRUSH));
    c.extras.push_back(GetCurrentObject(c.dc, OBJ_FONT) == GetStockObject(SYSTEM_FONT));
    c.extras.push_back(DeleteObject(GetStockObject(BLACK_PEN)));
}

inline void PushSetterResults(SceneTarget& c) {
    c.extras.push_back(static_cast<int32_t>(SetTextColor(c.dc, kTextColour)));
    c.extras.push_back(static_cast<int32_t>(SetTextColor(c.dc, RGB(1, 2, 3))));
    c.extras.push_back(static_cast<int32_t>(GetTextColor(c.dc)));
    c.extras.push_back(static_cast<int32_t>(SetBkColor(c.dc, RGB(4, 5, 6))));
    c.extras.push_back(static_cast<int32_t>(GetBkColor(c.dc)));
    c.extras.push_back(SetBkMode(c.dc, TRANSPARENT));
    c.extras.push_back(SetBkMode(c.dc, 7));
    c.extras.push_back(GetBkMode(c.dc));
    POINT previous = {-1, -1};
    MoveToEx(c.dc, 3, 4, nullptr);
    c.extras.push_back(MoveToEx(c.dc, 5, 6, &previous));
    c.extras.push_back(previous.x);
    c.extras.push_back(previous.y);
    LineTo(c.dc, 9, 2);
    MoveToEx(c.dc, 0, 0, &previous);
    c.extras.push_back(previous.x);
    c.extras.push_back(previous.y);
    POINT points[2] = {{7, -3}, {100, 200}};
    c.extras.push_back(DPtoLP(c.dc, points, 2));
    for (LONG v : {points[0].x, points[0].y, points[1].x, points[1].y}) c.extras.push_back(v);
}

// GetDIBits with no bits fills in the header only; a second DC cannot select the bitmap.
inline void PushBitmapQueries(SceneTarget& c) {
    HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(c.dc, OBJ_BITMAP));
    DibInfo info;
    std::memset(&info, 0, sizeof(info));
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    c.extras.push_back(GetDIBits(c.dc, bitmap, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS));
    for (LONG v : {info.header.biWidth, info.header.biHeight, LONG(info.header.biPlanes), LONG(info.header.biBitCount),
                   LONG(info.header.biCompression), LONG(info.header.biSizeImage), LONG(info.header.biClrUsed)})
        c.extras.push_back(v);
    HDC other = CreateCompatibleDC(nullptr);
    c.extras.push_back(SelectObject(other, bitmap) == nullptr);
    c.extras.push_back(DeleteDC(other));
}

// Deleting an object while a DC still has it selected: the DC keeps drawing with it until it
// is deselected, and only then does the handle stop being valid.
inline void DeleteWhileSelected(SceneTarget& c) {
    HGDIOBJ pen = CreatePen(PS_SOLID, 1, kPenColour);
    HGDIOBJ brush = CreateSolidBrush(kBrushColour);
    HGDIOBJ oldPen = SelectObject(c.dc, pen);
    HGDIOBJ oldBrush = SelectObject(c.dc, brush);
    c.extras.push_back(DeleteObject(pen));
    c.extras.push_back(DeleteObject(brush));
    c.extras.push_back(static_cast<int32_t>(GetObjectType(pen)));
    c.extras.push_back(Rectangle(c.dc, 1, 1, 11, 6));
    c.extras.push_back(SelectObject(c.dc, oldPen) == pen);
    c.extras.push_back(SelectObject(c.dc, oldBrush) == brush);
    c.extras.push_back(static_cast<int32_t>(GetObjectType(pen)));
    c.extras.push_back(static_cast<int32_t>(GetObjectType(brush)));
    c.extras.push_back(SelectObject(c.dc, pen) == nullptr);
    c.extras.push_back(Rectangle(c.dc, 3, 2, 13, 7));
}

// Null, made-up, deleted and wrong-kind handles must fail the way Windows fails.
inline void BadHandles(SceneTarget& c) {
    HPEN pen = CreatePen(PS_SOLID, 1, kPenColour);
    RECT r;
    SetRect(&r, 1, 1, 6, 5);
    c.extras.push_back(FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(pen)));
    c.extras.push_back(DeleteObject(nullptr));
    c.extras.push_back(static_cast<int32_t>(GetObjectType(nullptr)));
    c.extras.push_back(GetObjectW(nullptr, 0, nullptr));
    c.extras.push_back(SelectObject(c.dc, nullptr) == nullptr);
    c.extras.push_back(SelectObject(c.dc, reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(0x7F3A1))) == nullptr);
    c.extras.push_back(DeleteObject(pen));
    c.extras.push_back(DeleteObject(pen));
    c.extras.push_back(static_cast<int32_t>(GetObjectType(pen)));
    c.extras.push_back(SelectObject(c.dc, pen) == nullptr);
    c.extras.push_back(Rectangle(c.dc, 4, 2, 11, 6));
    c.extras.push_back(DeleteDC(nullptr));
    c.extras.push_back(GetPixel(nullptr, 0, 0) == CLR_INVALID);
}

inline void AddObjectScenes(SceneList& list) {
    AddCanvasScenes(list, "objects_bad_handles", "badhandles", 13, 7, BadHandles);
    AddCanvasScenes(list, "objects_delete_selected", "objects", 13, 7, DeleteWhileSelected);
    AddCanvasScenes(list, "objects_device_caps", "objects", 13, 7, PushDeviceCaps);
    AddCanvasScenes(list, "objects_bitmap", "objects", 13, 7, PushBitmapObject);
    AddCanvasScenes(list, "objects_pen_brush_font", "objects", 13, 7, PushPenBrushFont);
    AddCanvasScenes(list, "objects_stock", "objects", 13, 7, PushStockObjects);
    AddCanvasScenes(list, "objects_setters", "objects", 13, 7, PushSetterResults);
    AddCanvasScenes(list, "objects_bitmap_queries", "objects", 13, 7, PushBitmapQueries);
}

}  // namespace scenes
