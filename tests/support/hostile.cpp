// The hostile host: parameters, lists and answers drawn to hurt. Every value stays what
// a host could hand over through the binary interface (texts within the maximum length
// given, one handle per bitmap fetch); only the contents are adversarial.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "hostile.h"

namespace figsim {
namespace {

template <typename T, size_t N>
const T &Pick(const T (&choices)[N], uint32_t roll) {
    return choices[roll % N];
}

// The parameters each function takes, in order: P picture, T text, N number, S a canvas
// side, Z a font size, W an arc's pen width, F a file path, L the command list's name.
const char *Layout(int function) {
    static const char *const kLayouts[] = {"", "FSSNL", "PSSNL", "PTNNNZNN", "PNNNNNNN", "PWNNNNNNNN",
                                           "PNNNNN", "PNNNNNNN", "PNNNNNN", "PN", "PSS", "PNN", "PN", "NNN"};
    return function >= 1 && function <= 13 ? kLayouts[function] : "NNNN";
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

// Canvases stay within this many pixels (300x30000, or 2000x2000): a host may ask for more,
// but refusing too large a canvas before it is allocated is not this mode's subject, and a
// sanitized run must not spend its memory on one.
constexpr double kMaxCanvasPixels = 300 * 30000;

// A number as the library will read it: a text by its leading number, as the host converts
// it, then truncated to 32 bits (anything beyond, or not a number, is INT32_MIN).
double AsRead(const Value &v) {
    const double n = v.kind == Value::Kind::Number ? v.number
                     : v.kind == Value::Kind::Text ? std::strtod(Utf32ToUtf8(v.text).c_str(), nullptr)
                                                   : 0;
    return n > -2147483649.0 && n < 2147483648.0 ? std::trunc(n) : INT32_MIN;
}

// A canvas side; one below 1 makes no canvas.
double Side(const Value &v) { return std::max(AsRead(v), 0.0); }

void BoundCanvas(std::vector<Value> &params, const char *layout) {
    Value *sides[2] = {};
    for (size_t i = 0, n = 0; layout[i] && i < params.size(); ++i)
        if (layout[i] == 'S' && n < 2) sides[n++] = &params[i];
    if (!sides[1]) return;
    while (Side(*sides[0]) * Side(*sides[1]) > kMaxCanvasPixels) {
        Value *larger = std::fabs(Side(*sides[0])) > std::fabs(Side(*sides[1])) ? sides[0] : sides[1];
        *larger = Value::Num(1);
    }
}

// The answers the hostile host bends, drawn from its generator.
class HostileBender final : public AnswerBender {
public:
    explicit HostileBender(Hostile &dice) : dice_(dice) {}

    int32_t Reference(int32_t honest, bool mayLie) override {
        if (!mayLie || !dice_.Chance(8)) return honest;
        return dice_.Chance(50) ? 0 : static_cast<int32_t>(dice_.Random(0));
    }

    int32_t LineCount(int32_t honest) override {
        if (dice_.Chance(50)) return honest;
        static const int32_t kCounts[] = {32767, 40000, -1, -32768, 0, 1, 65539};
        return Pick(kCounts, dice_.Random(0));
    }

    int32_t ByteLength(int32_t honest) override {
        if (!dice_.Chance(20)) return honest;
        static const int32_t kLengths[] = {0, -1, INT32_MAX, INT32_MIN, 1, 4};
        return dice_.Chance(20) ? static_cast<int32_t>(dice_.Random(0)) : Pick(kLengths, dice_.Random(0));
    }

    void FieldInfo(int16_t *type, int16_t *status) override {
        if (!dice_.Chance(8)) return;
        static const int16_t kStatuses[] = {0, 1, 2, -1};
        static const int16_t kTypes[] = {FieldTypeText, FieldTypePicture, 5, -1, SHRT_MIN};
        *status = Pick(kStatuses, dice_.Random(0));
        *type = Pick(kTypes, dice_.Random(0));
    }

private:
    Hostile &dice_;
};

}  // namespace

Hostile::Hostile(Host &host, uint32_t seed) : host_(host), state_(seed * 0x9E3779B97F4A7C15ull | 1) {
    host_.SetAnswerBender(std::make_unique<HostileBender>(*this));
}

Hostile::~Hostile() { host_.SetAnswerBender(nullptr); }

// splitmix64: small, fast and the same on every platform.
uint32_t Hostile::Random(uint32_t bound) {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    const auto value = static_cast<uint32_t>(z ^ (z >> 31));
    return bound ? value % bound : value;
}

// Any pen: narrow ones, every width up to 65535, and the hostile numbers.
double Hostile::Pen() {
    if (Chance(40)) return static_cast<double>(Random(18)) - 1;
    if (Chance(60)) return static_cast<double>(Random(65536));
    return Number();
}

double Hostile::Number() {
    static const double kNumbers[] = {kNaN,    kInfinity, -kInfinity, 1e300,        -1e300,        -0.0,         0,
                                      1,       -1,        2.9,        -2.9,         32767,         32768,        65535,
                                      65536,   70000,     2147483647, 2147483648.0, -2147483649.0, 4294967296.0, 1e-300};
    if (Chance(30)) return static_cast<double>(static_cast<int32_t>(Random(2001))) - 1000;
    return Pick(kNumbers, Random(0));
}

std::u32string Hostile::Text() {
    switch (Random(10)) {
        case 0: return U"";
        case 1: return std::u32string(255, U'a');   // at the maximum
        case 2: return std::u32string(256, U'b');   // one beyond
        case 3: return std::u32string(1000, U'c');  // far beyond
        case 4: return std::u32string(U"ab\0cd", 5);  // an embedded zero
        case 5: return {0xD800, U'a', 0xDFFF, 0xDC00, 0xD800};  // surrogates alone, out of order
        case 6: return {0x110000, 0xFFFFFFFF, 0x7FFFFFFF, U'x', 0x1F600};  // beyond Unicode
        case 7: return Chance(50) ? U"Courier New" : U"cmds";
        default: {
            std::u32string text(1 + Random(300), U' ');
            for (char32_t &c : text) c = Chance(70) ? 0x20 + Random(0x60) : Random(0);
            return text;
        }
    }
}

// Shapes (FillOval to DrawLine) now and then land on a tall or a large picture, where wide
// pens cost most. Handing such a picture over and back costs its bytes several times (a
// second at 32 bits on a busy machine), so those come at 1 to 8 bits: a pen's geometry is
// the same at any depth.
Value Hostile::Picture(bool mayBeLarge) {
    static const int kDepths[] = {1, 4, 8, 16, 24, 32};
    static const int kSizes[][2] = {{1, 1}, {30000, 1}, {1, 30000}, {31, 19}, {2, 2}};
    static const int kLargeSizes[][2] = {{300, 30000}, {2000, 2000}};
    if (Chance(10)) return Value::Pict();  // an empty field
    if (mayBeLarge && Chance(15)) {
        const auto &size = Pick(kLargeSizes, Random(0));
        return Value::Pict(MakePackedDib(size[0], size[1], kDepths[Random(3)]));
    }
    const auto &size = Pick(kSizes, Random(0));
    return Value::Pict(MakePackedDib(size[0], size[1], Pick(kDepths, Random(0))));
}

void Hostile::DrawQuirks() {
    HostQuirks &quirks = host_.quirks();
    quirks = HostQuirks{};
    quirks.textWithoutTerminator = Chance(10);
    quirks.fillToMaxLength = Chance(50);
    static const int32_t kNameCounts[] = {1, 254, 255, 256, 1000, -1, INT32_MAX};
    if (Chance(10)) quirks.fieldNameCount = Pick(kNameCounts, Random(0));
    quirks.noRequestRecord = Chance(50);
    quirks.refuseBitmaps = Chance(10);
    quirks.refusePictureStores = Chance(10);
    quirks.zeroByteLength = Chance(10);
    quirks.bitmapDelivery = Chance(10) ? BitmapDelivery::DeviceBitmap
                             : Chance(5) ? BitmapDelivery::StaleHandle
                                         : BitmapDelivery::DibSection;
    static const uint16_t kPlanes[] = {1, 2, 4}, kBits[] = {1, 3, 4, 7, 8, 15, 16, 24, 32, 33, 255};
    if (Chance(10)) {
        quirks.describedPlanes = Pick(kPlanes, Random(0));
        quirks.describedBitsPixel = Pick(kBits, Random(0));
    }
    quirks.bannerAnswer = static_cast<int>(Random(0));
    static const double kCounts[] = {0, -1, 65535, kNaN, 2.9, 1e300, -0.0, 32767, 70000, kInfinity};
    if (Chance(15)) host_.SetCountOverride(Pick(kCounts, Random(0)));
    else host_.ClearCountOverride();
}

// The command list: 0, 7, 10, 30 or 2,000 column names, a few lines of any code.
void Hostile::DrawList(const std::u32string &name) {
    static const int kColumnCounts[] = {0, 7, 10, 10, 10, 30, 2000};
    static const int kLineCounts[] = {0, 1, 3, 20};
    List list;
    list.name = Utf32ToUtf8(name);
    const int columns = Pick(kColumnCounts, Random(0));
    for (int c = 1; c <= columns; ++c) list.columnNames.push_back("c" + std::to_string(c));
    list.columnTypes.assign(list.columnNames.size(), 5);
    for (int16_t &type : list.columnTypes)
        if (Chance(10)) type = FieldTypeText;
    const int lines = Pick(kLineCounts, Random(0));
    for (int line = 0; line < lines && columns > 0; ++line) {
        std::vector<Value> cells;
        for (int c = 1; c <= columns && c <= 12; ++c) {
            if (c == 1) cells.push_back(Value::Num(static_cast<double>(Random(10)) - 1));  // codes -1 to 8
            else if (c == 5) cells.push_back(Value::Num(static_cast<double>(Random(61)) - 30));  // a text's size, as Z
            else if (c == 7) cells.push_back(Value::Num(Pen()));
            else if (Chance(15)) cells.push_back(Value::Str(Text()));
            else cells.push_back(Value::Num(Number()));
        }
        list.lines.push_back(std::move(cells));
    }
    host_.ClearLists();
    host_.AddList(std::move(list));
}

std::vector<Value> Hostile::NextCall(int function, const std::string &fileFolder) {
    DrawQuirks();
    const std::u32string listName = U"cmds";
    DrawList(listName);
    const char *layout = Layout(function);
    const size_t honest = std::char_traits<char>::length(layout);
    static const int kExtra[] = {0, 0, 0, 0, 0, -1, 3, -100};
    const int wanted = static_cast<int>(honest) + Pick(kExtra, Random(0));
    std::vector<Value> params;
    for (int i = 0; i < wanted; ++i) {
        const char kind = static_cast<size_t>(i) < honest && Chance(92) ? layout[i] : "PTN"[Random(3)];
        switch (kind) {
            case 'P': params.push_back(Picture(function >= FnFillOval && function <= FnDrawLine)); break;
            case 'T': params.push_back(Value::Str(Text())); break;
            case 'L': params.push_back(Value::Str(Chance(90) ? listName : Text())); break;
            case 'S': {
                // Now and then a side of the tall or the large square canvas.
                static const double kLongSides[] = {300, 2000, 30000};
                params.push_back(Value::Num(Chance(75)   ? 1 + Random(300)
                                            : Chance(30) ? Pick(kLongSides, Random(0))
                                                         : Number()));
                break;
            }
            // Font sizes up to tens of thousands of pixels: only what is visible is drawn.
            case 'Z': params.push_back(Value::Num(Chance(60) ? static_cast<double>(Random(601)) - 300
                                                 : Chance(50) ? static_cast<double>(Random(65536)) - 32768
                                                              : Number()));
                break;
            case 'W': params.push_back(Value::Num(Pen())); break;
            case 'F': {
                // Relative or inside the folder given: never a path elsewhere.
                std::u32string text = Text();
                for (char32_t &c : text)
                    if (c == U'/' || c == U'\\') c = U'_';
                if (Chance(50)) text = Utf8ToUtf32(fileFolder + "/") + text;
                params.push_back(Value::Str(text));
                break;
            }
            default: params.push_back(Value::Num(Number())); break;
        }
    }
    BoundCanvas(params, layout);
    return params;
}

}  // namespace figsim
