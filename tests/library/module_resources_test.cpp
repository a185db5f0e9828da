// The platform's resource calls on a loaded external behave as Windows' do.
#include <figplatform.h>
#include <gtest/gtest.h>

#include "figsim.h"
#include "library_test_util.h"

namespace {

class ModuleResources : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        external = figsim::External::Load(libtest::ExternalPath("figPlot"), &error);
        ASSERT_NE(external, nullptr) << error;
        module = external->module();
    }
    std::unique_ptr<figsim::External> external;
    HMODULE module = nullptr;
};

TEST_F(ModuleResources, LoadStringCutsToTheBufferAndTerminates) {
    WCHAR wide[10];
    EXPECT_EQ(LoadStringW(module, 29213, wide, 10), 8);
    EXPECT_EQ(std::u16string(wide), u"*figPlot");
    EXPECT_EQ(LoadStringW(module, 29209, wide, 10), 9);
    EXPECT_EQ(std::u16string(wide), u"figPlot.E");
    char narrow[5];
    EXPECT_EQ(LoadStringA(module, 29213, narrow, 5), 4);
    EXPECT_STREQ(narrow, "*fig");
}

TEST_F(ModuleResources, ZeroLengthBufferReceivesAPointerToTheResource) {
    const WCHAR *text = nullptr;
    int n = LoadStringW(module, 29212, reinterpret_cast<LPWSTR>(&text), 0);
    ASSERT_EQ(n, 49);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text, n), u"figPlot.GetPictSize(pictureField,sizeField):29201");
}

TEST_F(ModuleResources, MissingStringsAndModules) {
    WCHAR wide[8] = {u'x'};
    EXPECT_EQ(LoadStringW(module, 29214, wide, 8), 0);
    EXPECT_EQ(wide[0], 0);
    EXPECT_EQ(LoadStringW(nullptr, 29201, wide, 8), 0);
    int notAModule = 0;
    EXPECT_EQ(LoadStringW(reinterpret_cast<HMODULE>(&notAModule), 29201, wide, 8), 0);
    EXPECT_EQ(FindResourceExA(reinterpret_cast<HMODULE>(&notAModule), MAKEINTRESOURCEA(RT_RCDATA), "Q7INF", 0),
              nullptr);
}

TEST_F(ModuleResources, NamedResourcesByEitherWidthAndCase) {
    HRSRC a = FindResourceExA(module, MAKEINTRESOURCEA(RT_RCDATA), "q7inf", 1033);
    HRSRC w = FindResourceExW(module, MAKEINTRESOURCEW(RT_RCDATA), u"Q7INF", 0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, w);
    EXPECT_EQ(SizeofResource(module, a), 14u);
    EXPECT_EQ(FindResourceExA(module, MAKEINTRESOURCEA(RT_RCDATA), "Q8INF", 0), nullptr);
    EXPECT_EQ(FindResourceExA(module, MAKEINTRESOURCEA(RT_VERSION), "Q7INF", 0), nullptr);
}

}  // namespace
