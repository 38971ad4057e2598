// The preview picture when memory runs out: an allocation that fails while a new picture is
// taken leaves the preview showing a picture that is still there.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "support/CaptureFakes.h"
#include "win32/Resources.h"
#include "win32/Win32ScreenCapture.h"

namespace {
int allocationsUntilFailure = 0;  // the one that brings it to 0 throws; 0: none does
}  // namespace

void* operator new(std::size_t size) {
    if (allocationsUntilFailure > 0 && --allocationsUntilFailure == 0) throw std::bad_alloc();
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace vfe {
namespace {

TEST(PreviewPicture, AFailedAllocationLeavesThePreviewShowingALivePicture) {
    const HWND preview = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
    win32::Win32ScreenCapture screen(preview);
    const auto small = testing::PackedBitmap32(2, 2, 1);
    auto large = testing::PackedBitmap32(4, 4, 2);
    large[16] = 3;  // BI_BITFIELDS: a larger information block, with three colour masks, to keep
    large.insert(large.begin() + 40, 12, 0xFF);
    ASSERT_TRUE(screen.ShowBitmapInPreview({std::span(small).first(40), std::span(small).subspan(40)}));
    int failing = 1;
    for (;; ++failing) {  // each allocation of the new picture fails in turn
        allocationsUntilFailure = failing;
        bool threw = false;
        try {
            screen.ShowBitmapInPreview({std::span(large).first(52), std::span(large).subspan(52)});
        } catch (const std::bad_alloc&) {
            threw = true;
        }
        allocationsUntilFailure = 0;
        BITMAP shown{};
        ASSERT_TRUE(GetObjectA(GetPropA(preview, win32::kPictureProperty), sizeof shown, &shown)) << failing;
        EXPECT_EQ(shown.bmWidth, threw ? 2 : 4) << failing;
        if (!threw) break;
    }
    EXPECT_GT(failing, 1) << "no allocation was made to fail";
    DestroyWindow(preview);
}

}  // namespace
}  // namespace vfe
