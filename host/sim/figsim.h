// The host simulator: stands in for the application host that loads figPlot externals.
//
// It loads an external through its real exported entry point, serves every callback
// code as a host would (parameters, fields, lists, names, request records, the banner),
// exchanges pictures as bitmaps made through the platform, and records a trace of every
// callback so tests can assert the exact sequence.
#pragma once

#include <figplot/host_api.h>
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace figsim {

enum class TextWidth { Wide, Narrow };  // figPlotU: 32-bit units; figPlot: 8-bit

// ---- the loaded external ----
class External {
public:
    // Loads a figPlotU or figPlot shared library; null with `error` set on failure.
    static std::unique_ptr<External> Load(const std::string &path, std::string *error);
    ~External();

    FigEntryPoint entry() const { return entry_; }
    HMODULE module() const { return module_; }
    TextWidth width() const { return width_; }
    // The 14-byte "Q7INF" marker and the version block, as a host reads them.
    std::vector<uint8_t> Marker() const;
    std::vector<uint8_t> VersionBlock() const;
    // A function-table string (UTF-8), empty when missing.
    std::string FunctionString(unsigned id) const;

private:
    External() = default;
    void *library_ = nullptr;
    FigEntryPoint entry_ = nullptr;
    HMODULE module_ = nullptr;
    TextWidth width_ = TextWidth::Wide;
};

// Fields in a version block: the fixed part and the string table's values.
struct VersionInfo {
    uint32_t fileVersionMs = 0, fileVersionLs = 0, productVersionMs = 0, productVersionLs = 0;
    uint32_t flagsMask = 0, flags = 0, os = 0, fileType = 0;
    std::string blockName;
    std::vector<std::pair<std::string, std::string>> strings;
    uint32_t translation = 0;
    const std::string *Find(const std::string &name) const;
};
bool ParseVersionBlock(const std::vector<uint8_t> &block, VersionInfo *info);

// ---- values ----
// What a parameter or a list cell holds.
struct Value {
    enum class Kind { Empty, Number, Text, Picture };
    Kind kind = Kind::Empty;
    double number = 0;
    std::u32string text;
    std::vector<uint8_t> picture;  // a packed DIB (header, colour table, bits); empty: no picture

    static Value Num(double n);
    static Value Str(std::u32string s);
    static Value Str(const std::string &utf8);
    static Value Pict(std::vector<uint8_t> packedDib = {});
};

// A list's lines, held compactly so that a list costs a few times its text: every cell is
// 8 bytes (a number's own bits, or a tag and an index), texts sit in one shared byte pool
// (a unit a byte when every unit fits in one), pictures on the side. Lines may differ in
// length. Reading a line or a cell makes its Values afresh.
class ListLines {
public:
    ListLines() = default;
    ListLines(std::initializer_list<std::vector<Value>> lines);

    size_t size() const { return lineStarts_.size(); }
    bool empty() const { return lineStarts_.empty(); }
    void clear();
    // Room for this many lines and cells in all, so that growing never holds two copies.
    void reserve(size_t lines, size_t cells);
    void push_back(const std::vector<Value> &line);
    // The number of cells of a line (0-based), and one cell; false past the line's end.
    size_t CellCount(size_t line) const;
    bool CellAt(size_t line, size_t column, Value *out) const;
    std::vector<Value> operator[](size_t line) const;

    class Iterator {
    public:
        Iterator(const ListLines *lines, size_t at) : lines_(lines), at_(at) {}
        std::vector<Value> operator*() const { return (*lines_)[at_]; }
        Iterator &operator++() { return ++at_, *this; }
        bool operator!=(const Iterator &other) const { return at_ != other.at_; }

    private:
        const ListLines *lines_;
        size_t at_;
    };
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, size()); }

private:
    uint64_t Box(const Value &value);
    Value Unbox(uint64_t cell) const;

    std::vector<uint64_t> cells_;
    std::vector<uint64_t> lineStarts_;  // index of each line's first cell
    std::string texts_;                 // each text: its unit count (7 bits a byte), then its units
    std::vector<std::vector<uint8_t>> pictures_;
};

struct List {
    std::string name;
    std::vector<std::string> columnNames;
    std::vector<int16_t> columnTypes;  // field type per column, as HostGetFieldInfo answers
    ListLines lines;
};

