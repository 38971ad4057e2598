#include <gtest/gtest.h>

#include "platform/FileFacts.h"
#include "platform/Paths.h"
#include "support/TempDir.h"

namespace vfe {
namespace {

using testing::TempDir;

TEST(FileFacts, EachAnswersItsOwnQuestion) {
    TempDir dir;
    dir.Write("one.bin", std::string("x"));
    dir.Write("empty.bin", std::string());
    EXPECT_TRUE(FileExist(dir.File("one.bin")));
    EXPECT_FALSE(FileExist(dir.File("empty.bin")));
    EXPECT_FALSE(FileExist(dir.File("missing.bin")));
    EXPECT_FALSE(FileExist(dir.File("no-such-folder/file.bin")));
    EXPECT_FALSE(FileExist(dir.str()));  // a folder has no file length
    EXPECT_FALSE(FileExist(""));

    EXPECT_EQ(FileLength(dir.File("one.bin")), 1);
    EXPECT_TRUE(IsRegularFile(dir.File("empty.bin")));
    EXPECT_FALSE(IsRegularFile(dir.str()));
    EXPECT_TRUE(EntryExists(dir.str()));  // a folder takes a name too
    EXPECT_TRUE(EntryExists(dir.File("empty.bin")));
    EXPECT_FALSE(EntryExists(dir.File("missing.bin")));
}

TEST(Paths, JoinWithOneSeparator) {
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(InAppDir("C:" + sep + "emu", "dc_flash.bin"), "C:" + sep + "emu" + sep + "dc_flash.bin");
    EXPECT_EQ(InAppDir("C:\\", "z0.bmp"), "C:\\z0.bmp");
    EXPECT_EQ(FolderOf("C:\\emu dir\\VelmoranFE2.exe"), "C:\\emu dir");
    EXPECT_EQ(FolderOf("C:\\VelmoranFE2.exe"), "C:\\");
    EXPECT_EQ(FolderOf("/tmp/x/VelmoranFE2.exe"), "/tmp/x");
}

}  // namespace
}  // namespace vfe
