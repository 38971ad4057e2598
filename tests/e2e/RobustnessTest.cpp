// Bad inputs a user can make, fed to the real program one at a time: after each, the
// program must still answer, end normally when closed, have lost no file of its folder and
// changed nothing but what it may change (the flash image's 12-byte region block, and only
// when the image has the right length). Each group prints
// "bad inputs tried: N, crashes: 0, files lost: 0".
#include <cstdio>
#include <functional>
#include <map>

#include "support/E2E.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kRegionBlockEnd = e2e::kRegionOffset + 12;

std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_regular_file()) {
            files[entry.path().filename().string()] = "<folder>";
            continue;
        }
        std::FILE* file = _wfopen(entry.path().c_str(), L"rb");
        std::string bytes;
        if (file) {
            char buffer[65536];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
            std::fclose(file);
        }
        files[entry.path().filename().string()] = std::move(bytes);
    }
    return files;
}

// The flash image may only have its region block rewritten with a known region.
bool IsAllowedFlashChange(const std::string& before, const std::string& after) {
    if (before == after) return true;
    if (before.size() != e2e::kFlashSize || after.size() != before.size()) return false;
    const char region = after[e2e::kRegionOffset];
    if (region < '0' || region > '2') return false;
    if (after.substr(e2e::kRegionOffset + 1, 11) != "21Dreamcast") return false;
    return before.substr(0, e2e::kRegionOffset) == after.substr(0, e2e::kRegionOffset) &&
           before.substr(kRegionBlockEnd) == after.substr(kRegionBlockEnd);
}

struct Tally {
    int tried = 0, crashes = 0, filesLost = 0;
    void Print() const {
        std::printf("bad inputs tried: %d, crashes: %d, files lost: %d\n", tried, crashes, filesLost);
    }
};

// Answers every dialog the process shows now, recording its text into `shown`.
void AnswerOpenDialogs(DWORD processId, std::vector<std::string>& shown) {
    while (const auto box = e2e::WaitForMessageBox(processId, e2e::Milliseconds(0))) {
        shown.push_back(box->text);
        if (!e2e::Answer(*box, box->ok ? IDOK : IDCANCEL)) break;
    }
}

// Runs the program on `folder` once: start, answer boxes, run `afterStart`, choose Europe
// from the menu (the code that reads the flash image again; it changes the region byte of
// the images used here), close. Counts a crash and lost or changed files into `tally`,
// and reports the boxes it showed.
std::vector<std::string> RunOnce(const fs::path& folder, Tally& tally, const std::string& what,
                                 const std::function<void()>& afterStart = {}) {
    ++tally.tried;
    const auto before = Snapshot(folder);
    std::vector<std::string> shown;
    {
        e2e::Process process = e2e::StartProcess(folder / e2e::kFrontEndExe);
        const DWORD id = process.id();
        HWND window = nullptr;
        // The load shows its boxes before the window shows: it is done once the window shows.
        bool loaded = false;
        while (!loaded && process.IsRunning()) {
            e2e::WaitUntil([&] {
                const HWND found = e2e::FindTopWindow(e2e::kMainCaption);
                if (found && e2e::ProcessIdOf(found) == id) window = found;
                return (window && IsWindowVisible(window)) || e2e::WaitForMessageBox(id, e2e::Milliseconds(0)) ||
                       !process.IsRunning();
            });
            const std::size_t answered = shown.size();
            AnswerOpenDialogs(id, shown);
            loaded = window && IsWindowVisible(window);
            if (!loaded && shown.size() == answered) break;  // neither shown nor asking: stuck
        }
        bool sound = loaded && e2e::Answers(window);
        if (sound) {
            if (afterStart) afterStart();
            sound = e2e::Menu(window, {"o", "c", "e"}) &&  // Options > Change Region > Europe
                    e2e::HandledPostedMessages(window);
            AnswerOpenDialogs(id, shown);
            sound = sound && e2e::Answers(window);
            PostMessageA(window, WM_CLOSE, 0, 0);
            sound = process.WaitForExit() && process.ExitCode() == 0u && sound;
        }
        if (!sound) {
            ++tally.crashes;
            ADD_FAILURE() << what << ": the program crashed, hung, did not show its window or missed the menu";
        }
    }
    const auto after = Snapshot(folder);
    for (const auto& [name, bytes] : before) {
        const auto now = after.find(name);
        const bool kept = now != after.end() &&
                          (name == e2e::kFlashName ? IsAllowedFlashChange(bytes, now->second) : bytes == now->second);
        if (!kept) {
            ++tally.filesLost;
            ADD_FAILURE() << what << ": " << name << (now == after.end() ? " was lost" : " was changed");
        }
    }
    return shown;
}

