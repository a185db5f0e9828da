#include <figplatform.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(GlobalMemory, FixedBlockHandleIsItsAddressAndIsCounted) {
    int before = PlatformLiveCount(PlatformMemory);
    HGLOBAL block = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_EQ(PlatformLiveCount(PlatformMemory), before + 1);
    auto *bytes = static_cast<unsigned char *>(block);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], 0);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(PlatformLiveCount(PlatformMemory), before);
}

TEST(GlobalMemory, MoveableBlockNeedsLockAndTracksLockCount) {
    HGLOBAL block = GlobalAlloc(GHND, 8);
    ASSERT_NE(block, nullptr);
    void *p = GlobalLock(block);
    ASSERT_NE(p, nullptr);
    EXPECT_NE(p, block);
    EXPECT_EQ(GlobalLock(block), p);
    EXPECT_TRUE(GlobalUnlock(block));    // still locked once
    EXPECT_FALSE(GlobalUnlock(block));   // now unlocked
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(GlobalSize(block), 8u);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, BlocksWithoutZeroInitAreNotZero) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8193);
    ASSERT_NE(block, nullptr);
    auto *p = static_cast<unsigned char *>(GlobalLock(block));
    bool anyNonZero = false;
    for (int i = 0; i < 8193; ++i) anyNonZero |= p[i] != 0;
    EXPECT_TRUE(anyNonZero);
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(GlobalMemory, StaleAndForeignHandlesAreRejected) {
    HGLOBAL block = GlobalAlloc(GHND, 4);
    ASSERT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GlobalFree(block), block);  // a second free fails and hands the handle back
    int local = 0;
    EXPECT_EQ(GlobalFree(&local), static_cast<HGLOBAL>(&local));
    EXPECT_EQ(GlobalSize(&local), 0u);
}

TEST(GlobalMemory, LocalAllocLptrIsZeroedAndFreed) {
    int before = PlatformLiveCount(PlatformMemory);
    HLOCAL block = LocalAlloc(LPTR, 40);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(static_cast<unsigned char *>(block)[39], 0);
    EXPECT_EQ(LocalFree(block), nullptr);
    EXPECT_EQ(PlatformLiveCount(PlatformMemory), before);
}

TEST(FaultInjection, FailsTheNthCallOnceThenRecovers) {
    PlatformFailNthCall("GlobalAlloc", 2);
    HGLOBAL first = GlobalAlloc(GMEM_FIXED, 4);
    HGLOBAL second = GlobalAlloc(GMEM_FIXED, 4);
    HGLOBAL third = GlobalAlloc(GMEM_FIXED, 4);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_NE(third, nullptr);
    GlobalFree(first);
    GlobalFree(third);
}

TEST(FaultInjection, ArmingBeforeFirstUseAndClearing) {
    PlatformFailNthCall("LocalAlloc", 1);
    PlatformClearFaults();
    HLOCAL block = LocalAlloc(LPTR, 4);
    EXPECT_NE(block, nullptr);
    LocalFree(block);
    PlatformFailNthCall("LocalAlloc", 1);
    EXPECT_EQ(LocalAlloc(LPTR, 4), nullptr);
}

TEST(Rectangles, InflateRectWrapsLikeWindows) {
    RECT r;
    SetRect(&r, 10, 20, 30, 40);
    InflateRect(&r, -3, 2);
    EXPECT_EQ(r.left, 13);
    EXPECT_EQ(r.top, 18);
    EXPECT_EQ(r.right, 27);
    EXPECT_EQ(r.bottom, 42);
    SetRect(&r, 0x7FFFFFFF, 0, 0, 0);
    InflateRect(&r, -1, 0);
    EXPECT_EQ(r.left, static_cast<LONG>(0x80000000u));
}

TEST(Beep, IsRecorded) {
    int before = PlatformBeepCount();
    MessageBeep(MB_ICONASTERISK);
    EXPECT_EQ(PlatformBeepCount(), before + 1);
    EXPECT_EQ(PlatformLastBeepType(), static_cast<UINT>(MB_ICONASTERISK));
}

}  // namespace
