#include <gtest/gtest.h>

#include "about/LoadRichTextFile.h"
#include "about/RtfNestingGuard.h"
#include "support/FakeFiles.h"

namespace vfe {
namespace {

using testing::FakeFileSource;
using testing::FakeRichTextBox;

struct Loaded {
    LoadResult result;
    std::string content;
};

Loaded Load(const std::string& file, std::size_t bytesPerRead = 4096) {
    FakeFileSource files;
    files.files["readme"] = {.content = file, .bytesPerRead = bytesPerRead};
    FakeRichTextBox box;
    const LoadResult result = LoadRichTextFile(files, box, "readme");
    return {result, box.content};
}

std::string Repeat(const std::string& part, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += part;
    return all;
}

TEST(RtfNesting, OrdinaryDocumentsPassWhole) {
    const std::string documents[] = {
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}\\f0 Hello \\b bold\\b0\\par}",
        "{\\rtf1 " + Repeat("{\\b x}", 5000) + "}",                   // many groups side by side
        "{\\rtf1 " + Repeat("\\{", 100) + Repeat("\\\\{", 1) + "}",   // escaped braces are text
        "{\\rtf1 " + Repeat("{", 29) + "deep" + Repeat("}", 30),      // exactly as deep as allowed
        "{\\rtf1 {\\*\\binary{x}} \\bin0 {y}}",                        // words that only begin like \bin
    };
    for (const auto& document : documents)
        for (const std::size_t perRead : {1u, 3u, 4096u}) {
            const Loaded loaded = Load(document, perRead);
            EXPECT_EQ(loaded.result, LoadResult::Loaded) << document.substr(0, 60);
            EXPECT_EQ(loaded.content, document) << document.substr(0, 60);
        }
}

TEST(RtfNesting, EndsTheStreamBeforeAGroupTooDeep) {
    const std::string head = "{\\rtf1 " + Repeat("{", kMaxRtfNesting - 1);
    for (const std::size_t perRead : {1u, 7u, 4096u}) {
        const Loaded loaded = Load(head + "{{{{{ too deep }}}}}" + Repeat("}", kMaxRtfNesting), perRead);
        EXPECT_EQ(loaded.result, LoadResult::OtherFailure);
        EXPECT_EQ(loaded.content, head) << perRead;
    }
    // 200000 levels, as a hostile file might have.
    EXPECT_EQ(Load("{\\rtf1 " + std::string(200000, '{')).content, head);
}

TEST(RtfNesting, RawDataCannotHideGroups) {
    // Closing braces inside \bin data, read as text by one control and skipped by another:
    // neither reading may go deeper than allowed.
    const std::string hidesClosings = "{\\rtf1 " + Repeat("{", 28) + Repeat("\\bin1 }{", 10) + "}";
    EXPECT_EQ(Load(hidesClosings).result, LoadResult::OtherFailure);
    const std::string hidesOpenings = "{\\rtf1 " + Repeat("\\bin1 {", 40) + "}";
    EXPECT_EQ(Load(hidesOpenings).result, LoadResult::OtherFailure);
    // Raw data that is not deep passes, braces and all.
    const std::string data = "{\\rtf1 {\\pict\\bin6 }}{{}{ more}}";
    EXPECT_EQ(Load(data).content, data);
}

TEST(RtfNesting, PlainTextIsNotRtf) {
    const std::string braces = std::string(1000, '{') + " not rich text";
    EXPECT_EQ(Load(braces).content, braces);
    EXPECT_EQ(Load(braces).result, LoadResult::Loaded);
}

}  // namespace
}  // namespace vfe
