#include "settings/core/FileRoutines.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/Exception.h"
#include "platform/TestFiles.h"

#include <sys/resource.h>
#include <sys/stat.h>

namespace lumarc {
namespace {

using test::Exists;
using test::ReadFile;
using test::TTempDir;
using test::WriteFile;

// Collects what DeleteTree reports instead of printing it.
class SettingsDeleteTree : public ::testing::Test {
protected:
    TTempDir FDir;
    std::vector<std::pair<std::string, std::string>> FMessages;
    const TMessageHook Report = [this](const std::string& text, const std::string& caption) {
        FMessages.emplace_back(text, caption);
    };
};

TEST_F(SettingsDeleteTree, RemovesNestedAndHiddenFiles)
{
    const std::string tree = FDir / "tree";
    WriteFile(tree + "/a.txt", "a");
    WriteFile(tree + "/.hidden", "h");
    WriteFile(tree + "/sub/deeper/b.bin", "b");
    DeleteTree(tree, Report);
    EXPECT_FALSE(Exists(tree));
    EXPECT_TRUE(FMessages.empty());
}

// A read-only file in a read-only folder: the folder is made writable to remove what it holds.
TEST_F(SettingsDeleteTree, RemovesReadOnlyEntries)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "read-only entries stop every user but root";
    const std::string tree = FDir / "tree";
    WriteFile(tree + "/ro/readonly.txt", "r");
    ::chmod((tree + "/ro/readonly.txt").c_str(), 0444);
    ::chmod((tree + "/ro").c_str(), 0555);
    DeleteTree(tree, Report);
    EXPECT_FALSE(Exists(tree));
    EXPECT_TRUE(FMessages.empty());
}

TEST_F(SettingsDeleteTree, NeverFollowsSymbolicLinksOutOfTheTree)
{
    const std::string outside = FDir / "outside";
    WriteFile(outside + "/precious.txt", "keep me");
    WriteFile(FDir / "lonely.txt", "keep me too");
    const std::string tree = FDir / "tree";
    std::filesystem::create_directories(tree + "/sub");
    std::filesystem::create_directory_symlink(outside, tree + "/sub/link-to-dir");
    std::filesystem::create_symlink(FDir / "lonely.txt", tree + "/link-to-file");
    std::filesystem::create_symlink(FDir / "nothing", tree + "/dangling");

    DeleteDirectory(tree + "/", Report);
    EXPECT_FALSE(Exists(tree));
    EXPECT_EQ(ReadFile(outside + "/precious.txt"), "keep me");
    EXPECT_EQ(ReadFile(FDir / "lonely.txt"), "keep me too");
    EXPECT_TRUE(FMessages.empty());
}

TEST_F(SettingsDeleteTree, ALinkGivenAsTheTreeIsRemovedItself)
{
    WriteFile(FDir / "outside/precious.txt", "keep me");
    std::filesystem::create_directory_symlink(FDir / "outside", FDir / "link");
    DeleteTree(FDir / "link", Report);
    EXPECT_FALSE(Exists(FDir / "link"));
    EXPECT_EQ(ReadFile(FDir / "outside/precious.txt"), "keep me");
}

TEST_F(SettingsDeleteTree, FailureIsReportedWithTheErrorNumber)
{
    DeleteTree(FDir / "missing", Report);
    ASSERT_EQ(FMessages.size(), 1u);
    EXPECT_EQ(FMessages[0].first, "FehlerNummer: 2");
    EXPECT_EQ(FMessages[0].second, "Verzeichnis löschen");

    WriteFile(FDir / "plain-file", "x");
    DeleteTree(FDir / "plain-file", Report);
    ASSERT_EQ(FMessages.size(), 2u);
    EXPECT_EQ(FMessages[1].first, "FehlerNummer: 20");  // ENOTDIR
    EXPECT_TRUE(Exists(FDir / "plain-file"));
}

TEST(SettingsDeleteFileForced, RemovesReadOnlyFilesAndLinksButNotTheirTargets)
{
    TTempDir dir;
    WriteFile(dir / "ro", "x");
    ::chmod((dir / "ro").c_str(), 0444);
    DeleteFileForced(dir / "ro");
    EXPECT_FALSE(Exists(dir / "ro"));
    WriteFile(dir / "target", "t");
    std::filesystem::create_symlink(dir / "target", dir / "link");
    DeleteFileForced(dir / "link");
    EXPECT_FALSE(Exists(dir / "link"));
    EXPECT_TRUE(Exists(dir / "target"));
    DeleteFileForced(dir / "missing");  // ignored
}

std::string Pattern(size_t size)
{
    std::string data(size, '\0');
    unsigned state = 12345;
    for (char& c : data) {
        state = state * 1103515245 + 12345;
        c = static_cast<char>(state >> 16);
    }
    return data;
}

TEST(SettingsCopyFileBlocks, CopiesAroundTheBlockSize)
{
    TTempDir dir;
    for (const size_t size : {0u, 1u, 2047u, 2048u, 2049u, 4099u}) {
        const std::string data = Pattern(size);
        WriteFile(dir / "source", data);
        WriteFile(dir / "dest", std::string(5000, 'x'));  // longer than any source: must be cut
        CopyFileBlocks(dir / "source", dir / "dest");
        EXPECT_EQ(ReadFile(dir / "dest"), data) << size << " bytes";
    }
}

TEST(SettingsCopyFileBlocks, MissingSourceCreatesNothing)
{
    TTempDir dir;
    CopyFileBlocks(dir / "missing", dir / "dest");
    EXPECT_FALSE(Exists(dir / "dest"));
    std::filesystem::create_directory(dir / "adir");
    CopyFileBlocks(dir / "adir", dir / "dest");
    EXPECT_FALSE(Exists(dir / "dest"));
}

TEST(SettingsCopyFileBlocks, CreateFailuresRaiseInOutError)
{
    TTempDir dir;
    WriteFile(dir / "source", "data");
    try {
        CopyFileBlocks(dir / "source", dir / "no/such/dir/dest");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "nicht gefunden");
    }
    std::filesystem::create_directory(dir / "adir");
    EXPECT_THROW(CopyFileBlocks(dir / "source", dir / "adir"), EInOutError);
}