// One callback as the library made it: the code and its integer arguments, plus any
// text it carried (names, banner).
struct TraceEntry {
    int code;
    std::vector<int64_t> args;
    std::u32string text;
};

// How a picture field's bitmap is handed to the library.
enum class BitmapDelivery {
    DibSection,    // a DIB section at the stored depth
    DeviceBitmap,  // a device bitmap at the stored depth (CreateBitmap)
    StaleHandle,   // the handle of a bitmap already deleted: GetObject refuses it
};

// Ways a test host can misbehave, to prove the library copes.
struct HostQuirks {
    bool textWithoutTerminator = false;  // fill text buffers to the maximum with no terminator
    bool fillToMaxLength = false;        // write every fetched value out to the maximum length given
    int32_t fieldNameCount = 0;          // count written into the field information block's name
    bool noRequestRecord = false;        // HostGetRequestRecord answers null
    bool refuseBitmaps = false;          // ValueBitmap fetches leave the handle null
    bool refusePictureStores = false;    // ValueBitmap stores are answered 0 and dropped
    bool zeroByteLength = false;         // a picture's byte length is answered 0 though it has one
    BitmapDelivery bitmapDelivery = BitmapDelivery::DibSection;
    // Non-zero: GetObject describes delivered bitmaps with these planes and bits per pixel
    // (through the describer of SetBitmapDescriber).
    uint16_t describedPlanes = 0, describedBitsPixel = 0;
    int bannerAnswer = 0;                // what HostSendBanner returns
    void **slotPointer = nullptr;        // non-null: passed as the instance slot instead of the host's
};

// Makes GetObject describe a bitmap at another depth: the test build's
// PlatformDescribeBitmapAs. A shipped platform has no such call, so test support hands it
// to the simulator (tests/support); a quirk that needs it aborts without it.
typedef BOOL (*BitmapDescriber)(HBITMAP bitmap, WORD planes, WORD bitsPixel);
void SetBitmapDescriber(BitmapDescriber describe);

// A host that bends some answers now and then, as a careless or hostile host's would (the
// hostile host of tests/support); without one the simulator answers honestly.
class AnswerBender {
public:
    virtual ~AnswerBender() = default;
    virtual int32_t Reference(int32_t honest, bool mayLie) = 0;
    virtual int32_t LineCount(int32_t honest) = 0;
    virtual int32_t ByteLength(int32_t honest) = 0;
    virtual void FieldInfo(int16_t *type, int16_t *status) = 0;
};

// ---- the host ----
class Host {
public:
    explicit Host(External &external);
    ~Host();

    // Raw message with the current slot and window.
    int32_t Send(int32_t message);
    int16_t Open();   // message 0; the result the library stored
    int16_t Close();  // message 2
    // Message 1: runs function `number` with `params` (parameter 1 first). Parameters
    // the library writes are updated in place. Returns the stored result.
    int16_t Call(int number, std::vector<Value> &params);
    // Message 3: the text the library writes into the request record (UTF-8), and its count.
    std::string Describe(int number, int16_t kind, int *count = nullptr, int16_t *result = nullptr);
    // Message 4: the flag field afterwards.
    int16_t FlagRecord();

    void AddList(List list);
    List *FindList(const std::string &name);

    // Overrides: the raw ParamCount number, the function number reported.
    void SetCountOverride(double count) { countOverride_ = count, hasCountOverride_ = true; }
    void ClearCountOverride() { hasCountOverride_ = false; }
    HostQuirks &quirks() { return quirks_; }

    // Bends some answers from now on (name references, "#LN" line counts, byte lengths and
    // field information); null answers honestly again.
    void SetAnswerBender(std::unique_ptr<AnswerBender> bender) { bender_ = std::move(bender); }
    // Forgets every list, as a host that moves to another record does.
    void ClearLists() {
        lists_.clear();
        lastListLooked_ = -1;
    }

