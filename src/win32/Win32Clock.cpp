#include "win32/Win32Clock.h"

#include <windows.h>

namespace vfe::win32 {

int Win32Clock::SecondsOfDay() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
}

std::int64_t Win32Clock::Milliseconds() { return static_cast<std::int64_t>(GetTickCount64()); }

}  // namespace vfe::win32
