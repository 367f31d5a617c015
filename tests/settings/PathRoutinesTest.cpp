#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/TestFiles.h"
#include "settings/core/PathRoutines.h"

namespace lumarc {
namespace {

TEST(SettingsPathIncludeBackslash, WindowsPaths)
{
    EXPECT_EQ(IncludeBackslash("c:"), "c:");
    EXPECT_EQ(IncludeBackslash("C:"), "C:");
    EXPECT_EQ(IncludeBackslash("c:\\"), "c:\\");
    EXPECT_EQ(IncludeBackslash("c:\\temp"), "c:\\temp\\");
    EXPECT_EQ(IncludeBackslash("c:\\temp\\"), "c:\\temp\\");
    EXPECT_EQ(IncludeBackslash("c:temp"), "c:temp\\");
    EXPECT_EQ(IncludeBackslash("comps\\grid"), "comps\\grid\\");
    EXPECT_EQ(IncludeBackslash("\\\\server\\share"), "\\\\server\\share\\");
}

TEST(SettingsPathIncludeBackslash, HostPathsAndEmpty)
{
    EXPECT_EQ(IncludeBackslash("/tmp"), "/tmp/");
    EXPECT_EQ(IncludeBackslash("/tmp/"), "/tmp/");
    EXPECT_EQ(IncludeBackslash("/"), "/");
    EXPECT_EQ(IncludeBackslash("relative"), "relative/");
    EXPECT_EQ(IncludeBackslash("1:"), "1:/");  // no drive letter
    EXPECT_EQ(IncludeBackslash(""), "");
}

TEST(SettingsPathFileTitle, DropsDirectoryAndExtension)
{
    EXPECT_EQ(FileTitle("c:\\x\\setup.exe"), "setup");
    EXPECT_EQ(FileTitle("c:\\x\\readme"), "readme");
    EXPECT_EQ(FileTitle("c:\\x\\readme.txt.bak"), "readme.bak");
    EXPECT_EQ(FileTitle("c:setup.exe"), "setup");
    EXPECT_EQ(FileTitle("/media/cd/COMPS/Grid.zip"), "Grid");
    EXPECT_EQ(FileTitle("a.b"), "a");
    EXPECT_EQ(FileTitle("c:\\x\\"), "");
    EXPECT_EQ(FileTitle(""), "");
}

TEST(SettingsPathFileTitle, NameIsCutAt255Characters)
{
    const std::string name(300, 'n');
    EXPECT_EQ(FileTitle("c:\\" + name), std::string(255, 'n'));
    // Cut first, then the extension goes: what remains of ".txt.bak" after the cut is ".tx".
    EXPECT_EQ(FileTitle(std::string(252, 'n') + ".txt.bak"), std::string(252, 'n'));
}

TEST(SettingsPathProgramDir, IsTheDirectoryOfTheRunningProgram)
{
    const std::string dir = ProgramDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    const auto exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(dir, exe.parent_path().string() + "/");
    EXPECT_EQ(DataDir(), dir + "Data/");
}

TEST(SettingsPathSystemDir, IsTheUsersLibraryDirectory)
{
    test::TScopedEnv home("HOME", "/home/someone/");
    EXPECT_EQ(SystemDir(), "/home/someone/.local/lib");
}

}  // namespace
}  // namespace lumarc
