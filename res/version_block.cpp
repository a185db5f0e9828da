#include "version_block.h"

namespace figres {
namespace {

// One node of the tree: length, value length, type, key (UTF-16, zero-terminated),
// padding to 32 bits, value, padding, children. Lengths are patched once known.
class NodeWriter {
public:
    explicit NodeWriter(std::vector<uint8_t> &out) : out_(out) {}

    size_t Begin(const std::string &key, uint16_t valueLength, uint16_t type) {
        size_t start = out_.size();
        Word(0);
        Word(valueLength);
        Word(type);
        for (char c : key) Word(static_cast<uint8_t>(c));
        Word(0);
        Align();
        return start;
    }
    void End(size_t start) {
        size_t length = out_.size() - start;
        out_[start] = static_cast<uint8_t>(length);
        out_[start + 1] = static_cast<uint8_t>(length >> 8);
        Align();
    }
    void Word(uint16_t w) {
        out_.push_back(static_cast<uint8_t>(w));
        out_.push_back(static_cast<uint8_t>(w >> 8));
    }
    void Dword(uint32_t d) {
        Word(static_cast<uint16_t>(d));
        Word(static_cast<uint16_t>(d >> 16));
    }
    void Align() {
        while (out_.size() % 4) out_.push_back(0);
    }

private:
    std::vector<uint8_t> &out_;
};

void WriteFixedInfo(NodeWriter &w, const VersionInfo &info) {
    w.Dword(0xFEEF04BD);  // signature
    w.Dword(0x00010000);  // structure version
    w.Dword(info.fileVersionMs);
    w.Dword(info.fileVersionLs);
    w.Dword(info.productVersionMs);
    w.Dword(info.productVersionLs);
    w.Dword(info.flagsMask);
    w.Dword(info.flags);
    w.Dword(info.os);
    w.Dword(info.fileType);
    w.Dword(0);  // subtype
    w.Dword(0);  // date, high
    w.Dword(0);  // date, low
}

void WriteStrings(NodeWriter &w, const VersionInfo &info) {
    size_t fileInfo = w.Begin("StringFileInfo", 0, 1);
    size_t table = w.Begin(info.blockName, 0, 1);
    for (const auto &entry : info.strings) {
        size_t node = w.Begin(entry.first, static_cast<uint16_t>(entry.second.size() + 1), 1);
        for (char c : entry.second) w.Word(static_cast<uint8_t>(c));
        w.Word(0);
        w.End(node);
    }
    w.End(table);
    w.End(fileInfo);
}

void WriteTranslation(NodeWriter &w, const VersionInfo &info) {
    size_t varInfo = w.Begin("VarFileInfo", 0, 1);
    size_t var = w.Begin("Translation", 4, 0);
    w.Word(info.language);
    w.Word(info.codePage);
    w.End(var);
    w.End(varInfo);
}

}  // namespace

std::vector<uint8_t> BuildVersionBlock(const VersionInfo &info) {
    std::vector<uint8_t> out;
    NodeWriter w(out);
    size_t root = w.Begin("VS_VERSION_INFO", 52, 0);
    WriteFixedInfo(w, info);
    WriteStrings(w, info);
    WriteTranslation(w, info);
    w.End(root);
    return out;
}

}  // namespace figres
