#include <figplatform.h>
#include <gtest/gtest.h>
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