class BadInputs : public e2e::FrontEndTest {
protected:
    fs::path flashPath() const { return folder / e2e::kFlashName; }

    // Every wrong length is refused with the one message, and the file stays as it was.
    void ExpectWrongSizesRefused(std::initializer_list<std::size_t> sizes) {
        const std::string sound = e2e::FlashImage('1');
        for (const std::size_t size : sizes) {
            std::string image = sound;
            image.resize(size, '\xA5');
            folder.Write(e2e::kFlashName, image);
            const auto shown = RunOnce(folder.path(), tally, "flash of " + std::to_string(size) + " bytes");
            // Once at the start, once for the menu's choice.
            EXPECT_EQ(shown, std::vector<std::string>(2, "Incorrect Flash Bios!")) << size;
            EXPECT_TRUE(folder.Read(e2e::kFlashName) == image) << size;
            EXPECT_FALSE(e2e::SavedRegion()) << size;
        }
        tally.Print();
    }

    // A saved value that names no region gives no message and Japan at the start (" 2"
    // names Europe); the menu chose Europe last, so the image and the setting both say so.
    void ExpectSavedValuesHarmless(const std::vector<std::string>& values) {
        for (const auto& value : values) {
            folder.Write(e2e::kFlashName, e2e::FlashImage('1'));
            ASSERT_TRUE(e2e::WriteRegistryString(e2e::kOptionsKey, "DreamcastRegion", value));
            const std::string what = "saved region \"" + value.substr(0, 24) + "\"";
            const char atStart = value == " 2" ? '2' : '0';
            const auto shown = RunOnce(folder.path(), tally, what, [&] {
                EXPECT_TRUE(folder.Read(e2e::kFlashName) == e2e::FlashImage(atStart)) << what << " at the start";
            });
            EXPECT_TRUE(shown.empty()) << what << ": " << (shown.empty() ? "" : shown[0]);
            EXPECT_TRUE(folder.Read(e2e::kFlashName) == e2e::FlashImage('2')) << what;
            EXPECT_EQ(e2e::SavedRegion(), "2") << what;
        }
        tally.Print();
    }

    Tally tally;
};

// Each start of the program takes a few seconds on a busy machine: the cases are grouped
// a few at a time so that every group has room within one test's time limit.
TEST_F(BadInputs, FlashImagesShorterThanTheirSize) {
    ExpectWrongSizesRefused({std::size_t{1}, e2e::kRegionOffset, kRegionBlockEnd - 1, e2e::kFlashSize - 1});
}

TEST_F(BadInputs, FlashImagesLongerThanTheirSize) {
    ExpectWrongSizesRefused({e2e::kFlashSize + 1, 2 * e2e::kFlashSize, std::size_t{4} << 20});
}

TEST_F(BadInputs, FlashImageEmptyOrAFolder) {
    // No message, nothing written.
    folder.Write(e2e::kFlashName, "");
    EXPECT_TRUE(RunOnce(folder.path(), tally, "empty flash").empty());
    EXPECT_EQ(folder.Read(e2e::kFlashName), "");
    folder.Remove(e2e::kFlashName);
    fs::create_directory(flashPath());
    EXPECT_TRUE(RunOnce(folder.path(), tally, "flash is a folder").empty());
    EXPECT_TRUE(fs::is_directory(flashPath()));
    fs::remove(flashPath());
    EXPECT_FALSE(e2e::SavedRegion());
    tally.Print();
}

