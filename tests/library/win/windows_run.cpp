// What the function-level tests do differently in the Windows run: no libpng there, so
// pictures are kept as bitmap files (the byte comparison with the Linux build writes the PNGs
// of both sides); ImageMagick, a Linux program, is not run; Wine is recognised.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "library_test_util.h"

namespace libtest {

std::string SavePicturePng(const std::vector<uint8_t> &packed, const std::string &name) {
    const std::filesystem::path folder = std::filesystem::path(FIGPLOT_TEST_OUTPUT_DIR) / "pictures";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / (name + ".bmp")).string();
    BITMAPINFOHEADER h{};
    if (packed.size() < sizeof h) return path;
    std::memcpy(&h, packed.data(), sizeof h);
    const uint32_t table = h.biBitCount <= 8 ? 4u << h.biBitCount : 0;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = static_cast<DWORD>(sizeof file + packed.size());
    file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof h + table);
    if (FILE *out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(packed.data(), 1, packed.size(), out);
        std::fclose(out);
    }
    return path;
}

std::vector<uint8_t> ReadWithImageMagick(const std::string &) { return {}; }

bool UnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

}  // namespace libtest
