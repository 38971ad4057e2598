#include <gtest/gtest.h>

#include "about/frmVelmoranAbout.h"
#include "platform/Paths.h"
#include "support/FakeFiles.h"
#include "support/Fakes.h"

namespace vfe {
namespace {

using testing::FakeFileSource;
using testing::FakeRichTextBox;

const std::string kReadmePath = std::string("C:\\Velmoran") + kPathSeparator + "Velmoran FE ReadMe.txt";

// The About window's real parts; `events` keeps the order of boxes and unloads.
struct FakeAboutParts final : AboutWindowControls, MessageBoxes {
    RichTextBox& rtbAbout() override { return box; }
    void Unload() override { events.push_back("unload"); }
    Answer Show(const std::string& text, const std::string& title, unsigned flags) override {
        shown.push_back({text, title, flags});
        events.push_back("message");
        return Answer::Ok;
    }
    FakeRichTextBox box;
    FakeFileSource files;
    std::vector<testing::ShownBox> shown;
    std::vector<std::string> events;

    frmVelmoranAbout Open() { return frmVelmoranAbout(*this, *this, files, "C:\\Velmoran"); }
};

TEST(AboutWindow, ShowsTheReadmeOfTheApplicationFolderOncePerOpening) {
    FakeAboutParts parts;
    parts.files.files[kReadmePath].content = "Velmoran Front-End\r\nHow to use it.";
    auto about = parts.Open();
    about.Form_Activate();
    // A message box of another window, or another application, gives the activation back.
    about.Form_Activate();
    about.Form_Activate();
    EXPECT_EQ(parts.files.opened, std::vector<std::string>{kReadmePath});
    EXPECT_EQ(parts.box.content, "Velmoran Front-End\r\nHow to use it.");
    EXPECT_EQ(parts.box.format, TextFormat::Text);
    EXPECT_TRUE(parts.events.empty());

    // The next opening reads the file again and shows what it holds now.
    parts.files.files[kReadmePath].content = "Changed.";
    auto again = parts.Open();
    again.Form_Activate();
    EXPECT_EQ(parts.files.opened.size(), 2u);
    EXPECT_EQ(parts.box.content, "Changed.");
}

TEST(AboutWindow, MissingReadmeGivesTheMessageThenCloses) {
    FakeAboutParts parts;
    for (int opening = 1; opening <= 2; ++opening) {
        auto about = parts.Open();
        about.Form_Activate();
        about.Form_Activate();  // the window is active again once the box has gone
    }
    ASSERT_EQ(parts.shown.size(), 2u);
    EXPECT_EQ(parts.shown[0].text,
              "Velmoran FE Readme not found.\r\n"
              "Be sure that you didn't deleted it. If so, copy it from your zip file.");
    EXPECT_EQ(parts.shown[0].title, "Velmoran FE Readme not found.");
    EXPECT_EQ(parts.shown[0].flags, 0x10u);  // OK button, critical icon
    EXPECT_EQ(parts.events, (std::vector<std::string>{"message", "unload", "message", "unload"}));
    EXPECT_EQ(parts.box.streams, 0);
}

TEST(AboutWindow, OtherLoadFailuresAreIgnoredAndTheWindowStays) {
    {
        FakeAboutParts parts;
        parts.files.files[kReadmePath] = {.content = "first part, then a bad sector", .failAfter = 10};
        parts.Open().Form_Activate();
        EXPECT_TRUE(parts.events.empty());
    }
    {
        FakeAboutParts parts;
        parts.files.files[kReadmePath] = {.content = "{\\rtf1 unreadable"};
        parts.box.refuse = true;
        parts.Open().Form_Activate();
        EXPECT_TRUE(parts.events.empty());
    }
}

TEST(AboutWindow, EmptyReadmeGivesAnEmptyBoxAndNoMessage) {
    FakeAboutParts parts;
    parts.files.files[kReadmePath].content = "";
    parts.Open().Form_Activate();
    EXPECT_EQ(parts.box.streams, 1);
    EXPECT_EQ(parts.box.content, "");
    EXPECT_TRUE(parts.events.empty());
}

}  // namespace
}  // namespace vfe
