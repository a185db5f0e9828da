// A reader of Windows DLLs (PE32 and PE32+) as files, for checking the cross-built
// externals on a machine that cannot load them (the 32-bit ones): machine, export names,
// imported DLLs, the COFF symbol table the linker leaves, and resources.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pe {

struct Export {
    std::string name;
    uint32_t rva;
};

struct Symbol {
    std::string name;
    uint32_t rva;  // 0 for symbols outside the sections
};

class PeFile {
public:
    // Empty when the file is not a PE image; `error` says why.
    static std::optional<PeFile> Read(const std::string &path, std::string *error);

    uint16_t machine() const { return machine_; }
    bool isDll() const { return (characteristics_ & 0x2000) != 0; }
    std::vector<Export> Exports() const;
    std::vector<std::string> ImportedDlls() const;
    std::vector<Symbol> Symbols() const;
    bool IsExecutable(uint32_t rva) const;
    // A resource's bytes, of the first language found: type and name by id, or name by text
    // (matched as Windows does, without regard to case).
    std::optional<std::vector<uint8_t>> Resource(uint16_t type, uint16_t id) const;
    std::optional<std::vector<uint8_t>> Resource(uint16_t type, const std::string &name) const;
    // What LoadStringW would copy of string `id` into a buffer of `max` units.
    std::u16string String(unsigned id, int max) const;

private:
    struct Section {
        uint32_t rva, size, fileOffset, fileSize, flags;
    };
    const uint8_t *At(uint32_t rva, uint32_t bytes) const;
    uint32_t U32(uint32_t rva) const;
    uint16_t U16(uint32_t rva) const;
    std::string Text(uint32_t rva) const;
    std::optional<std::vector<uint8_t>> FindResource(uint16_t type, uint16_t id, const std::u16string *name) const;

    std::vector<uint8_t> bytes_;
    std::vector<Section> sections_;
    uint16_t machine_ = 0, characteristics_ = 0;
    uint32_t symbolTable_ = 0, symbolCount_ = 0;
    uint32_t exportRva_ = 0, importRva_ = 0, resourceRva_ = 0;
};

}  // namespace pe
