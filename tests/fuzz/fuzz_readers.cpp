// The command-line host's readers: the first byte chooses BMP, PNG, CSV or the script
// language; the rest is the file. Pictures that read are also made into bitmaps, which
// proves the packed DIB a reader returns is consistent.
#include <figplatform.h>

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
    const std::string rest(reinterpret_cast<const char *>(data + 1), size - 1);
    switch (data[0] % 4) {
        case 0: ReadPicture(rest, false); break;
        case 1: ReadPicture(rest, true); break;
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
