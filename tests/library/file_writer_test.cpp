// Bitmap files written by ComposeFile: their layout, how they are written, and that a
// failure at any point leaves whatever stood at the path as it was.
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

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
        fs::remove(folder / "pieces.bmp");  // a new file: no old one to examine first
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
// the file that stood at the path is untouched (or, where only the temporary could not be
// made, written whole in place) and nothing else is left in the folder.
TEST_P(FileWriter, EveryFailureLeavesTheOldFileOrTheNewOneWholeAndNoOther) {
    const bool wide = GetParam() == "figPlotU";
    const fs::path path = folder / "chart.bmp";
    const std::string old = "an older picture the user keeps";
    struct Point {
        const char *function;
        std::vector<int16_t> answers;  // by call; the last stands for every later call
    };
    constexpr int16_t kNewFile = -1;  // answer 0, the new file whole at the path
    const std::vector<Point> points = {
        {"GetDC", {0}}, {"CreateCompatibleDC", {0}}, {"CreateDIBSection", {0}}, {wide ? "GetObjectW" : "GetObjectA", {3}},
        {"LocalAlloc", {3}}, {"GetDIBits", {5}}, {wide ? "GetFileAttributesW" : "GetFileAttributesA", {5}},
        {"GetFileInformationByHandle", {5}}, {wide ? "GetFinalPathNameByHandleW" : "GetFinalPathNameByHandleA", {5}},
        // The old file is opened for queries (1), then the temporary made (2): without it the file itself is written.
        {wide ? "CreateFileW" : "CreateFileA", {5, kNewFile}}, {"WriteFile", {5}},
        {"CloseHandle", {kNewFile, 5}}, {wide ? "ReplaceFileW" : "ReplaceFileA", {5}},
        {"GlobalAlloc", {2, 0, 3}},  // the list's column names, the canvas's header, the pixel buffer
    };
    PlatformResetCallCounts();
    ASSERT_EQ(Compose(folder / "clean.bmp", 37, 11, 8), 0);
    const std::vector<uint8_t> clean = ReadAll(folder / "clean.bmp");
    int driven = 0;
    for (const Point &point : points) {
        { std::ofstream(path, std::ios::binary) << old; }
        PlatformResetCallCounts();
        ASSERT_EQ(Compose(path, 37, 11, 8), 0);
        const int calls = PlatformCallCount(point.function);
        EXPECT_GT(calls, 0) << point.function;
        for (int n = 1; n <= calls; ++n, ++driven) {
            { std::ofstream(path, std::ios::binary | std::ios::trunc) << old; }
            PlatformFailNthCall(point.function, n);
            const int16_t answer = Compose(path, 37, 11, 8);
            PlatformClearFaults();
            const int16_t expected = point.answers[std::min<size_t>(static_cast<size_t>(n), point.answers.size()) - 1];
            EXPECT_EQ(answer, expected == kNewFile ? 0 : expected) << point.function << " call " << n;
            const std::vector<uint8_t> now = ReadAll(path);
            if (expected == kNewFile) EXPECT_TRUE(now == clean) << point.function << " call " << n;
            else EXPECT_EQ(std::string(now.begin(), now.end()), old) << point.function << " call " << n;
            EXPECT_EQ(FolderContents().size(), 2u) << point.function << " call " << n;  // chart.bmp and clean.bmp
            EXPECT_EQ(PlatformLiveTotal(), baseline) << point.function << " call " << n;
        }
    }
    std::printf("[ file failures ] %s: %d paths driven\n", GetParam().c_str(), driven);
}

