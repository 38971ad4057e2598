#include "support/E2E.h"
#include "win32/ModuleFileName.h"

namespace e2e {

std::filesystem::path BuildDir() { return std::filesystem::path(vfe::win32::ModuleFileName()).parent_path(); }

std::string FlashImage(char region) {
    std::string image(kFlashSize, '\0');
    // A pattern that differs from byte to byte, so a misplaced write shows.
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>((i * 7 + (i >> 8)) & 0xFF);
    const std::string block = std::string(1, region) + "21Dreamcast";
    image.replace(kRegionOffset, block.size(), block);
    return image;
}

}  // namespace e2e
