// The command-line host's readers: the first byte chooses BMP, PNG, CSV or the script
// language; the rest is the file. Pictures that read are also made into bitmaps, which
// proves the packed DIB a reader returns is consistent.
#include <figplatform.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "script_parser.h"
#include "sim_files.h"

namespace {

// The readers take paths: the input goes through one scratch file, in memory where possible.
std::string ScratchPath(const char *extension) {
    static const std::string dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return dir + "/figfuzz-readers-" + std::to_string(getpid()) + extension;
}

uint32_t Crc32(const uint8_t *bytes, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

// libpng refuses a chunk whose checksum is wrong, and a mutation almost always breaks one:
// with the selector's bit 2 set the checksums are made right, so the chunks' contents get read.
void FixPngChecksums(std::string &png) {
    auto *bytes = reinterpret_cast<uint8_t *>(png.data());
    for (size_t at = 8; at + 12 <= png.size();) {
        const size_t length = static_cast<size_t>(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
        if (length > png.size() - at - 12) return;
        const uint32_t crc = Crc32(bytes + at + 4, length + 4);
        for (int k = 0; k < 4; ++k) bytes[at + 8 + length + k] = static_cast<uint8_t>(crc >> (24 - 8 * k));
        at += length + 12;
    }
}

void ReadPicture(const std::string &bytes, bool png) {
    const std::string path = ScratchPath(png ? ".png" : ".bmp");
    if (FILE *f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    std::vector<uint8_t> picture;
    std::string error;
    const bool read = png ? figsim::ReadPngFile(path, &picture, &error) : figsim::ReadBmpFile(path, &picture, &error);
    std::remove(path.c_str());
    if (!read) return;
    HBITMAP bitmap = figsim::BitmapFromPackedDib(picture);
    if (!bitmap) {
        std::fprintf(stderr, "a picture that read makes no bitmap\n");
        std::abort();
    }
    DeleteObject(bitmap);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    std::string rest(reinterpret_cast<const char *>(data + 1), size - 1);
    switch (data[0] % 4) {
        case 0: ReadPicture(rest, false); break;
        case 1:
            if (data[0] & 4) FixPngChecksums(rest);
            ReadPicture(rest, true);
            break;
        case 2: {
            figsim::List list;
            figsim::CsvError error;
            figsim::ParseCsvList(rest, &list, &error);
            break;
        }
        default: {
            std::vector<figcli::Token> tokens;
            std::vector<figcli::Statement> statements;
            figcli::SourceError error;
            if (figcli::Tokenize(rest, &tokens, &error)) figcli::ParseScript(tokens, &statements, &error);
            break;
        }
    }
    return 0;
}
