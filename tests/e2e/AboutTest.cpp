// The About window as a user meets it: Help > About shows the readme of the
// application folder, read afresh at each opening, over a blocked main window.
#include <random>

#include "support/E2E.h"

namespace {

using e2e::FrontEnd;

constexpr const char* kAboutCaption = "About Velmoran Front-End";

class About : public e2e::FrontEndTest {};
class AboutWithoutReadme : public e2e::FrontEndTest {
public:
    AboutWithoutReadme() : FrontEndTest({.readme = false}) {}
};

// Help > About; the About window once it is on screen, or null when none came.
HWND OpenAbout(const FrontEnd& fe) {
    if (!e2e::Menu(fe, "h", "a")) return nullptr;
    HWND about = nullptr;
    e2e::WaitUntil([&] {
        about = e2e::FindTopWindow(kAboutCaption);
        return about && IsWindowVisible(about);
    });
    return about;
}

// The rich text box: the About window's one child window.
HWND ReadmeBox(HWND about) { return FindWindowExA(about, nullptr, nullptr, nullptr); }

// The box's whole text, asked of the control itself (another process's control).
std::string BoxText(HWND box) {
    const LRESULT length = SendMessageA(box, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

// Waits for the readme to be in the box: it is loaded once the window is up.
bool WaitForBoxText(HWND box, const std::string& expected) {
    return e2e::WaitUntil([&] { return BoxText(box) == expected; });
}

bool CloseAbout(HWND about) {
    PostMessageA(about, WM_CLOSE, 0, 0);
    return e2e::WaitForWindowGone(about);
}

TEST_F(About, ShowsTheReadmeOverABlockedMainWindow) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    const HWND about = OpenAbout(fe);
    ASSERT_TRUE(about);
    EXPECT_EQ(e2e::ClientSize(about).cx, 248);
    EXPECT_EQ(e2e::ClientSize(about).cy, 207);
    EXPECT_EQ(GetWindow(about, GW_OWNER), fe.window());
    EXPECT_FALSE(IsWindowEnabled(fe.window()));

    const HWND box = ReadmeBox(about);
    ASSERT_TRUE(box);
    const std::string readme = folder.Read(e2e::kReadmeName);
    ASSERT_GT(readme.size(), 1000u);
    EXPECT_TRUE(WaitForBoxText(box, readme)) << BoxText(box).substr(0, 200);
    const LONG style = GetWindowLongA(box, GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(e2e::ShowsNoDialog(fe));

    ASSERT_TRUE(CloseAbout(about));
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowEnabled(fe.window()) != FALSE; }));
    EXPECT_TRUE(fe.process.IsRunning());
}

TEST_F(About, AChangedReadmeShowsAtTheNextOpening) {
    folder.Write(e2e::kReadmeName, "First words.\r\n");
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    HWND about = OpenAbout(fe);
    ASSERT_TRUE(about);
    ASSERT_TRUE(WaitForBoxText(ReadmeBox(about), "First words.\r\n"));

    // A change while the window is open shows nothing new.
    folder.Write(e2e::kReadmeName, "Second thoughts.\r\nAnd more.\r\n");
    ASSERT_TRUE(e2e::HandledPostedMessages(fe.window()));
    EXPECT_EQ(BoxText(ReadmeBox(about)), "First words.\r\n");
    ASSERT_TRUE(CloseAbout(about));

    about = OpenAbout(fe);
    ASSERT_TRUE(about);
    EXPECT_TRUE(WaitForBoxText(ReadmeBox(about), "Second thoughts.\r\nAnd more.\r\n"));
    ASSERT_TRUE(CloseAbout(about));
}

// A close request that reaches the blocked main window (say, from the task bar) still
// ends the program at once, About window and all.
TEST_F(About, ClosingTheMainWindowWhileItIsOpenEndsTheProgram) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    const HWND about = OpenAbout(fe);
    ASSERT_TRUE(about);
    PostMessageA(fe.window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(fe.process.WaitForExit());
    EXPECT_EQ(fe.process.ExitCode(), 0u);
}

