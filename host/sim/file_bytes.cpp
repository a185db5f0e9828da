#include "file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace figsim {
namespace {

struct FileCloser {
    void operator()(FILE *f) const { std::fclose(f); }
};

std::string Reason(const std::string &what, const std::string &path) {
    return "cannot " + what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

bool ReadFileBytes(const std::string &path, std::vector<uint8_t> *bytes, std::string *error) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        *error = Reason("read", path);
        return false;
    }
    return ReadStreamBytes(file.get(), path, bytes, error);  // a folder opens but does not read
}

bool ReadStreamBytes(FILE *stream, const std::string &name, std::vector<uint8_t> *bytes, std::string *error) {
    bytes->clear();
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, stream)) > 0) bytes->insert(bytes->end(), chunk, chunk + n);
    if (std::ferror(stream)) {
        *error = Reason("read", name);
        return false;
    }
    return true;
}

bool WriteFileBytes(const std::string &path, const std::vector<uint8_t> &bytes, std::string *error) {
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) {
        *error = Reason("write", path);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // A full disk may only show when the buffers are flushed at close.
    if (std::fclose(file) != 0 || !written) {
        *error = Reason("write", path);
        return false;
    }
    return true;
}

}  // namespace figsim
