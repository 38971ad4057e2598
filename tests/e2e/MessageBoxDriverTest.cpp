// The message box reader that the command tests use to check texts and answer
// questions, tried on boxes of our own process (shown from a second thread).
#include <future>

#include "support/E2E.h"

namespace {

std::future<int> ShowBoxAside(const char* text, const char* title, UINT flags) {
    return std::async(std::launch::async, [=] { return MessageBoxA(nullptr, text, title, flags); });
}

TEST(MessageBoxDriver, ReadsTitleTextAndButtonsAndAnswers) {
    auto result = ShowBoxAside("Velmoran has already running.\r\nDo you want to close and open it again?",
                               "Velmoran already running!", MB_YESNO);
    const auto box = e2e::WaitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "Velmoran already running!");
    EXPECT_EQ(box->text, "Velmoran has already running.\r\nDo you want to close and open it again?");
    EXPECT_TRUE(box->yes);
    EXPECT_TRUE(box->no);
    EXPECT_FALSE(box->ok);
    EXPECT_TRUE(e2e::Answer(*box, IDNO));
    EXPECT_EQ(result.get(), IDNO);
}

TEST(MessageBoxDriver, TellsOkFromOkCancel) {
    auto result = ShowBoxAside("Press 'Ok' to Start Recording", "Start Recording", MB_OKCANCEL);
    const auto box = e2e::WaitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->ok);
    EXPECT_TRUE(box->cancel);
    EXPECT_FALSE(box->yes);
    EXPECT_TRUE(e2e::Answer(*box, IDCANCEL));
    EXPECT_EQ(result.get(), IDCANCEL);

    auto plain = ShowBoxAside("Velmoran is not running!", "Velmoran is not running!", MB_OK | MB_ICONEXCLAMATION);
    const auto okOnly = e2e::WaitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(okOnly);
    EXPECT_TRUE(okOnly->ok);
    EXPECT_FALSE(okOnly->cancel);
    EXPECT_TRUE(e2e::Answer(*okOnly, IDOK));
    EXPECT_EQ(plain.get(), IDOK);
}

TEST(MessageBoxDriver, FindsNothingWhenNoBoxIsOpen) {
    EXPECT_FALSE(e2e::WaitForMessageBox(GetCurrentProcessId(), e2e::Milliseconds(200)));
}

}  // namespace
