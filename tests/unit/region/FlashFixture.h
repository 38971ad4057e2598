#pragma once
// A front-end over fakes whose application folder is a real temporary folder,
// with helpers to lay a flash image there and compare it afterwards.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/Fakes.h"
#include "support/TempDir.h"

namespace vfe::testing {

inline std::vector<std::uint8_t> RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(count);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(byte(generator));
    return bytes;
}

struct FlashFolder {
    TempDir dir;
    FakeFrontEnd fake{dir.str()};

    FlashFolder() { fake.state.FlashSize = 131072; }

    std::vector<std::uint8_t> LayImage(std::size_t length, unsigned seed = 1) {
        auto bytes = RandomBytes(length, seed);
        dir.Write("dc_flash.bin", bytes);
        return bytes;
    }
    std::vector<std::uint8_t> Image() const { return dir.Read("dc_flash.bin"); }
    std::string FlashPath() const { return dir.File("dc_flash.bin"); }

    std::optional<std::string> SavedRegion() {
        return fake.settings.GetSetting("Velmoran Front-End2", "Options", "DreamcastRegion");
    }
    void SaveRegion(const std::string& value) {
        fake.settings.SaveSetting("Velmoran Front-End2", "Options", "DreamcastRegion", value);
    }
    MenuItem CheckedRegionItem() const {
        for (auto item : {MenuItem::mnuJapan, MenuItem::mnuUS, MenuItem::mnuEURO})
            if (fake.controls.IsMenuChecked(item)) return item;
        return MenuItem::mnuRegion;  // none
    }
    int CheckedRegionCount() const {
        int count = 0;
        for (auto item : {MenuItem::mnuJapan, MenuItem::mnuUS, MenuItem::mnuEURO})
            count += fake.controls.IsMenuChecked(item) ? 1 : 0;
        return count;
    }
};

// `before` with the twelve bytes at 0x1A002 replaced by `block`.
inline std::vector<std::uint8_t> WithBlock(std::vector<std::uint8_t> before, const std::string& block) {
    std::copy(block.begin(), block.end(), before.begin() + 0x1A002);
    return before;
}

}  // namespace vfe::testing