#ifdef _WIN32
// A hidden, system or read-only file is refused, as CREATE_ALWAYS with
// FILE_ATTRIBUTE_NORMAL refuses it, and kept; an archive file is replaced.
TEST_P(FileWriter, HiddenSystemAndReadOnlyFilesAreRefusedAndKept) {
    const std::string old = "an older picture the user keeps";
    const std::pair<DWORD, int16_t> rows[] = {{FILE_ATTRIBUTE_HIDDEN, 5}, {FILE_ATTRIBUTE_SYSTEM, 5},
                                              {FILE_ATTRIBUTE_READONLY, 5}, {FILE_ATTRIBUTE_ARCHIVE, 0}};
    for (auto [attribute, answer] : rows) {
        const fs::path path = folder / ("attribute_" + std::to_string(attribute) + ".bmp");
        { std::ofstream(path, std::ios::binary) << old; }
        ASSERT_TRUE(SetFileAttributesW(path.wstring().c_str(), attribute));
        EXPECT_EQ(Compose(path, 10, 3, 24), answer) << attribute;
        const std::vector<uint8_t> now = ReadAll(path);
        EXPECT_EQ(now.size(), answer ? old.size() : 150u) << attribute;
        EXPECT_EQ(GetFileAttributesW(path.wstring().c_str()) & attribute, attribute) << attribute;
        SetFileAttributesW(path.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(PlatformLiveTotal(), baseline) << attribute;
    }
}
#else
// What stands at the path keeps what the user relies on: its mode, its links, its other
// names; a write-protected file is refused and kept; a name too long for the temporary's
// suffix is written in place; a path that fills the host's whole text buffer (it may have
// been cut) is refused before anything is made.
TEST_P(FileWriter, WhatStandsAtThePathKeepsItsModeLinksAndNames) {
    const std::string old = "an older picture the user keeps";
    const fs::path real = folder / "real.bmp", other = folder / "other.bmp";
    auto oldFile = [&](const fs::path &path, fs::perms mode) {
        fs::remove(path);
        std::ofstream(path, std::ios::binary) << old;
        fs::permissions(path, mode);
    };
    // Relative paths, so that a name may come near the limit of one name in the folder.
    const fs::path caller = fs::current_path();
    fs::current_path(folder);
    const std::string fullName(255, 'n'), longName(250, 'l');
    struct Row {
        const char *name;
        std::function<fs::path()> make;  // the old state; the path to compose to
        int16_t answer;
        std::function<void(const fs::path &)> check;
    };
    auto isNew = [](const fs::path &p) { EXPECT_EQ(fs::file_size(p), 150u) << p; };
    auto isOld = [&](const fs::path &p) {
        const std::vector<uint8_t> now = ReadAll(p);
        EXPECT_EQ(std::string(now.begin(), now.end()), old) << p;
    };
    const fs::perms rw = fs::perms::owner_read | fs::perms::owner_write;
    const Row rows[] = {
        {"private_mode", [&] { return oldFile(real, rw), real; }, 0,
         [&](const fs::path &p) { isNew(p); EXPECT_EQ(fs::status(p).permissions(), rw); }},
        {"group_writable_mode", [&] { return oldFile(real, rw | fs::perms::group_read | fs::perms::group_write | fs::perms::others_read), real; }, 0,
         [&](const fs::path &p) {
             isNew(p);
             EXPECT_EQ(fs::status(p).permissions(), rw | fs::perms::group_read | fs::perms::group_write | fs::perms::others_read);
         }},
        {"symbolic_link", [&] { oldFile(real, rw), fs::remove(other), fs::create_symlink("real.bmp", other); return other; }, 0,
         [&](const fs::path &p) {
             EXPECT_TRUE(fs::is_symlink(p));
             isNew(real);
             EXPECT_EQ(fs::status(real).permissions(), rw);
         }},
        {"hard_link", [&] { oldFile(real, rw), fs::remove(other), fs::create_hard_link(real, other); return other; }, 0,
         [&](const fs::path &p) {
             isNew(p);
             isNew(real);
             EXPECT_EQ(fs::hard_link_count(real), 2u);
             EXPECT_TRUE(fs::equivalent(p, real));
         }},
        {"write_protected", [&] { return oldFile(real, fs::perms::owner_read | fs::perms::group_read), real; }, 5,
         [&](const fs::path &p) { isOld(p); }},
        {"name_too_long_for_a_temporary", [&] { return oldFile(longName, rw), fs::path(longName); }, 0,
         [&](const fs::path &p) { isNew(p); EXPECT_EQ(fs::status(p).permissions(), rw); }},
        {"new_name_too_long_for_a_temporary", [&] { return fs::remove(longName), fs::path(longName); }, 0, isNew},
        {"path_fills_the_buffer", [&] { return oldFile(fullName, rw), fs::path(fullName); }, 2, [&](const fs::path &p) { isOld(p); }},
        {"path_one_short_of_the_buffer", [&] { return fs::remove(fullName.substr(1)), fs::path(fullName.substr(1)); }, 0, isNew},
    };
    for (const Row &r : rows) {
        const fs::path path = r.make();
        EXPECT_EQ(Compose(path, 10, 3, 24), r.answer) << r.name;
        r.check(path);
        for (const auto &entry : fs::directory_iterator(folder))
            EXPECT_EQ(entry.path().string().find("~figplot"), std::string::npos) << r.name;
        EXPECT_EQ(PlatformLiveTotal(), baseline) << r.name;
    }
    fs::current_path(caller);
}

// A write cut short (reported short at each write in turn, or by a file size limit, ulimit -f)
// answers 5, an image size from GetDIBits other than the file's own layout answers 3: either
// way the old file stays whole and no temporary is left.
TEST_P(FileWriter, AFailedWriteKeepsTheOldFile) {
    struct Case {
        std::string name;
        int width, height, depth;
        int16_t answer;
        std::function<void()> fault, mend;
        int writes;  // WriteFile calls made, or -1: not counted
    };
    std::vector<Case> cases;
    const int pieces = 4;  // file header, description, 4096 bytes of pixels and the rest
    for (int n = 1; n <= pieces; ++n)
        cases.push_back({"write " + std::to_string(n) + " short", 1200, 1, 32, ResultFileFailure,
                         [n] { PlatformShortenNthWrite(n); }, [] { PlatformShortenNthWrite(0); }, n});
    for (LONG skew : {4, -4, 1})
        cases.push_back({"image size skewed by " + std::to_string(skew), 13, 5, 24, ResultNoMemory,
                         [skew] { PlatformSkewNextImageSize(skew); }, [] { PlatformSkewNextImageSize(0); }, -1});
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*previous)(int) = SIG_DFL;
    cases.push_back({"file size limit", 101, 37, 24, ResultFileFailure,  // 11,154 bytes against 10,000
                     [&] {
                         previous = std::signal(SIGXFSZ, SIG_IGN);
                         struct rlimit limited = saved;
                         limited.rlim_cur = 10000;
                         setrlimit(RLIMIT_FSIZE, &limited);
                     },
                     [&] {
                         setrlimit(RLIMIT_FSIZE, &saved);
                         std::signal(SIGXFSZ, previous);
                     },
                     -1});
    const fs::path path = folder / "kept.bmp";
    const std::string old = "an older picture the user keeps";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        { std::ofstream(path, std::ios::binary | std::ios::trunc) << old; }
        PlatformResetCallCounts();
        c.fault();
        const int16_t answer = Compose(path, c.width, c.height, c.depth);
        c.mend();
        EXPECT_EQ(answer, c.answer);
        if (c.writes >= 0) {
            EXPECT_EQ(PlatformCallCount("WriteFile"), c.writes);
        }
        const std::vector<uint8_t> now = ReadAll(path);
        EXPECT_EQ(std::string(now.begin(), now.end()), old);
        EXPECT_EQ(FolderContents(), std::vector<fs::path>{"kept.bmp"});
        EXPECT_EQ(PlatformLiveTotal(), baseline);
    }
    fs::remove(path);
}

#endif

INSTANTIATE_TEST_SUITE_P(BothBuilds, FileWriter, ::testing::Values("figPlotU", "figPlot"),
                         [](const auto &info) { return info.param; });

}  // namespace
