// The handle owners of src/win32 against the system's own answers.
#include "support/E2E.h"

namespace {

using vfe::win32::KernelHandle;

// CreateFile fails with INVALID_HANDLE_VALUE, OpenProcess with null: both are no handle.
TEST(Handles, AKernelHandleOfAFailedOpenIsNoHandle) {
    const KernelHandle missing(CreateFileW(L"C:\\no such folder\\none.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_FALSE(missing);
    EXPECT_FALSE(KernelHandle(OpenProcess(SYNCHRONIZE, FALSE, 0)));
    const KernelHandle own(CreateFileW((e2e::BuildDir() / e2e::kFrontEndExe).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(own);
}

}  // namespace
