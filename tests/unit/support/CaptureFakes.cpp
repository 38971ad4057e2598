#include "support/CaptureFakes.h"

#include <algorithm>
#include <cstring>

namespace vfe::testing {

namespace {
void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}
void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}
std::vector<std::uint8_t> InfoHeader32(int width, int height) {
    std::vector<std::uint8_t> header(40, 0);
    Put32(header, 0, 40);
    Put32(header, 4, static_cast<std::uint32_t>(width));
    Put32(header, 8, static_cast<std::uint32_t>(height));
    Put16(header, 12, 1);
    Put16(header, 14, 32);
    Put32(header, 20, static_cast<std::uint32_t>(width * height * 4));
    return header;
}
}  // namespace

FakeScreenCapture::FakeScreenCapture() : info(InfoHeader32(2, 2)), pixels(16, 0) {}

bool FakeScreenCapture::CreateCapturePicture(Size outerSize) {
    calls.push_back("create " + std::to_string(outerSize.width) + "x" + std::to_string(outerSize.height));
    if (failCreate) return false;
    exists = true;
    return true;
}

void FakeScreenCapture::DestroyCapturePicture() {
    calls.push_back("destroy");
    exists = false;
}

void FakeScreenCapture::CopyScreenToCapturePicture(Size area) {
    calls.push_back("copy " + std::to_string(area.width) + "x" + std::to_string(area.height));
    ++grabs;
    std::fill(pixels.begin(), pixels.end(), static_cast<std::uint8_t>(grabs));
}

std::optional<BitmapBytes> FakeScreenCapture::CapturePictureBytes() const {
    if (!exists) return std::nullopt;
    return BitmapBytes{info, pixels};
}

bool FakeScreenCapture::ShowFileInPreview(const std::string& path) {
    calls.push_back("preview " + path);
    if (std::find(unloadable.begin(), unloadable.end(), path) != unloadable.end()) return false;
    previewFile = path;
    return true;
}

std::vector<std::uint8_t> PackedBitmap32(int width, int height, std::uint8_t fill) {
    const auto header = InfoHeader32(width, height);
    std::vector<std::uint8_t> packed(header.size() + static_cast<std::size_t>(width * height * 4), fill);
    std::copy(header.begin(), header.end(), packed.begin());
    Put32(packed, 20, 0);  // the clipboard may leave the image size out
    return packed;
}

}  // namespace vfe::testing
