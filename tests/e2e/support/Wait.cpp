#include <thread>

#include "support/E2E.h"

namespace e2e {

bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(Milliseconds(20));
    }
}

std::filesystem::path BuildDir() {
    std::string path(MAX_PATH, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return std::filesystem::path(path).parent_path();
}

std::string FlashImage(char region) {
    std::string image(kFlashSize, '\0');
    // A pattern that differs from byte to byte, so a misplaced write shows.
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>((i * 7 + (i >> 8)) & 0xFF);
    const std::string block = std::string(1, region) + "21Dreamcast";
    image.replace(kRegionOffset, block.size(), block);
    return image;
}

}  // namespace e2e
