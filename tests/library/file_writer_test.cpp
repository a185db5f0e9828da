// Bitmap files written by ComposeFile: their layout, how they are written, and that a
// failure at any point leaves whatever stood at the path as it was.
#include <filesystem>
#include <fstream>

#include "library_test_util.h"

namespace {

using figsim::Host;
using figsim::Value;
namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t U32(const std::vector<uint8_t> &b, size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24; }

class FileWriter : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        host = std::make_unique<Host>(libtest::LoadExternal(GetParam()));
        host->Open();
        figsim::List list;
        list.name = "cmds";
        list.columnNames = {"code", "top", "left", "bottom", "right", "color", "size"};
        list.lines = {{Value::Num(3), Value::Num(0), Value::Num(0), Value::Num(2), Value::Num(4), Value::Num(13), Value::Num(0)}};
        host->AddList(list);
        folder = libtest::TestFolder("files");
        baseline = PlatformLiveTotal();
    }
    void TearDown() override { host.reset(); }
    int16_t Compose(const fs::path &path, int width, int height, int depth) {
        std::vector<Value> params{Value::Str(libtest::PathText(path)), Value::Num(width), Value::Num(height), Value::Num(depth),
                                  Value::Str("cmds")};
        return host->Call(FnComposeFile, params);
    }
    std::vector<fs::path> FolderContents() const {
        std::vector<fs::path> names;
        for (const auto &entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
        return names;
    }

    std::unique_ptr<Host> host;
    fs::path folder;
    int baseline = 0;
};

TEST_P(FileWriter, FilesHaveTheLayoutOfTheirDepth) {
    struct Row {
        int width, height, depth;
        uint32_t fileSize, pixelOffset, imageSize, colours;
    };
    const Row rows[] = {
        {10, 3, 24, 150, 54, 96, 0},   {10, 3, 1, 74, 62, 12, 2},           {100, 50, 8, 6078, 1078, 5000, 256},
        {7, 5, 4, 138, 118, 20, 16},   {10, 3, 16, 262258, 262198, 60, 65536}, {3, 2, 32, 78, 54, 24, 0},
    };
    for (const Row &r : rows) {
        const fs::path path = folder / ("layout_" + std::to_string(r.depth) + ".bmp");
        ASSERT_EQ(Compose(path, r.width, r.height, r.depth), 0);
        const std::vector<uint8_t> file = ReadAll(path);
        ASSERT_EQ(file.size(), r.fileSize) << r.depth;
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(U32(file, 2), r.fileSize);
        EXPECT_EQ(U32(file, 6), 0u);  // both reserved fields
        EXPECT_EQ(U32(file, 10), r.pixelOffset);
        EXPECT_EQ(U32(file, 14), 40u);
        EXPECT_EQ(U32(file, 18), uint32_t(r.width));
        EXPECT_EQ(U32(file, 22), uint32_t(r.height));
        EXPECT_EQ(file[28], r.depth);
        EXPECT_EQ(U32(file, 34), r.imageSize);
        EXPECT_EQ(U32(file, 46), r.colours);
        if (r.depth == 16) {  // the declared table of a 16-bit file is all zero
            EXPECT_EQ(std::count(file.begin() + 54, file.begin() + r.pixelOffset, 0), long(r.pixelOffset - 54));
        }
    }
}

TEST_P(FileWriter, PixelsGoOutInPiecesOf4096AndARemainder) {
    // Writes: the file header, the description with its table, then the pixels.
    const std::pair<int, int> rows[] = {{1024, 3}, {1025, 4}, {2048, 4}, {3000, 5}};  // 32-bit rows of 4 bytes a pixel
    for (auto [width, writes] : rows) {
        const int reads = PlatformSelectedBitmapReads();
        PlatformResetCallCounts();
        ASSERT_EQ(Compose(folder / "pieces.bmp", width, 1, 32), 0);
        EXPECT_EQ(PlatformCallCount(GetParam() == "figPlotU" ? "CreateFileW" : "CreateFileA"), 1);
        EXPECT_EQ(PlatformCallCount("WriteFile"), writes) << width * 4 << " bytes of pixels";
        EXPECT_EQ(fs::file_size(folder / "pieces.bmp"), 54u + 4u * width);
        EXPECT_EQ(PlatformSelectedBitmapReads(), reads);  // the bitmap was selected out first
    }
}

TEST_P(FileWriter, AnExistingFileIsReplacedWholeAndNamesMayLeaveAscii) {
    const fs::path path = folder / u8"Grüße.bmp";
    { std::ofstream(path, std::ios::binary) << std::string(100000, 'x'); }
    // A file that happens to bear the first temporary name is someone's: it stays.
    { std::ofstream(folder / u8"Grüße.bmp~figplot1.tmp") << "mine"; }
    ASSERT_EQ(Compose(path, 10, 3, 24), 0);
    EXPECT_EQ(fs::file_size(path), 150u);
    EXPECT_EQ(fs::file_size(folder / u8"Grüße.bmp~figplot1.tmp"), 4u);
    EXPECT_EQ(FolderContents().size(), 2u);
}

// Each call the writing path makes fails in turn: the answer is the one its failure gives,
// the file that stood at the path is untouched and nothing else is left in the folder.
TEST_P(FileWriter, EveryFailureLeavesTheOldFileAndNoOther) {
    const bool wide = GetParam() == "figPlotU";
    const fs::path path = folder / "chart.bmp";
    const std::string old = "an older picture the user keeps";
    struct Point {
        const char *function;
        int16_t answer;
    };
    const std::vector<Point> points = {
        {"GetDC", 0},  {"CreateCompatibleDC", 0}, {"CreateDIBSection", 0}, {wide ? "GetObjectW" : "GetObjectA", 3},
        {"LocalAlloc", 3}, {"GetDIBits", 5}, {wide ? "CreateFileW" : "CreateFileA", 5}, {"WriteFile", 5},
        {"CloseHandle", 5}, {wide ? "MoveFileExW" : "MoveFileExA", 5}, {"GlobalAlloc", -1},
    };
    int driven = 0;
    for (const Point &point : points) {
        PlatformResetCallCounts();
        ASSERT_EQ(Compose(folder / "clean.bmp", 37, 11, 8), 0);
        fs::remove(folder / "clean.bmp");
        const int calls = PlatformCallCount(point.function);
        EXPECT_GT(calls, 0) << point.function;
        if (point.answer < 0) {
            EXPECT_EQ(calls, 3);
        }
        for (int n = 1; n <= calls; ++n, ++driven) {
            { std::ofstream(path, std::ios::binary) << old; }
            PlatformFailNthCall(point.function, n);
            const int16_t answer = Compose(path, 37, 11, 8);
            PlatformClearFaults();
            // Global blocks: the list's column names (no binding: 2), the canvas's header (no
            // canvas: 0), the pixel buffer (3).
            const int16_t kBlockAnswers[] = {2, 0, 3};
            const int16_t expected = point.answer >= 0 ? point.answer : kBlockAnswers[n - 1];
            EXPECT_EQ(answer, expected) << point.function << " call " << n;
            std::ifstream in(path, std::ios::binary);
            EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), old)
                << point.function << " call " << n;
            EXPECT_EQ(FolderContents(), std::vector<fs::path>{"chart.bmp"}) << point.function << " call " << n;
            EXPECT_EQ(PlatformLiveTotal(), baseline) << point.function << " call " << n;
        }
    }
    std::printf("[ file failures ] %s: %d paths driven\n", GetParam().c_str(), driven);
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, FileWriter, ::testing::Values("figPlotU", "figPlot"),
                         [](const auto &info) { return info.param; });

}  // namespace
