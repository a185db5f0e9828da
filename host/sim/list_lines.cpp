// A list's lines in compact form: 8 bytes a cell. A number keeps its own bits; every other
// cell is a negative quiet NaN whose top 16 bits name its kind and whose low 48 bits point
// into the text pool or the pictures. A number that is itself such a NaN is stored as the
// plain quiet NaN: a host serves any NaN alike, and the library reads every NaN the same.
#include <cstring>

#include "figsim.h"

namespace figsim {
namespace {

constexpr uint64_t kTagEmpty = 0xFFFA, kTagText8 = 0xFFFB, kTagText32 = 0xFFFC, kTagPicture = 0xFFFD;
constexpr uint64_t kPayloadMask = (uint64_t{1} << 48) - 1;
constexpr uint64_t kQuietNaN = 0x7FF8000000000000;

uint64_t Tagged(uint64_t tag, uint64_t payload) { return tag << 48 | (payload & kPayloadMask); }

bool FitsInBytes(const std::u32string &text) {
    for (char32_t unit : text)
        if (unit > 0xFF) return false;
    return true;
}

void AppendCount(std::string *pool, size_t count) {
    do {
        const uint8_t low = count & 0x7F;
        count >>= 7;
        pool->push_back(static_cast<char>(count ? low | 0x80 : low));
    } while (count);
}

size_t ReadCount(const std::string &pool, size_t *at) {
    size_t count = 0;
    for (int shift = 0;; shift += 7) {
        const uint8_t byte = static_cast<uint8_t>(pool[(*at)++]);
        count |= static_cast<size_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80)) return count;
    }
}

}  // namespace

ListLines::ListLines(std::initializer_list<std::vector<Value>> lines) {
    for (const std::vector<Value> &line : lines) push_back(line);
}

void ListLines::clear() {
    cells_.clear();
    lineStarts_.clear();
    texts_.clear();
    pictures_.clear();
}

void ListLines::reserve(size_t lines, size_t cells) {
    lineStarts_.reserve(lines);
    cells_.reserve(cells);
}

void ListLines::push_back(const std::vector<Value> &line) {
    lineStarts_.push_back(cells_.size());
    for (const Value &value : line) cells_.push_back(Box(value));
}

size_t ListLines::CellCount(size_t line) const {
    if (line >= size()) return 0;
    const size_t next = line + 1 < size() ? lineStarts_[line + 1] : cells_.size();
    return next - lineStarts_[line];
}

bool ListLines::CellAt(size_t line, size_t column, Value *out) const {
    if (column >= CellCount(line)) return false;
    *out = Unbox(cells_[lineStarts_[line] + column]);
    return true;
}

std::vector<Value> ListLines::operator[](size_t line) const {
    std::vector<Value> values(CellCount(line));
    for (size_t c = 0; c < values.size(); ++c) CellAt(line, c, &values[c]);
    return values;
}

uint64_t ListLines::Box(const Value &value) {
    switch (value.kind) {
        case Value::Kind::Number: {
            uint64_t bits;
            std::memcpy(&bits, &value.number, sizeof bits);
            const uint64_t top = bits >> 48;
            return top >= kTagEmpty && top <= kTagPicture ? kQuietNaN : bits;
        }
        case Value::Kind::Text: {
            const bool narrow = FitsInBytes(value.text);
            const uint64_t cell = Tagged(narrow ? kTagText8 : kTagText32, texts_.size());
            AppendCount(&texts_, value.text.size());
            for (char32_t unit : value.text) {
                if (narrow) texts_.push_back(static_cast<char>(unit));
                else texts_.append(reinterpret_cast<const char *>(&unit), sizeof unit);
            }
            return cell;
        }
        case Value::Kind::Picture:
            pictures_.push_back(value.picture);
            return Tagged(kTagPicture, pictures_.size() - 1);
        default: return Tagged(kTagEmpty, 0);
    }
}

Value ListLines::Unbox(uint64_t cell) const {
    const uint64_t tag = cell >> 48;
    size_t at = static_cast<size_t>(cell & kPayloadMask);
    if (tag == kTagEmpty) return Value{};
    if (tag == kTagPicture) return Value::Pict(pictures_[at]);
    if (tag == kTagText8 || tag == kTagText32) {
        const size_t count = ReadCount(texts_, &at);
        std::u32string text(count, U'\0');
        if (tag == kTagText32) std::memcpy(&text[0], texts_.data() + at, count * sizeof(char32_t));
        else
            for (size_t i = 0; i < count; ++i) text[i] = static_cast<uint8_t>(texts_[at + i]);
        return Value::Str(std::move(text));
    }
    double number;
    std::memcpy(&number, &cell, sizeof number);
    return Value::Num(number);
}

}  // namespace figsim
