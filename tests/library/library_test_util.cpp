#include "library_test_util.h"

#ifndef _WIN32
#include "sim_files.h"
#endif

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace libtest {

std::string TestFolder(const std::string &prefix) {
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = prefix + "_" + test->test_suite_name() + "_" + test->name();
    for (char &c : name)
        if (c == '/') c = '_';
    const std::filesystem::path folder = std::filesystem::path(FIGPLOT_TEST_OUTPUT_DIR) / "files" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

std::vector<uint8_t> PatternPicture(int width, int height, int depth) {
    std::vector<uint8_t> packed = figsim::MakePackedDib(width, height, depth);
    BITMAPINFOHEADER h;
    std::memcpy(&h, packed.data(), sizeof h);
    const size_t table = depth <= 8 ? 4u << depth : 0;
    const size_t stride = ((static_cast<size_t>(width) * depth + 31) / 32) * 4;
    for (int row = 0; row < height; ++row)
        for (size_t i = 0; i < stride; ++i)
            packed[sizeof h + table + row * stride + i] = static_cast<uint8_t>((row * 29 + i * 7) ^ (i / 3 * 5) ^ 0x5A);
    return packed;
}

#ifndef _WIN32  // the Windows run has no libpng or ImageMagick: win/windows_run.cpp
std::string SavePicturePng(const std::vector<uint8_t> &packed, const std::string &name) {
    const std::filesystem::path folder = std::filesystem::path(FIGPLOT_TEST_OUTPUT_DIR) / "pictures";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / (name + ".png")).string();
    std::string error;
    if (!figsim::WritePngFile(path, packed, &error)) return path + " (not written: " + error + ")";
    return path;
}

namespace {

std::string RunCommand(const std::string &command) {
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    pclose(pipe);
    return output;
}

}  // namespace

std::vector<uint8_t> ReadWithImageMagick(const std::string &path) {
    int width = 0, height = 0;
    const std::string size = RunCommand("identify -format '%w %h' '" + path + "' 2>/dev/null");
    if (std::sscanf(size.c_str(), "%d %d", &width, &height) != 2 || width <= 0 || height <= 0) return {};
    const std::string rgb = RunCommand("convert '" + path + "' -depth 8 rgb:- 2>/dev/null");
    if (rgb.size() != static_cast<size_t>(width) * height * 3) return {};
    std::vector<uint8_t> packed = figsim::MakePackedDib(width, height, 24);
    const size_t stride = ((static_cast<size_t>(width) * 24 + 31) / 32) * 4;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const char *p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            uint8_t *q = &packed[sizeof(BITMAPINFOHEADER) + (height - 1 - y) * stride + 3 * x];
            q[0] = static_cast<uint8_t>(p[2]), q[1] = static_cast<uint8_t>(p[1]), q[2] = static_cast<uint8_t>(p[0]);
        }
    return packed;
}

#endif

::testing::AssertionResult SamePixels(const std::vector<uint8_t> &actual, const std::vector<uint8_t> &expected,
                                      const std::string &name, Depths depths) {
    BITMAPINFOHEADER a{}, e{};
    if (actual.size() < sizeof a || expected.size() < sizeof e)
        return ::testing::AssertionFailure() << name << ": a picture is missing";
    std::memcpy(&a, actual.data(), sizeof a);
    std::memcpy(&e, expected.data(), sizeof e);
    if (a.biWidth != e.biWidth || a.biHeight != e.biHeight || (depths == Depths::MustMatch && a.biBitCount != e.biBitCount))
        return ::testing::AssertionFailure() << name << ": " << a.biWidth << "x" << a.biHeight << "x" << a.biBitCount
                                             << " where " << e.biWidth << "x" << e.biHeight << "x" << e.biBitCount
                                             << " was expected";
    for (int y = 0; y < e.biHeight; ++y)
        for (int x = 0; x < e.biWidth; ++x) {
            const COLORREF got = figsim::PackedDibPixel(actual, x, y), want = figsim::PackedDibPixel(expected, x, y);
            if (got == want) continue;
            char colours[64];
            std::snprintf(colours, sizeof colours, "%06lX where %06lX", static_cast<unsigned long>(got),
                          static_cast<unsigned long>(want));
            return ::testing::AssertionFailure() << name << ": pixel (" << x << ", " << y << ") is " << colours
                                                 << "; see " << SavePicturePng(actual, name + "_actual") << " and "
                                                 << SavePicturePng(expected, name + "_expected");
        }
    return ::testing::AssertionSuccess();
}

}  // namespace libtest
