#include "command_list.h"

#include "drawing/canvas_ops.h"
#include "protocol/host_callback.h"
#include "protocol/number.h"

namespace fig {
namespace {

// Reads the cells of one line. Column k is the k-th bound column; a column beyond the
// bound ones reads as 0 or empty text, and no reference the host did not hand out
// reaches it.
class LineCells {
public:
    LineCells(const DrawCommandList &list, int32_t line, FigHostCallback cb) : list_(list), line_(line), cb_(cb) {}

    bool Bound(int column) const { return column >= 1 && column <= list_.map.columnCount; }
    int16_t Reference(int column) const { return list_.map.columns[column - 1]; }

    int32_t Int(int column) const {
        return Bound(column) ? GetCellInt(list_.map.listRef, line_, Reference(column), cb_) : 0;
    }
    int16_t Int16(int column) const { return Low16(Int(column)); }
    int32_t Colour(int column) const {
        double value = 0;
        if (Bound(column)) GetCellNumber(list_.map.listRef, line_, Reference(column), &value, cb_);
        return NumberToInt(value);
    }
    void Text(int column, HostChar *buffer) const {
        buffer[0] = 0;
        if (Bound(column)) GetCellText(list_.map.listRef, line_, Reference(column), buffer, cb_);
    }
    bool IsText(int column) const { return Bound(column) && HasFieldType(Reference(column), FieldTypeText, cb_); }

private:
    const DrawCommandList &list_;
    int32_t line_;
    FigHostCallback cb_;
};

// One line's values as the interpreter holds them; every field is read afresh per line.
struct DrawCommand {
    int16_t code, top, left, bottom, right;  // bottom is the font and right the size for text
    int32_t lineAndStyle;  // column 7: lineSize or style, 16-bit; code 5's start angle, 32-bit
    COLORREF colour;
    bool noOutline;
    int32_t startAngle, spanDegrees;
};

DrawCommand ReadCommand(const LineCells &cells, const InstanceData &instance) {
    DrawCommand c{};
    c.code = cells.Int16(1);
    c.top = cells.Int16(2);
    c.left = cells.Int16(3);
    c.bottom = cells.Int16(4);
    c.right = cells.Int16(5);
    c.lineAndStyle = cells.Int(7);
    const int32_t colour = cells.Colour(6);
    if (c.code == CmdDrawRect || c.code == CmdDrawOval) c.noOutline = cells.Int16(8) != 0;
    if (c.code == CmdDrawOval) {
        c.startAngle = cells.Int(9);
        c.spanDegrees = cells.Int(10);
    } else if (c.code == CmdFillOval) {
        c.startAngle = c.lineAndStyle;
        c.spanDegrees = cells.Int(8);
    }
    c.colour = ResolveColor(instance, colour);
    return c;
}

// Text lines: the face name comes from column 4 when its number is below 1 and the
// host says the column holds text.
void PlayText(HDC dc, const LineCells &cells, const DrawCommand &c) {
    HostChar faceName[kTextBufferUnits];
    faceName[0] = 0;
    if (c.bottom < 1 && cells.IsText(4)) cells.Text(4, faceName);
    HostChar text[kTextBufferUnits];
    cells.Text(8, text);
    PaintText(dc, text, c.top, c.left, c.bottom, c.right, Low16(c.lineAndStyle), faceName, c.colour);
}

// Outlines start one unit further up and left than the stand-alone DrawRect and DrawOval.
RECT OutlineBox(const DrawCommand &c) { return RECT{c.left - 1, c.top - 1, c.right, c.bottom}; }
RECT Box(const DrawCommand &c) { return RECT{c.left, c.top, c.right, c.bottom}; }

void PlayLine(HDC dc, const LineCells &cells, const InstanceData &instance) {
    const DrawCommand c = ReadCommand(cells, instance);
    const int16_t lineSize = Low16(c.lineAndStyle);
    switch (c.code) {
        case CmdEraseRect: PaintEraseRect(dc, Box(c), c.colour); break;
        case CmdDrawLine: PaintLine(dc, lineSize, c.colour, c.top, c.left, c.bottom, c.right); break;
        case CmdDrawRect: PaintRectOutline(dc, lineSize, c.colour, OutlineBox(c), c.noOutline); break;
        case CmdFillRect: PaintRectFill(dc, c.colour, Box(c)); break;
        case CmdDrawOval:
            PaintOvalOutline(dc, lineSize, c.colour, OutlineBox(c), c.noOutline, c.startAngle, c.spanDegrees);
            break;
        case CmdFillOval: PaintOvalFill(dc, c.colour, Box(c), c.startAngle, c.spanDegrees); break;
        case CmdDrawText: PlayText(dc, cells, c); break;
        default: break;  // not a command: the line draws nothing
    }
}

}  // namespace

bool BindDrawCommandList(const CallContext &call, int16_t nameParam, DrawCommandList &list) {
    list = DrawCommandList{};
    HostChar name[kTextBufferUnits];
    GetTextParam(nameParam, name, call.callback);
    if (name[0] == 0) return false;
    BindListColumns(list.map, name, call.callback);
    if (list.map.columnCount < kMinimumCommandColumns) return false;
    list.lineCount = ListLineCount(list.map, call.callback);
    return list.lineCount != 0;
}

void PlayDrawCommands(const InstanceData &instance, FigHostCallback cb, const DrawCommandList &list,
                      const Canvas &canvas) {
    // A wide counter: a count of 2147483647 ends instead of wrapping.
    for (int64_t line = 1; line <= list.lineCount; ++line)
        PlayLine(canvas.canvasDc, LineCells(list, static_cast<int32_t>(line), cb), instance);
}

}  // namespace fig
