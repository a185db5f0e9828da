#include "pe_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace pe {
namespace {

uint32_t Le(const uint8_t *p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

constexpr uint32_t kHighBit = 0x80000000u;

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

}  // namespace

std::optional<PeFile> PeFile::Read(const std::string &path, std::string *error) {
    PeFile file;
    std::ifstream in(path, std::ios::binary);
    file.bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const std::vector<uint8_t> &b = file.bytes_;
    auto fail = [&](const char *why) {
        if (error) *error = path + ": " + why;
        return std::nullopt;
    };
    if (b.size() < 0x40 || b[0] != 'M' || b[1] != 'Z') return fail("no MZ header");
    const uint32_t nt = Le(&b[0x3C], 4);
    if (nt > b.size() - 24 || Le(&b[nt], 4) != 0x4550) return fail("no PE signature");
    const uint8_t *coff = &b[nt + 4];
    file.machine_ = static_cast<uint16_t>(Le(coff, 2));
    const uint32_t sectionCount = Le(coff + 2, 2), optionalSize = Le(coff + 16, 2);
    file.symbolTable_ = Le(coff + 8, 4);
    file.symbolCount_ = Le(coff + 12, 4);
    file.characteristics_ = static_cast<uint16_t>(Le(coff + 18, 2));
    const uint32_t optional = nt + 24;
    if (optional + optionalSize + 40 * sectionCount > b.size()) return fail("truncated headers");
    const uint32_t magic = Le(&b[optional], 2);
    if (magic != 0x10B && magic != 0x20B) return fail("unknown optional header");
    const uint32_t directories = optional + (magic == 0x10B ? 96 : 112);
    const uint32_t directoryCount = Le(&b[directories - 4], 4);
    auto directory = [&](uint32_t index) { return index < directoryCount ? Le(&b[directories + 8 * index], 4) : 0u; };
    file.exportRva_ = directory(0);
    file.importRva_ = directory(1);
    file.resourceRva_ = directory(2);
    for (uint32_t i = 0; i < sectionCount; ++i) {
        const uint8_t *s = &b[optional + optionalSize + 40 * i];
        file.sections_.push_back({Le(s + 12, 4), Le(s + 8, 4), Le(s + 20, 4), Le(s + 16, 4), Le(s + 36, 4)});
    }
    return file;
}

const uint8_t *PeFile::At(uint32_t rva, uint32_t bytes) const {
    for (const Section &s : sections_)
        if (rva >= s.rva && rva - s.rva < std::max(s.size, s.fileSize)) {
            const uint64_t offset = uint64_t(s.fileOffset) + (rva - s.rva);
            if (rva - s.rva + uint64_t(bytes) > s.fileSize || offset + bytes > bytes_.size()) return nullptr;
            return &bytes_[offset];
        }
    return nullptr;
}

uint32_t PeFile::U32(uint32_t rva) const {
    const uint8_t *p = At(rva, 4);
    return p ? Le(p, 4) : 0;
}

uint16_t PeFile::U16(uint32_t rva) const {
    const uint8_t *p = At(rva, 2);
    return p ? static_cast<uint16_t>(Le(p, 2)) : 0;
}

std::string PeFile::Text(uint32_t rva) const {
    std::string text;
    for (const uint8_t *p; (p = At(rva, 1)) && *p; ++rva) text += static_cast<char>(*p);
    return text;
}

std::vector<Export> PeFile::Exports() const {
    std::vector<Export> exports;
    if (!exportRva_) return exports;
    const uint32_t names = U32(exportRva_ + 24), functions = U32(exportRva_ + 28);
    const uint32_t nameTable = U32(exportRva_ + 32), ordinals = U32(exportRva_ + 36);
    for (uint32_t i = 0; i < names; ++i)
        exports.push_back({Text(U32(nameTable + 4 * i)), U32(functions + 4 * U16(ordinals + 2 * i))});
    return exports;
}

std::vector<std::string> PeFile::ImportedDlls() const {
    std::vector<std::string> dlls;
    for (uint32_t d = importRva_; importRva_ && U32(d + 12); d += 20) dlls.push_back(Text(U32(d + 12)));
    return dlls;
}

std::vector<Symbol> PeFile::Symbols() const {
    std::vector<Symbol> symbols;
    const uint64_t end = uint64_t(symbolTable_) + 18ull * symbolCount_;
    if (!symbolTable_ || end + 4 > bytes_.size()) return symbols;
    const uint8_t *strings = &bytes_[end];
    const uint32_t stringsSize = Le(strings, 4);
    for (uint32_t i = 0; i < symbolCount_; ++i) {
        const uint8_t *s = &bytes_[symbolTable_ + 18ull * i];
        std::string name;
        if (Le(s, 4) == 0) {
            const uint32_t at = Le(s + 4, 4);
            for (uint32_t k = at; k < stringsSize && end + k < bytes_.size() && strings[k]; ++k) name += char(strings[k]);
        } else {
            name.assign(reinterpret_cast<const char *>(s), strnlen(reinterpret_cast<const char *>(s), 8));
        }
        const int16_t section = static_cast<int16_t>(Le(s + 12, 2));
        const uint32_t rva = section > 0 && size_t(section) <= sections_.size() ? sections_[section - 1].rva + Le(s + 8, 4) : 0;
        symbols.push_back({name, rva});
        i += s[17];  // auxiliary records
    }
    return symbols;
}

bool PeFile::IsExecutable(uint32_t rva) const {
    for (const Section &s : sections_)
        if (rva >= s.rva && rva - s.rva < s.size) return (s.flags & 0x20000000u) != 0;
    return false;
}

std::optional<std::vector<uint8_t>> PeFile::FindResource(uint16_t type, uint16_t id, const std::u16string *name) const {
    if (!resourceRva_) return std::nullopt;
    // Entry of a directory level matching an id, a name, or (for languages) the first one.
    auto find = [&](uint32_t directory, int level) -> std::optional<uint32_t> {
        const uint32_t named = U16(directory + 12), ids = U16(directory + 14);
        for (uint32_t i = 0; i < named + ids; ++i) {
            const uint32_t entry = directory + 16 + 8 * i, key = U32(entry), target = U32(entry + 4);
            bool match = level == 2;
            if (level == 1 && name) {
                if (!(key & kHighBit)) continue;
                const uint32_t at = resourceRva_ + (key & ~kHighBit);
                std::u16string text;
                for (uint32_t k = 0, n = U16(at); k < n; ++k) text += Upper(static_cast<char16_t>(U16(at + 2 + 2 * k)));
                std::u16string wanted = *name;
                std::transform(wanted.begin(), wanted.end(), wanted.begin(), Upper);
                match = text == wanted;
            } else if (level < 2) {
                match = !(key & kHighBit) && key == (level == 0 ? type : id);
            }
            if (match) return target;
        }
        return std::nullopt;
    };
    uint32_t directory = resourceRva_;
    for (int level = 0; level < 3; ++level) {
        const std::optional<uint32_t> target = find(directory, level);
        if (!target) return std::nullopt;
        if (level < 2) {
            if (!(*target & kHighBit)) return std::nullopt;
            directory = resourceRva_ + (*target & ~kHighBit);
            continue;
        }
        const uint32_t data = resourceRva_ + *target, rva = U32(data), size = U32(data + 4);
        const uint8_t *p = At(rva, size);
        if (!p) return std::nullopt;
        return std::vector<uint8_t>(p, p + size);
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> PeFile::Resource(uint16_t type, uint16_t id) const {
    return FindResource(type, id, nullptr);
}

std::optional<std::vector<uint8_t>> PeFile::Resource(uint16_t type, const std::string &name) const {
    const std::u16string wide(name.begin(), name.end());
    return FindResource(type, 0, &wide);
}

std::u16string PeFile::String(unsigned id, int max) const {
    const auto block = Resource(6, static_cast<uint16_t>(id / 16 + 1));  // RT_STRING: 16 strings a block
    if (!block || max <= 0) return {};
    size_t at = 0;
    for (unsigned index = 0; at + 2 <= block->size(); ++index) {
        const size_t length = Le(&(*block)[at], 2);
        if (index == id % 16) {
            std::u16string text;
            for (size_t k = 0; k < length && static_cast<int>(k) < max - 1 && at + 4 + 2 * k <= block->size(); ++k)
                text += static_cast<char16_t>(Le(&(*block)[at + 2 + 2 * k], 2));
            return text;
        }
        at += 2 + 2 * length;
    }
    return {};
}

}  // namespace pe
