// What a scene is, and the helpers most scenes share: a canvas of each surface kind, GDI
// objects selected for the duration of a block, small layout helpers.
#pragma once

#include "record.h"
#include "surface.h"

#include <functional>
#include <string>
#include <vector>

namespace scenes {

struct Scene {
    std::string name;
    std::string cls;
    std::function<bool(Record&)> run;  // false when a GDI object could not be made
};

using SceneList = std::vector<Scene>;

// What a drawing function gets: the DC, the canvas size, and a place for return values.
struct SceneTarget {
    HDC dc;
    int width;
    int height;
    const SurfaceKind& kind;
    std::vector<int32_t>& extras;
};

using DrawFn = std::function<void(SceneTarget&)>;

inline void CaptureSurface(const Surface& surface, Record& record) {
    record.depth = surface.Kind().depth;
    record.topDown = surface.Kind().topDown;
    record.width = surface.Width();
    record.height = surface.Height();
    record.table = PackTable(surface.Table());
    record.pixels = surface.Pixels().ReadAll();
}

// One scene per surface kind: a fresh DIB filled with the background value, the DC in its
// initial state, then the drawing.
inline void AddCanvasScenes(SceneList& list, const std::string& base, const std::string& cls, int width, int height,
                            DrawFn draw, const std::vector<SurfaceKind>& surfaces = AllSurfaces()) {
    for (const SurfaceKind& kind : surfaces) {
        // Drawing into a table shorter than the depth allows is a rule of its own: its scenes
        // are counted apart so that it does not hide how the primitive itself does.
        std::string sceneClass = kind.table == TableKind::Short ? "shorttable" : cls;
        list.push_back({base + "@" + kind.Label(), sceneClass, [kind, width, height, draw](Record& record) {
                            Surface surface(kind, width, height);
                            if (!surface.Ok()) return false;
                            record.background = BackgroundValue(kind);
                            surface.Fill(record.background);
                            SceneTarget canvas{surface.Dc(), width, height, kind, record.extras};
                            draw(canvas);
                            GdiFlush();
                            CaptureSurface(surface, record);
                            return true;
                        }});
    }
}

// Selects a new object into a DC for the life of the block, then restores and deletes it.
class Selected {
public:
    // Stock objects are passed with owned = false: they are selected but never deleted.
    Selected(HDC dc, HGDIOBJ object, bool owned = true) : dc_(dc), object_(owned ? object : nullptr) {
        previous_ = object ? SelectObject(dc, object) : nullptr;
    }
    ~Selected() {
        if (previous_) SelectObject(dc_, previous_);
        if (object_) DeleteObject(object_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ previous_;
};

inline HGDIOBJ Pen(int width, COLORREF colour) { return CreatePen(PS_SOLID, width, colour); }
inline HGDIOBJ Brush(COLORREF colour) { return CreateSolidBrush(colour); }

inline void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

}  // namespace scenes
