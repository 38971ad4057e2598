// Files that ship beside the front-end, as the build leaves them for the demo folder.
#include <fstream>
#include <sstream>

#include "support/E2E.h"

namespace {

// ASCII: the About window reads plain text in the program's code page, UTF-8 or another.
TEST(ShippedFiles, ReadmeIsAsciiWithWindowsLineEnds) {
    std::ifstream in(e2e::BuildDir() / e2e::kReadmeName, std::ios::binary);
    ASSERT_TRUE(in);
    std::ostringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    ASSERT_GT(text.size(), 1000u);
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(text[i]), 0x80u) << "not ASCII at byte " << i;
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at byte " << i;
            ++lineEnds;
        } else if (text[i] == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare carriage return at byte " << i;
        }
    }
    EXPECT_GT(lineEnds, 50u);
    EXPECT_TRUE(text.ends_with("\r\n"));
}

}  // namespace
