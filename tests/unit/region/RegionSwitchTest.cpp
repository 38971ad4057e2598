#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>

#include "region/FlashImage.h"
#include "shell/frmVelmoranLoad.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace vfe {
namespace {

// A main window over fakes whose application folder is a real temporary folder.
struct Folder {
    testing::TempDir dir;
    testing::FakeFrontEnd fake{dir.str()};
    frmVelmoranLoad form{fake.frontEnd, fake.about, fake.capture.Services()};

    Folder() { fake.state.FlashSize = 131072; }
    std::vector<std::uint8_t> LayImage(std::size_t length) {
        std::mt19937 random(static_cast<unsigned>(length));
        std::vector<std::uint8_t> bytes(length);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
        dir.Write("dc_flash.bin", bytes);
        return bytes;
    }
    std::vector<std::uint8_t> Image() const { return dir.Read("dc_flash.bin"); }
    std::optional<std::string> Saved() {
        return fake.settings.GetSetting(kApplicationTitle, "Options", "DreamcastRegion");
    }
    void Save(const std::string& v) { fake.settings.SaveSetting(kApplicationTitle, "Options", "DreamcastRegion", v); }
    std::string Checks() const {  // "J", "U" or "E" for each checked region item
        std::string marks;
        for (auto [item, mark] : {std::pair{MenuItem::mnuJapan, 'J'}, {MenuItem::mnuUS, 'U'}, {MenuItem::mnuEURO, 'E'}})
            if (fake.controls.IsMenuChecked(item)) marks += mark;
        return marks;
    }
};

std::vector<std::uint8_t> WithBlock(std::vector<std::uint8_t> bytes, std::string_view block) {
    std::copy(block.begin(), block.end(), bytes.begin() + 0x1A002);
    return bytes;
}

TEST(RegionSwitch, EachChoicePatchesOnlyTheBlockAndIsRemembered) {
    Folder folder;
    const auto original = folder.LayImage(131072);
    for (auto [item, block, saved, mark] : {std::tuple{MenuItem::mnuEURO, "221Dreamcast", "2", "E"},
                                            {MenuItem::mnuEURO, "221Dreamcast", "2", "E"},
                                            {MenuItem::mnuUS, "121Dreamcast", "1", "U"},
                                            {MenuItem::mnuJapan, "021Dreamcast", "0", "J"}}) {
        folder.form.OnMenu(item);
        EXPECT_EQ(folder.Image(), WithBlock(original, block)) << block;
        EXPECT_EQ(folder.Saved(), saved);
        EXPECT_EQ(folder.Checks(), mark);
    }
    EXPECT_TRUE(folder.fake.messages.shown.empty());
}

TEST(RegionSwitch, CheckMarksMoveFirstUncheckingTheOthers) {
    Folder folder;  // no image at all: the marks move anyway
    folder.form.mnuUS_Click();
    const std::vector<std::pair<MenuItem, bool>> expected{
        {MenuItem::mnuJapan, false}, {MenuItem::mnuEURO, false}, {MenuItem::mnuUS, true}};
    EXPECT_EQ(folder.fake.controls.menuCheckLog, expected);
}

TEST(RegionSwitch, WrongLengthImageGetsTheMessageAndStaysAsItWas) {
    for (std::size_t length : {131071u, 131073u}) {
        Folder folder;
        folder.Save("1");
        const auto before = folder.LayImage(length);
        folder.form.mnuEURO_Click();
        ASSERT_EQ(folder.fake.messages.shown.size(), 1u);
        EXPECT_EQ(folder.fake.messages.shown[0].text, "Incorrect Flash Bios!");
        EXPECT_EQ(folder.fake.messages.shown[0].title, "Quorvex");
        EXPECT_EQ(folder.fake.messages.shown[0].flags, MsgBox::OkOnly | MsgBox::Critical);
        EXPECT_EQ(folder.Image(), before);
        EXPECT_EQ(folder.Saved(), "1");
        EXPECT_EQ(folder.Checks(), "E");
    }
}

TEST(RegionSwitch, MissingEmptyUnopenableOrReadOnlyImageChangesNothingSilently) {
    Folder missing, empty, directory, unopenable, readOnly;
    empty.LayImage(0);
    std::filesystem::create_directory(directory.dir.File("dc_flash.bin"));
    const auto sound = unopenable.LayImage(131072);
    // Marked read-only: root could still open it for writing, the mark must hold.
    const auto kept = readOnly.LayImage(131072);
    std::filesystem::permissions(readOnly.dir.File("dc_flash.bin"), std::filesystem::perms::owner_read);
    for (auto* folder : {&missing, &empty, &directory, &unopenable, &readOnly}) {
        folder->Save("2");
        // The right image that cannot be opened for writing: no file descriptor is left
        // (as root, permissions would not stop the open).
        rlimit previous{};
        getrlimit(RLIMIT_NOFILE, &previous);
        rlimit none{0, previous.rlim_max};
        if (folder == &unopenable) setrlimit(RLIMIT_NOFILE, &none);
        folder->form.mnuJapan_Click();
        setrlimit(RLIMIT_NOFILE, &previous);
        EXPECT_TRUE(folder->fake.messages.shown.empty());
        EXPECT_EQ(folder->Saved(), "2");
        EXPECT_EQ(folder->Checks(), "J");
    }
    EXPECT_FALSE(missing.dir.Exists("dc_flash.bin")) << "never created";
    EXPECT_TRUE(empty.Image().empty()) << "never extended";
    EXPECT_EQ(unopenable.Image(), sound);
    EXPECT_EQ(readOnly.Image(), kept);
}

TEST(RegionSwitch, AFailedWriteIsNotRememberedAndAFailedSaveIsSilent) {
    Folder folder;
    folder.Save("0");
    const auto before = folder.LayImage(131072);
    // A file-size limit below the block makes the write fail, even for root.
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered{0x1A000, previous.rlim_max};
    setrlimit(RLIMIT_FSIZE, &lowered);
    folder.form.mnuEURO_Click();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(folder.Image(), before);
    EXPECT_EQ(folder.Saved(), "0");

    folder.fake.settings.failSaves = true;
    folder.form.mnuUS_Click();
    EXPECT_EQ(folder.Image(), WithBlock(before, "121Dreamcast"));
    EXPECT_EQ(folder.Saved(), "0");
    EXPECT_TRUE(folder.fake.messages.shown.empty());
}

TEST(OverwriteInPlace, NeverGrowsTheFileNorWritesIntoAnotherLength) {
    Folder folder;
    const auto before = folder.LayImage(100);
    const std::string path = folder.dir.File("dc_flash.bin");
    const std::uint8_t bytes[4] = {1, 2, 3, 4};
    EXPECT_FALSE(OverwriteInPlace(path, 100, 98, bytes));
    EXPECT_FALSE(OverwriteInPlace(path, 100, -1, bytes));
    EXPECT_FALSE(OverwriteInPlace(path, 120, 10, bytes)) << "length changed since it was read";
    EXPECT_FALSE(OverwriteInPlace(path, 99, 10, bytes)) << "grown since";
    EXPECT_EQ(folder.Image(), before);
    EXPECT_TRUE(OverwriteInPlace(path, 100, 96, bytes));
    EXPECT_EQ(folder.Image()[99], 4);
}

}  // namespace
}  // namespace vfe