TEST(SettingsCopyFileBlocks, CopyOntoItselfKeepsTheFile)
{
    TTempDir dir;
    WriteFile(dir / "file", "contents");
    std::filesystem::create_symlink(dir / "file", dir / "alias");
    CopyFileBlocks(dir / "file", dir / "file");
    CopyFileBlocks(dir / "file", dir / "alias");
    EXPECT_EQ(ReadFile(dir / "file"), "contents");
}

TEST(SettingsCopyFileBlocks, ADeviceTakesTheCopyAndStays)
{
    TTempDir dir;
    WriteFile(dir / "source", Pattern(3000));
    CopyFileBlocks(dir / "source", "/dev/null");
    EXPECT_TRUE(Exists("/dev/null"));
}

TEST(SettingsCopyFileBlocks, ReadFailureRaisesAndRemovesThePartialCopy)
{
    TTempDir dir;
    // Offset 0 of a process's memory is never mapped: opening works, reading fails.
    EXPECT_THROW(CopyFileBlocks("/proc/self/mem", dir / "dest"), EInOutError);
    EXPECT_FALSE(Exists(dir / "dest"));
}

TEST(SettingsCopyFileBlocks, WriteFailureRaisesAndRemovesThePartialCopy)
{
    TTempDir dir;
    WriteFile(dir / "source", Pattern(10000));
    // A file size limit stands in for a full disc: writes beyond it fail with EFBIG.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 3000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    bool raised = false;
    try {
        CopyFileBlocks(dir / "source", dir / "dest");
    } catch (const EInOutError&) {
        raised = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(raised);
    EXPECT_FALSE(Exists(dir / "dest"));
}

}  // namespace
}  // namespace lumarc
