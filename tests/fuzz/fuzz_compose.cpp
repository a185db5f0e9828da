// Command-list playback: ComposePict or ComposeFile on a small canvas, with a list whose
// columns, line count and cells all come from the input. The list is read from the input
// once, up front, so the library meets a consistent host that serves it as any list.
#include <figplatform.h>
#include <figplot/host_api.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_session.h"
#include "fuzz_values.h"

extern "C" int32_t FIGPLOT_STDCALL figPlot(int32_t message, void **instanceSlot, void *window, intptr_t,
                                           intptr_t, FigHostCallback callback);

namespace figfuzz {
namespace {

using HostUnit = char32_t;  // the target drives figPlotU

constexpr int kListRef = 1000, kColumnRefBase = 2000, kLineCountRef = 3000;
// Each line costs eight callbacks and a drawing, and what one line can leave behind for the
// next shows within a few lines: more would only slow the run.
constexpr int kMaxLines = 6;
constexpr int kMaxColumns = 12;

struct Cell {
    bool isText = false;
    double number = 0;
    std::u32string text;
};

struct Composition {
    int function = FnComposePict;
    double width = 1, height = 1, depth = 0;
    std::string path;                  // ComposeFile's, inside the scratch folder
    std::vector<int16_t> columnTypes;  // field type per column
    std::u32string columnNames;        // as the host gives them: "c0,c1,..."; the input may garble them
    int16_t lineCount = 0;
    std::vector<std::vector<Cell>> lines;
};

std::u32string FuzzText(ByteSource &in, size_t most) {
    std::u32string text;
    for (size_t n = in.Below(64) % (most + 1); n > 0; --n) {
        const uint8_t b = in.Byte();
        text += b >= 0xF8 ? static_cast<char32_t>(in.U32()) : b >= 0xF0 ? 0x80 + in.U16() : b;
    }
    return text;
}

// The columns the library binds: those whose names the host knows, in the order named, so its
// column j is the j-th of them and a name the host doesn't know moves the rest up.
std::vector<int> BoundColumns(const std::u32string &names, size_t columns) {
    std::vector<int> bound;
    size_t start = 0;
    while (start <= names.size()) {
        const size_t end = std::min(names.find(U',', start), names.size());
        const std::u32string name = names.substr(start, end - start);
        if (name.size() == 2 && name[0] == U'c' && name[1] >= U'a' && name[1] < U'a' + columns)
            bound.push_back(static_cast<int>(name[1] - U'a'));
        start = end + 1;
    }
    return bound;
}

// Text sizes below 96; pens up to 65535 wide (a wider pen along a curve strokes every point
// of its path).
void LimitLineCost(std::vector<Cell> &cells, const std::vector<int> &bound) {
    if (bound.size() < 7) return;  // a list the library refuses
    const auto at = [&](int column) -> Cell & { return cells[bound[column - 1]]; };
    // The code as the library reads it: 65540 and 4.5 are ovals too.
    const int code = at(1).isText ? 0 : Low16(ToInt32(at(1).number));
    if (code == 6 && !at(5).isText) at(5).number = CapMagnitude(at(5).number, 96);
    if ((code == 1 || code == 2 || code == 4) && !at(7).isText) at(7).number = Bounded(at(7).number, 65535);
}

Composition ReadComposition(ByteSource &in, const std::string &scratch) {
    static const double kDepths[] = {0, 1, 4, 8, 16, 24, 32, 2, 15, -1};
    Composition c;
    const uint8_t head = in.Byte();
    c.function = head % 8 == 1 ? FnComposeFile : FnComposePict;  // files cost most: one run in eight
    c.width = 1 + in.Below(64);
    c.height = 1 + in.Below(64);
    c.depth = kDepths[in.Below(10)];
    static const char *const kNames[] = {"out.bmp", "out.png", "OUT.BMP", "sub/out.bmp", "out"};
    c.path = scratch + "/" + kNames[in.Below(5)];
    const int columns = 7 + in.Below(kMaxColumns - 6);
    for (int k = 0; k < columns; ++k) {
        const int16_t types[] = {5, FieldTypeText, FieldTypePicture, 5};
        c.columnTypes.push_back(types[in.Below(4)]);
        if (k) c.columnNames += in.Below(16) ? U',' : U' ';  // now and then a name the host doesn't know
        c.columnNames += U'c';
        c.columnNames += static_cast<char32_t>(U'a' + k);
    }
    const std::vector<int> bound = BoundColumns(c.columnNames, c.columnTypes.size());
    const int lines = in.Below(kMaxLines + 1);
    c.lineCount = static_cast<int16_t>(in.Below(8) ? lines : -lines);
    for (int l = 0; l < lines; ++l) {
        std::vector<Cell> cells(columns);
        for (Cell &cell : cells) {
            cell.isText = in.Below(8) == 0;
            if (cell.isText) cell.text = FuzzText(in, 255);
            else cell.number = FuzzNumber(in);
        }
        LimitLineCost(cells, bound);
        c.lines.push_back(std::move(cells));
    }
    return c;
}

// The host: serves the composition's parameters and its one list.
class ListHost {
public:
    explicit ListHost(const Composition &c) : c_(c) {}
    int32_t Serve(int32_t code, va_list args);

private:
    const Cell *CellAt(int32_t line, int column) const {
        const int k = column - kColumnRefBase;
        if (line < 1 || line > static_cast<int32_t>(c_.lines.size()) || k < 0 || k >= static_cast<int>(c_.columnTypes.size()))
            return nullptr;
        return &c_.lines[line - 1][k];
    }
    static void WriteText(void *buffer, const std::u32string &text, int32_t maxLength) {
        if (maxLength < 0) return;
        const size_t n = text.size() < static_cast<size_t>(maxLength) ? text.size() : static_cast<size_t>(maxLength);
        std::memcpy(buffer, text.data(), n * sizeof(HostUnit));
        std::memset(static_cast<HostUnit *>(buffer) + n, 0, sizeof(HostUnit));
    }
    int32_t LookupName(const int32_t *counted) const;
    int32_t GetValue(int id, int type, int32_t maxLength, void *buffer) const;

