#include "capture/FrameFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>

#include <dirent.h>

#include "platform/FileFacts.h"
#include "platform/Paths.h"

namespace vfe {

namespace {

constexpr std::string_view kFrameExtension = ".bmp";

// The frame number's digits of a name that begins with "z" and ends in ".bmp".
std::string_view FrameNumberDigits(std::string_view fileName) {
    return fileName.substr(1, fileName.size() - 1 - kFrameExtension.size());
}

// Frame-number order (z2 before z10), however many digits: written without leading zeros,
// a number with fewer digits is the smaller one.
bool ComesBefore(std::string_view a, std::string_view b) {
    const std::string_view x = FrameNumberDigits(a), y = FrameNumberDigits(b);
    return x.size() != y.size() ? x.size() < y.size() : x < y;
}

}  // namespace

std::string WholeNumberText(double number) {
    if (!(number > 0)) return "0";
    return std::to_string(static_cast<std::uint64_t>(std::floor(number)));
}

std::string FrameFilePath(std::string_view appDir, double number) {
    return InAppDir(appDir, "z" + WholeNumberText(number) + std::string(kFrameExtension));
}

bool IsFrameFileName(std::string_view fileName) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (fileName.size() < 1 + 1 + kFrameExtension.size() || lower(fileName.front()) != 'z') return false;
    const std::string_view extension = fileName.substr(fileName.size() - kFrameExtension.size());
    for (std::size_t i = 0; i < kFrameExtension.size(); ++i)
        if (lower(extension[i]) != kFrameExtension[i]) return false;
    const std::string_view number = FrameNumberDigits(fileName);
    if (number.size() > 1 && number.front() == '0') return false;  // never written with leading zeros
    return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string> ListFrameFiles(std::string_view appDir) {
    std::vector<std::string> names;
    // The folder's names in the system's own code page, as every other path here.
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(opendir(std::string(appDir).c_str()), &closedir);
    if (!folder) return names;
    while (const dirent* entry = readdir(folder.get()))
        if (IsFrameFileName(entry->d_name) && IsRegularFile(InAppDir(appDir, entry->d_name))) names.emplace_back(entry->d_name);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return ComesBefore(a, b); });
    return names;
}

void DeleteFrameFiles(std::string_view appDir) {
    for (const auto& name : ListFrameFiles(appDir)) std::remove(InAppDir(appDir, name).c_str());
}

std::string FramesCapturedCaption(double framesSaved) {
    return WholeNumberText(framesSaved) + " frames captured...";
}

}  // namespace vfe
