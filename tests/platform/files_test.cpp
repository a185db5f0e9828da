#include <figplatform.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/figplat-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        files = PlatformLiveCount(PlatformFile);
    }
    void TearDown() override {
        PlatformClearFaults();
        EXPECT_EQ(PlatformLiveCount(PlatformFile), files);
        std::system(("rm -rf " + dir).c_str());
    }
    std::u16string Wide(const std::string &s) { return std::u16string(s.begin(), s.end()); }
    std::string Read(const std::string &path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    HANDLE Create(const std::string &path) {
        return CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    std::string dir;
    int files = 0;
};

TEST_F(Files, CreateAlwaysReplacesWholeFile) {
    std::string path = dir + "/out.bmp";
    std::ofstream(path) << "a much longer previous content";
    HANDLE f = Create(path);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(f, "BM", 2, &written, nullptr));
    EXPECT_EQ(written, 2u);
    EXPECT_TRUE(CloseHandle(f));
    EXPECT_EQ(Read(path), "BM");
}

TEST_F(Files, MissingFolderFailsWithoutCreatingAnything) {
    HANDLE f = Create(dir + "/no/such/folder.bmp");
    EXPECT_EQ(f, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(access((dir + "/no").c_str(), F_OK), -1);
}

TEST_F(Files, EightBitPathsAreCodePage1252) {
    std::string name = "/caf\xE9.bmp";  // e acute in code page 1252
    HANDLE f = CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    EXPECT_EQ(access((dir + "/caf\xC3\xA9.bmp").c_str(), F_OK), 0);  // stored as UTF-8
}

TEST_F(Files, ClosedAndForeignHandlesAreRejected) {
    HANDLE f = Create(dir + "/x");
    ASSERT_TRUE(CloseHandle(f));
    DWORD written = 7;
    EXPECT_FALSE(WriteFile(f, "x", 1, &written, nullptr));
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(CloseHandle(f));
    int local = 0;
    EXPECT_FALSE(CloseHandle(&local));
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

TEST_F(Files, InjectedFailuresOfCreateWriteAndClose) {
    PlatformFailNthCall("CreateFileW", 1);
    EXPECT_EQ(Create(dir + "/a"), INVALID_HANDLE_VALUE);

    HANDLE f = Create(dir + "/b");
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    PlatformFailNthCall("WriteFile", 2);
    DWORD written;
    EXPECT_TRUE(WriteFile(f, "12", 2, &written, nullptr));
    EXPECT_FALSE(WriteFile(f, "34", 2, &written, nullptr));
    PlatformFailNthCall("CloseHandle", 1);
    EXPECT_FALSE(CloseHandle(f));  // reported, and the handle is gone all the same
    EXPECT_FALSE(CloseHandle(f));
    EXPECT_EQ(Read(dir + "/b"), "12");
}

}  // namespace

namespace {

// What Windows tells about a file, through a link as through its own name: attributes
// (a file nobody may write is read-only), links, the final path; ReplaceFile keeps the
// replaced file's mode and name, and refuses a missing one; SetEndOfFile cuts at the
// current position.
TEST_F(Files, AttributesInformationFinalPathsAndReplacing) {
    const std::string real = dir + "/real.bmp", link = dir + "/link.bmp", twin = dir + "/twin.bmp";
    std::ofstream(real) << "old contents";
    ASSERT_EQ(symlink("real.bmp", link.c_str()), 0);
    ASSERT_EQ(::link(real.c_str(), twin.c_str()), 0);
    chmod(real.c_str(), 0640);

    struct {
        std::string path;
        DWORD attributes, error;
    } rows[] = {{real, FILE_ATTRIBUTE_NORMAL, 0}, {link, FILE_ATTRIBUTE_NORMAL, 0}, {dir, FILE_ATTRIBUTE_DIRECTORY, 0},
                {dir + "/none.bmp", INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND}};
    for (const auto &r : rows) {
        SetLastError(0);
        EXPECT_EQ(GetFileAttributesW(Wide(r.path).c_str()), r.attributes) << r.path;
        EXPECT_EQ(GetFileAttributesA(r.path.c_str()), r.attributes) << r.path;
        if (r.error) {
            EXPECT_EQ(GetLastError(), r.error) << r.path;
        }
    }
    chmod(twin.c_str(), 0444);
    EXPECT_EQ(GetFileAttributesA(real.c_str()), DWORD{FILE_ATTRIBUTE_READONLY});
    chmod(real.c_str(), 0640);

    HANDLE query = CreateFileA(link.c_str(), 0, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(query, INVALID_HANDLE_VALUE);
    BY_HANDLE_FILE_INFORMATION information{};
    EXPECT_TRUE(GetFileInformationByHandle(query, &information));
    EXPECT_EQ(information.nNumberOfLinks, 2u);
    EXPECT_EQ(information.nFileSizeLow, 12u);
    WCHAR wide[8];
    EXPECT_EQ(GetFinalPathNameByHandleW(query, wide, 8, 0), DWORD(real.size() + 1));  // too small: the size needed
    char narrow[512];
    ASSERT_EQ(GetFinalPathNameByHandleA(query, narrow, sizeof narrow, 0), DWORD(real.size()));
    EXPECT_EQ(std::string(narrow), real);
    EXPECT_TRUE(CloseHandle(query));

    const std::string replacement = dir + "/new.tmp";
    std::ofstream(replacement) << "new";
    chmod(replacement.c_str(), 0600);
    EXPECT_TRUE(ReplaceFileW(Wide(real).c_str(), Wide(replacement).c_str(), nullptr, 0, nullptr, nullptr));
    struct stat st;
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Read(link), "new");
    EXPECT_EQ(Read(twin), "old contents");  // a rename gives the name a new file
    SetLastError(0);
    EXPECT_FALSE(ReplaceFileA((dir + "/none.bmp").c_str(), twin.c_str(), nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
    EXPECT_EQ(Read(twin), "old contents");

    HANDLE f = CreateFileA(twin.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(f, "cut", 3, &written, nullptr));
    EXPECT_TRUE(SetEndOfFile(f));
    EXPECT_TRUE(CloseHandle(f));
    EXPECT_EQ(Read(twin), "cut");
}

}  // namespace