// Read-only, or locked by another program (no sharing at all): no message, untouched.
// (Root, as the tests may run, may write to a file without write permission: the
// read-only mark itself must hold the program back.)
TEST_F(BadInputs, FlashImageReadOnly) {
    const std::string sound = e2e::FlashImage('1');
    folder.Write(e2e::kFlashName, sound);
    SetFileAttributesW(flashPath().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(RunOnce(folder.path(), tally, "read-only flash").empty());
    SetFileAttributesW(flashPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(folder.Read(e2e::kFlashName) == sound);
    EXPECT_FALSE(e2e::SavedRegion());
    tally.Print();
}

TEST_F(BadInputs, FlashImageLocked) {
    const std::string sound = e2e::FlashImage('1');
    folder.Write(e2e::kFlashName, sound);
    {
        vfe::win32::KernelHandle lock(
            CreateFileW(flashPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        EXPECT_TRUE(RunOnce(folder.path(), tally, "locked flash").empty());
    }
    EXPECT_TRUE(folder.Read(e2e::kFlashName) == sound);
    EXPECT_FALSE(e2e::SavedRegion());
    tally.Print();
}

TEST_F(BadInputs, SavedRegionValuesThatAreNoNumber) {
    ExpectSavedValuesHarmless({"", "abc", "\t", "\xE9\xFC"});
}

TEST_F(BadInputs, SavedRegionValuesOutOfRange) {
    ExpectSavedValuesHarmless({"-1", "-32769", "65537", "99999999999999999999", std::string(100000, '9')});
}

TEST_F(BadInputs, SavedRegionValuesInOtherNotations) { ExpectSavedValuesHarmless({" 2", "1e300", "&H2"}); }

TEST_F(BadInputs, SavedRegionValuesWithMoreAfterTheNumber) { ExpectSavedValuesHarmless({"2abc", "0x1", "3.5"}); }

TEST_F(BadInputs, SavedRegionValuesOfAnotherRegistryType) {
    for (const DWORD type : {DWORD{REG_DWORD}, DWORD{REG_BINARY}}) {
        e2e::DeleteRegistryTree(e2e::kSettingsKey);
        const DWORD two = 2;
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, e2e::kOptionsKey, "DreamcastRegion", type, &two, sizeof two),
                  ERROR_SUCCESS);
        folder.Write(e2e::kFlashName, e2e::FlashImage('1'));
        const std::string what = "saved region of registry type " + std::to_string(type);
        RunOnce(folder.path(), tally, what, [&] {
            EXPECT_TRUE(folder.Read(e2e::kFlashName) == e2e::FlashImage('0')) << what << ": Japan at the start";
        });
        EXPECT_TRUE(folder.Read(e2e::kFlashName) == e2e::FlashImage('2')) << what;
        EXPECT_EQ(e2e::SavedRegion(), "2") << what;
    }
    tally.Print();
}

// A folder whose path has blanks and characters beyond ASCII that the system code page
// holds: the program finds its flash image there and patches it.
TEST_F(BadInputs, ApplicationFolderWithBlanksAndNonAsciiCharacters) {
    const fs::path odd = folder.path() / fs::path(L"Caf\u00e9 Gr\u00fc\u00dfe \u00c5 \u00f1");
    ASSERT_TRUE(fs::create_directories(odd));
    fs::copy_file(folder / e2e::kFrontEndExe, odd / e2e::kFrontEndExe);
    {
        std::FILE* file = _wfopen((odd / e2e::kFlashName).c_str(), L"wb");
        ASSERT_NE(file, nullptr);
        const std::string image = e2e::FlashImage('2');
        std::fwrite(image.data(), 1, image.size(), file);
        std::fclose(file);
    }
    ASSERT_TRUE(e2e::WriteRegistryString(e2e::kOptionsKey, "DreamcastRegion", "0"));
    const auto flashIn = [&] {
        const auto files = Snapshot(odd);
        return files.count(e2e::kFlashName) ? files.at(e2e::kFlashName) : std::string();
    };
    // Japan at start, then Europe from the menu: both reached the file in the odd folder.
    const auto shown = RunOnce(odd, tally, "folder with non-ASCII characters",
                               [&] { EXPECT_TRUE(flashIn() == e2e::FlashImage('0')) << "Japan at the start"; });
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(flashIn() == e2e::FlashImage('2'));
    EXPECT_EQ(e2e::SavedRegion(), "2");
    tally.Print();
}

}  // namespace