    const Composition &c_;
};

int32_t ListHost::LookupName(const int32_t *counted) const {
    std::u32string name(reinterpret_cast<const char32_t *>(counted + 1), counted[0] > 0 && counted[0] < 256 ? counted[0] : 0);
    if (name == U"L") return kListRef;
    if (name == U"#LN") return c_.lineCount;
    if (name.size() == 2 && name[0] == U'c' && name[1] >= U'a' && name[1] < U'a' + c_.columnTypes.size())
        return kColumnRefBase + static_cast<int>(name[1] - U'a');
    return 0;
}

int32_t ListHost::GetValue(int id, int type, int32_t maxLength, void *buffer) const {
    if (id == ParamCount || type == ValueNumber) {
        const double value = id == ParamCount ? 5 : id == ParamFirst + 1 ? c_.width : id == ParamFirst + 2 ? c_.height
                                                : id == ParamFirst + 3 ? c_.depth : 0;
        std::memcpy(buffer, &value, maxLength < 8 ? 0 : 8);
        return 1;
    }
    if (type == ValueText && id == ParamFirst) {
        WriteText(buffer, std::u32string(c_.path.begin(), c_.path.end()), maxLength);
        return 1;
    }
    if (type == ValueText && id == ParamFirst + 4) {
        WriteText(buffer, U"L", maxLength);
        return 1;
    }
    return 0;
}

int32_t ListHost::Serve(int32_t code, va_list args) {
    switch (code) {
        case HostLookupName: return LookupName(va_arg(args, const int32_t *));
        case HostGetNumber: {
            const int id = va_arg(args, int);
            double *out = va_arg(args, double *);
            GetValue(id, ValueNumber, 8, out);
            return 1;
        }
        case HostGetValue: {
            const int id = va_arg(args, int);
            const int type = va_arg(args, int);
            const int32_t max = va_arg(args, int32_t);
            return GetValue(id, type, max, va_arg(args, void *));
        }
        case HostSetValue: {
            const int id = va_arg(args, int);
            const int type = va_arg(args, int);
            HBITMAP bitmap = nullptr;
            if (type == ValueBitmap) std::memcpy(&bitmap, va_arg(args, const void *), sizeof bitmap);
            BITMAP description;
            return id == ParamReturnValue || (bitmap && GetObjectW(bitmap, sizeof description, &description));
        }
        case HostGetListCell: {
            (void)va_arg(args, int);
            const int column = va_arg(args, int);
            (void)va_arg(args, int);
            void *buffer = va_arg(args, void *);
            const int32_t *lineAndMax = va_arg(args, const int32_t *);
            const Cell *cell = CellAt(lineAndMax[0], column);
            WriteText(buffer, cell && cell->isText ? cell->text : U"", lineAndMax[1]);
            return 1;
        }
        case HostGetListNumber: {
            (void)va_arg(args, int);
            const int32_t line = va_arg(args, int32_t);
            const int column = va_arg(args, int);
            double *out = va_arg(args, double *);
            const Cell *cell = CellAt(line, column);
            *out = line == 0 && column == kLineCountRef ? c_.lineCount : cell && !cell->isText ? cell->number : 0;
            return 1;
        }
        case HostGetFieldInfo: {
            auto *block = va_arg(args, uint8_t *);
            int16_t id;
            std::memcpy(&id, block + FIG_FIELDINFO_ID_U, 2);
            const int k = id - kColumnRefBase;
            const int16_t status = 1;
            const int16_t type = id == ParamFirst ? int16_t{FieldTypePicture}
                                 : k >= 0 && k < static_cast<int>(c_.columnTypes.size()) ? c_.columnTypes[k] : int16_t{5};
            std::memcpy(block + FIG_FIELDINFO_STATUS_U, &status, 2);
            std::memcpy(block + FIG_FIELDINFO_TYPE_U, &type, 2);
            return 1;
        }
        case HostGetFunctionNumber: *va_arg(args, int32_t *) = c_.function; return 1;
        case HostGetColumnNames: {
            (void)va_arg(args, int);
            const int max = va_arg(args, int);
            WriteText(va_arg(args, void *), c_.columnNames, max);
            return 1;
        }
        default: return 0;  // the banner, the request record: nothing this session needs
    }
}

}  // namespace
}  // namespace figfuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace figfuzz;
    static HWND window = CreateWindowExW(0, u"STATIC", nullptr, WS_POPUP, 0, 0, 64, 48, nullptr, nullptr, nullptr, nullptr);
    static const std::string scratch = ScratchFolder("figfuzz-compose");
    static const int baseline = PlatformLiveTotal();
    ByteSource in(data, size);
    const Composition composition = ReadComposition(in, scratch);
    ListHost host(composition);
    Serving<ListHost>::host = &host;
    void *slot = nullptr;
    for (int message : {MsgOpen, MsgCall, MsgClose}) figPlot(message, &slot, window, 0, 0, &Serving<ListHost>::Callback);
    Serving<ListHost>::host = nullptr;
    if (composition.function == FnComposeFile) EmptyFolder(scratch);
    CheckNothingOutlives(baseline, "composition");
    return 0;
}