TEST_F(About, EmptyReadmeGivesAnEmptyBoxAndNoMessage) {
    folder.Write(e2e::kReadmeName, "");
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    const HWND about = OpenAbout(fe);
    ASSERT_TRUE(about);
    EXPECT_TRUE(e2e::ShowsNoDialog(fe));
    EXPECT_EQ(BoxText(ReadmeBox(about)), "");
    EXPECT_TRUE(IsWindow(about));
    ASSERT_TRUE(CloseAbout(about));
}

TEST_F(AboutWithoutReadme, GivesTheMessageClosesAndTheMainWindowStaysUsable) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    for (int attempt = 1; attempt <= 2; ++attempt) {
        ASSERT_TRUE(e2e::Menu(fe, "h", "a")) << "attempt " << attempt;
        const auto box = e2e::WaitForMessageBox(fe);
        ASSERT_TRUE(box) << "attempt " << attempt;
        EXPECT_EQ(box->title, "Velmoran FE Readme not found.");
        EXPECT_EQ(box->text,
                  "Velmoran FE Readme not found.\r\n"
                  "Be sure that you didn't deleted it. If so, copy it from your zip file.");
        EXPECT_TRUE(box->ok);
        EXPECT_FALSE(box->cancel);
        // The box belongs to the About window, which stays until the box is answered.
        const HWND about = e2e::FindTopWindow(kAboutCaption);
        EXPECT_TRUE(about);
        EXPECT_EQ(GetWindow(box->window, GW_OWNER), about);
        ASSERT_TRUE(e2e::Answer(*box, IDOK));
        EXPECT_TRUE(e2e::WaitForWindowGone(kAboutCaption)) << "attempt " << attempt;
        EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowEnabled(fe.window()) != FALSE; }));
    }
}

TEST_F(About, OpensALargeReadmeWhole) {
    std::string readme;
    for (int line = 0; readme.size() < (1u << 20); ++line)
        readme += "Line " + std::to_string(line) + " of a long readme, with some words to wrap around.\r\n";
    readme.resize(1u << 20);
    folder.Write(e2e::kReadmeName, readme);
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    const HWND about = OpenAbout(fe);
    ASSERT_TRUE(about);
    EXPECT_TRUE(e2e::WaitUntil([&] { return SendMessageA(ReadmeBox(about), WM_GETTEXTLENGTH, 0, 0) > 0; }));
    EXPECT_TRUE(BoxText(ReadmeBox(about)) == readme) << "the box holds " << BoxText(ReadmeBox(about)).size()
                                                     << " characters";
    ASSERT_TRUE(CloseAbout(about));
}

// Content that is not text, or RTF that nests without end, must not end the program.
TEST_F(About, BinaryOrHostileReadmesLeaveTheProgramRunning) {
    std::mt19937 random(6);
    std::string binary(1u << 20, '\0');
    for (char& c : binary) c = static_cast<char>(random());
    const std::string readmes[] = {binary, "{\\rtf1 " + binary, "{\\rtf1 " + std::string(200000, '{') + "deep"};
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    for (const std::string& readme : readmes) {
        folder.Write(e2e::kReadmeName, readme);
        const HWND about = OpenAbout(fe);
        ASSERT_TRUE(about);
        // A megabyte of binary takes the box about 10 s to load here.
        EXPECT_TRUE(e2e::ShowsNoDialog(fe, e2e::Milliseconds(40000)));
        ASSERT_TRUE(CloseAbout(about));
        ASSERT_TRUE(fe.process.IsRunning());
    }
    // Ending the program afterwards is clean too.
    PostMessageA(fe.window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(fe.process.WaitForExit());
    EXPECT_EQ(fe.process.ExitCode(), 0u);
}

}  // namespace
