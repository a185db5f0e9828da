// DrawText (function 3): one line of text into a picture field.
#include "canvas_ops.h"
#include "library_functions.h"
#include "pictures/picture.h"
#include "protocol/host_callback.h"

namespace fig {
namespace {

constexpr int16_t kFontParam = ParamFirst + 4;

struct TextArgs {
    HostChar text[kTextBufferUnits];
    HostChar faceName[kTextBufferUnits];
    int32_t top, left, font, size, style;
    COLORREF colour;
};

void DrawTextOn(const Canvas &canvas, const void *args) {
    const auto &t = *static_cast<const TextArgs *>(args);
    PaintText(canvas.canvasDc, t.text, t.top, t.left, t.font, t.size, t.style, t.faceName, t.colour);
}

}  // namespace

void DrawTextLine(CallContext &call) {
    TextArgs args{};
    GetTextParam(ParamFirst + 1, args.text, call.callback);
    args.top = GetIntParam(ParamFirst + 2, call.callback);
    args.left = GetIntParam(ParamFirst + 3, call.callback);
    args.font = GetIntParam(kFontParam, call.callback);
    args.size = GetIntParam(ParamFirst + 5, call.callback);
    args.style = GetIntParam(ParamFirst + 6, call.callback);
    args.colour = ResolveColor(*call.instance, GetIntParam(ParamFirst + 7, call.callback));
    // A font given as text (its number below 1) names the face.
    if (args.font < 1 && HasFieldType(kFontParam, FieldTypeText, call.callback))
        GetTextParam(kFontParam, args.faceName, call.callback);
    EditPicture(call, DrawTextOn, &args);
}

}  // namespace fig
