#include "scene_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace wine_compare {
namespace {

// Writes records in the runner's layout: a header line, then table, values and pixels.
class SceneFileWriter {
public:
    explicit SceneFileWriter(const std::string& path) : path_(path), file_(std::fopen(path.c_str(), "wb")) {}
    ~SceneFileWriter() { Close(); }

    void Add(const std::string& name, int depth, int width, int height, const std::vector<uint32_t>& table,
             const std::vector<int32_t>& extras, const std::vector<uint32_t>& pixels) {
        std::fprintf(file_, "scene %s cls %d 1 %d %d 7 %zu %zu\n", name.c_str(), depth, width, height, table.size(),
                     extras.size());
        std::fwrite(table.data(), 4, table.size(), file_);
        std::fwrite(extras.data(), 4, extras.size(), file_);
        std::fwrite(pixels.data(), 4, pixels.size(), file_);
    }

    void AddRaw(const std::string& text) { std::fputs(text.c_str(), file_); }

    void Close() {
        if (file_) std::fclose(file_);
        file_ = nullptr;
    }

private:
    std::string path_;
    FILE* file_;
};

std::string TempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

TEST(SceneFile, ReadsEveryFieldOfEachRecord) {
    std::string path = TempPath("figplot_scene_file_fields.bin");
    {
        SceneFileWriter writer(path);
        writer.Add("first@d4s", 4, 3, 2, {0x102030, 0xA0B0C0}, {-1, 42}, {1, 0, 1, 0, 0, 1});
        writer.Add("second@d32", 32, 1, 1, {}, {}, {0x00C8C4BC});
    }
    SceneSet scenes;
    std::string error;
    ASSERT_TRUE(ReadSceneFile(path, scenes, error)) << error;
    ASSERT_EQ(scenes.size(), 2u);
    const SceneImage& first = scenes.at("first@d4s");
    EXPECT_EQ(first.cls, "cls");
    EXPECT_EQ(first.depth, 4);
    EXPECT_TRUE(first.topDown);
    EXPECT_EQ(first.width, 3);
    EXPECT_EQ(first.height, 2);
    EXPECT_EQ(first.background, 7u);
    EXPECT_EQ(first.table, (std::vector<uint32_t>{0x102030, 0xA0B0C0}));
    EXPECT_EQ(first.extras, (std::vector<int32_t>{-1, 42}));
    EXPECT_EQ(first.pixels, (std::vector<uint32_t>{1, 0, 1, 0, 0, 1}));
    EXPECT_EQ(scenes.at("second@d32").pixels, (std::vector<uint32_t>{0x00C8C4BC}));
    std::filesystem::remove(path);
}

TEST(SceneFile, RejectsTruncatedAndMalformedFiles) {
    std::string truncated = TempPath("figplot_scene_file_truncated.bin");
    {
        SceneFileWriter writer(truncated);
        writer.AddRaw("scene cut@d8s lines 8 0 4 4 0 0 0\n");
        writer.AddRaw("abcd");  // 1 of 16 pixels
    }
    SceneSet scenes;
    std::string error;
    EXPECT_FALSE(ReadSceneFile(truncated, scenes, error));
    EXPECT_NE(error.find("cut@d8s"), std::string::npos);

    std::string malformed = TempPath("figplot_scene_file_malformed.bin");
    {
        SceneFileWriter writer(malformed);
        writer.AddRaw("scene broken lines eight\n");
    }
    EXPECT_FALSE(ReadSceneFile(malformed, scenes, error));
    EXPECT_FALSE(ReadSceneFile(TempPath("figplot_no_such_scene_file.bin"), scenes, error));
    std::filesystem::remove(truncated);
    std::filesystem::remove(malformed);
}

TEST(SceneFile, PixelColourFollowsEachFormat) {
    SceneImage indexed;
    indexed.depth = 4;
    indexed.table = {0x000000, 0x123456, 0xFEDCBA};
    EXPECT_EQ(PixelColour(indexed, 1), 0x123456u);
    EXPECT_EQ(PixelColour(indexed, 2), 0xFEDCBAu);
    EXPECT_EQ(PixelColour(indexed, 9), 0xFF00FFu) << "an index past the table shows as magenta";

    SceneImage word;
    word.depth = 16;
    EXPECT_EQ(PixelColour(word, 0x7FFF), 0xFFFFFFu);
    EXPECT_EQ(PixelColour(word, (0x19u << 10) | (0x02u << 5) | 0x10u), 0xCE1084u) << "high bits repeat into the low";

    SceneImage wide;
    wide.depth = 32;
    EXPECT_EQ(PixelColour(wide, 0xFF8040C0u), 0x8040C0u);
}

}  // namespace
}  // namespace wine_compare
