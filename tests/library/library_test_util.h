// What the tests that drive the externals through the host simulator share: loading a
// build once, test pictures, exact picture comparison with PNGs of failures.
#pragma once

#include <figplatform.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "figsim.h"

namespace libtest {

#ifdef _WIN32
constexpr char kExternalSuffix[] = ".dll";
constexpr bool kHaveImageMagick = false;  // the Windows run cannot start Linux tools
#else
constexpr char kExternalSuffix[] = ".so";
constexpr bool kHaveImageMagick = true;
#endif

// Appended piece by piece: GCC 12 warns falsely (-Warray-bounds) on a chain of string +.
inline std::string ExternalPath(const std::string &name) {
    std::string path = FIGPLOT_EXTERNAL_DIR;
    path.append("/").append(name).append(kExternalSuffix);
    return path;
}

// True in the Windows run under Wine, whose GDI has defects the tests must step around
// (docs/windows.md).
#ifdef _WIN32
bool UnderWine();
#else
inline bool UnderWine() { return false; }
#endif

// A path as host text (UTF-8 here), whatever the system's narrow code page.
inline std::string PathText(const std::filesystem::path &path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Each build is loaded once for the whole test program.
inline figsim::External &LoadExternal(const std::string &name) {
    static std::map<std::string, std::unique_ptr<figsim::External>> loaded;
    auto &slot = loaded[name];
    if (!slot) {
        std::string error;
        slot = figsim::External::Load(ExternalPath(name), &error);
        if (!slot) ADD_FAILURE() << error;
    }
    return *slot;
}

// A host with an open instance of one build, writing every value to the maximum length
// it is given, and the check that a call left nothing behind.
class OpenHost {
public:
    void Open(const std::string &build) {
        external = &LoadExternal(build);
        host = std::make_unique<figsim::Host>(*external);
        host->quirks().fillToMaxLength = true;
        host->Open();
        baseline = PlatformLiveTotal();
    }
    bool Wide() const { return external->width() == figsim::TextWidth::Wide; }
    // Nothing the call made is left, and every picture handed over is gone.
    void ExpectCleanEnd(const std::string &label) const {
        EXPECT_EQ(PlatformLiveTotal(), baseline) << label;
        for (HBITMAP delivered : host->deliveredBitmaps()) EXPECT_EQ(GetObjectType(delivered), 0u) << label;
    }

    figsim::External *external = nullptr;
    std::unique_ptr<figsim::Host> host;
    int baseline = 0;
};

// An empty folder of the running test's own in the test output folder (tests run in
// parallel processes).
std::string TestFolder(const std::string &prefix);

// An odd-sized picture whose every pixel differs from its neighbours and from white,
// so that a shift, a flip or a lost pixel shows.
std::vector<uint8_t> PatternPicture(int width, int height, int depth);

// Writes a picture as a PNG (on Windows a bitmap file) into the test output folder;
// returns the path.
std::string SavePicturePng(const std::vector<uint8_t> &packed, const std::string &name);

// Compares every pixel's colour (and, unless told otherwise, the depth); on a difference
// saves both pictures as PNGs and names the first differing pixel.
enum class Depths { MustMatch, MayDiffer };
::testing::AssertionResult SamePixels(const std::vector<uint8_t> &actual, const std::vector<uint8_t> &expected,
                                      const std::string &name, Depths depths = Depths::MustMatch);

// A bitmap file as ImageMagick reads it, as a 24-bit picture; empty when it cannot.
std::vector<uint8_t> ReadWithImageMagick(const std::string &path);

// Draws on a copy of `picture` with the platform's own calls, on a DC set up as the
// library sets up its canvases, and returns the result.
template <typename Draw>
std::vector<uint8_t> DrawnWithPlatform(const std::vector<uint8_t> &picture, Draw draw) {
    HBITMAP bitmap = figsim::BitmapFromPackedDib(picture);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(dc, bitmap);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    draw(dc);
    SelectObject(dc, before);
    DeleteDC(dc);
    std::vector<uint8_t> result = figsim::PackedDibFromBitmap(bitmap);
    DeleteObject(bitmap);
    return result;
}

}  // namespace libtest
