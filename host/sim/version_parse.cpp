// Reading a version resource (the VS_VERSIONINFO tree) as a host or installer does.
#include <cstring>

#include "figsim.h"

namespace figsim {
namespace {

struct Node {
    size_t start, end;  // the node's bytes
    uint16_t valueLength, type;
    std::string key;
    size_t value;  // where the value begins
    size_t children;
};

uint16_t Word(const std::vector<uint8_t> &b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
uint32_t Dword(const std::vector<uint8_t> &b, size_t at) { return Word(b, at) | (uint32_t(Word(b, at + 2)) << 16); }
size_t Align4(size_t at) { return (at + 3) & ~size_t(3); }

bool ReadNode(const std::vector<uint8_t> &b, size_t at, size_t limit, Node *node) {
    if (at + 6 > limit) return false;
    uint16_t length = Word(b, at);
    if (length < 6 || at + length > limit) return false;
    node->start = at;
    node->end = at + length;
    node->valueLength = Word(b, at + 2);
    node->type = Word(b, at + 4);
    node->key.clear();
    size_t p = at + 6;
    while (p + 1 < node->end && Word(b, p) != 0) {
        node->key += static_cast<char>(Word(b, p));
        p += 2;
    }
    node->value = Align4(p + 2);
    size_t valueBytes = node->type == 1 ? node->valueLength * 2u : node->valueLength;
    node->children = Align4(node->value + valueBytes);
    return node->value <= node->end;
}

std::string TextValue(const std::vector<uint8_t> &b, const Node &n) {
    std::string s;
    for (size_t p = n.value; p + 1 < n.end && Word(b, p) != 0; p += 2) s += static_cast<char>(Word(b, p));
    return s;
}

template <typename Visit>
void Children(const std::vector<uint8_t> &b, const Node &parent, Visit visit) {
    Node child;
    for (size_t at = parent.children; at < parent.end && ReadNode(b, at, parent.end, &child); at = Align4(child.end))
        visit(child);
}

}  // namespace

const std::string *VersionInfo::Find(const std::string &name) const {
    for (const auto &entry : strings)
        if (entry.first == name) return &entry.second;
    return nullptr;
}

bool ParseVersionBlock(const std::vector<uint8_t> &b, VersionInfo *info) {
    Node root;
    if (!ReadNode(b, 0, b.size(), &root) || root.key != "VS_VERSION_INFO" || root.valueLength != 52) return false;
    if (Dword(b, root.value) != 0xFEEF04BD) return false;
    const size_t f = root.value;
    *info = VersionInfo{};
    info->fileVersionMs = Dword(b, f + 8), info->fileVersionLs = Dword(b, f + 12);
    info->productVersionMs = Dword(b, f + 16), info->productVersionLs = Dword(b, f + 20);
    info->flagsMask = Dword(b, f + 24), info->flags = Dword(b, f + 28);
    info->os = Dword(b, f + 32), info->fileType = Dword(b, f + 36);
    Children(b, root, [&](const Node &section) {
        if (section.key == "StringFileInfo") {
            Children(b, section, [&](const Node &table) {
                info->blockName = table.key;
                Children(b, table, [&](const Node &s) { info->strings.emplace_back(s.key, TextValue(b, s)); });
            });
        } else if (section.key == "VarFileInfo") {
            Children(b, section, [&](const Node &var) {
                if (var.key == "Translation" && var.valueLength >= 4) info->translation = Dword(b, var.value);
            });
        }
    });
    return true;
}

}  // namespace figsim