    void *&slot() { return slot_; }
    HWND window() const { return window_; }
    // Sets one pixel of the host's own window, as the host's drawing would.
    void SetWindowPixel(int x, int y, COLORREF colour);
    // Bitmaps handed to the library by ValueBitmap fetches since the trace was cleared.
    const std::vector<HBITMAP> &deliveredBitmaps() const { return delivered_; }
    void SetWindow(HWND window) { window_ = window; }
    const std::vector<TraceEntry> &trace() const { return trace_; }
    // Tracing on (the default) records every callback; off, callbacks cost only their serving.
    void SetTracing(bool on) { tracing_ = on; }
    void ClearTrace() {
        trace_.clear();
        delivered_.clear();
    }
    std::vector<int> TraceCodes() const;
    double lastReturnValue() const { return returnValue_; }
    int returnStores() const { return returnStores_; }
    const std::u32string &banner() const { return banner_; }
    TextWidth width() const { return external_.width(); }

    // Serves one callback; called by the C callback the library sees.
    int32_t Serve(int32_t code, va_list args);
    // Makes a callback as an external would, outside any message (for testing hosts).
    int32_t Invoke(int32_t code, ...);

private:
    int32_t LookupName(const void *counted);
    int32_t GetNumber(int id, double *out);
    int32_t SetValue(int id, int type, const void *value);
    int32_t SetNumber(int id, const double *value);
    int32_t GetValue(int id, int type, int32_t maxLength, void *buffer);
    int32_t GetListCell(int listRef, int columnRef, void *buffer, const int32_t *lineAndMax);
    int32_t GetListNumber(int listRef, int32_t line, int columnRef, double *out);
    int32_t GetFieldInfo(uint8_t *block);
    int32_t GetColumnNames(int listRef, int maxLength, void *buffer);
    void WriteText(void *buffer, const std::u32string &text, int32_t maxLength) const;
    void WriteFixed(void *buffer, const void *value, size_t size, int32_t maxLength) const;
    HBITMAP DeliverBitmap(const Value &picture);
    // The answers a bender may bend; the honest answer passes through without one.
    int32_t BentReference(int32_t honest, bool mayLie);
    int32_t BentLineCount(int32_t honest);
    int32_t BentByteLength(int32_t honest);
    void BentFieldInfo(int16_t *type, int16_t *status);
    void DescribeDelivered(HBITMAP bitmap) const;
    std::u32string ReadCounted(const void *counted) const;
    Value *Param(int id);
    bool Cell(int listRef, int32_t line, int columnRef, Value *out) const;

    External &external_;
    void *slot_ = nullptr;
    HWND window_ = nullptr;
    HWND ownWindow_ = nullptr;
    std::vector<Value> *params_ = nullptr;
    int function_ = 0;
    double countOverride_ = 0;
    bool hasCountOverride_ = false;
    std::vector<List> lists_;
    int lastListLooked_ = -1;
    std::vector<uint8_t> record_;
    std::vector<TraceEntry> trace_;
    bool tracing_ = true;
    void Record(TraceEntry entry) {
        if (tracing_) trace_.push_back(std::move(entry));
    }
    std::vector<HBITMAP> delivered_;
    HostQuirks quirks_;
    std::unique_ptr<AnswerBender> bender_;
    double returnValue_ = 0;
    int returnStores_ = 0;
    std::u32string banner_;
};

// ---- pictures ----
// A packed DIB of the given size and depth (1..32), colour table for <= 8 bits from `palette`
// (or the default table for the depth), pixels from `fill` (a pixel value per position).
std::vector<uint8_t> MakePackedDib(int width, int height, int bitsPerPixel);
// Bitmap <-> packed DIB through the platform (a host's picture exchange).
HBITMAP BitmapFromPackedDib(const std::vector<uint8_t> &packed);
// The same picture as a device bitmap of its depth (colours mapped to the default table).
HBITMAP DeviceBitmapFromPackedDib(const std::vector<uint8_t> &packed);
std::vector<uint8_t> PackedDibFromBitmap(HBITMAP bitmap);
// Colour of one pixel of a packed DIB, as 0x00BBGGRR; CLR_INVALID outside.
COLORREF PackedDibPixel(const std::vector<uint8_t> &packed, int x, int y);

// UTF-8 <-> UTF-32 for tests and the command line.
std::u32string Utf8ToUtf32(const std::string &utf8);
std::string Utf32ToUtf8(const std::u32string &text);
// The 8-bit host's text is Windows code page 1252; characters it lacks become '?'.
uint8_t Utf32ToCp1252(char32_t c);
char32_t Cp1252ToUtf32(uint8_t byte);

}  // namespace figsim
