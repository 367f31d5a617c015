// The copy that replaces a file only when it is whole, on real files.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/FileCopy.h"
#include "platform/TestFiles.h"

namespace lumarc::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(dir))
        names.push_back(item.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileCopy, AFailedOrCancelledOverwriteLeavesTheOldFileAndNoTemporary)
{
    TTempDir dir;
    const std::string big(10000, 'n');
    WriteFile(dir / "source", big);
    WriteFile(dir / "target", "die alte Fassung");

    {
        TFileSizeLimit full(3000);
        try {
            CopyFileSafely(dir / "source", dir / "target");
            FAIL() << "a full disk went unnoticed";
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "Der Datenträger ist voll");
        }
    }
    EXPECT_EQ(ReadFile(dir / "target"), "die alte Fassung");
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"source", "target"}));

    int blocks = 0;
    TCopyControl cancelAfterTwo;
    cancelAfterTwo.Progress = [&](int64_t) { return ++blocks < 2; };
    EXPECT_EQ(CopyFileSafely(dir / "source", dir / "target", cancelAfterTwo), TCopyOutcome::Cancelled);
    EXPECT_EQ(blocks, 2);
    EXPECT_EQ(ReadFile(dir / "target"), "die alte Fassung");
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"source", "target"}));

    try {
        CopyFileSafely(dir / "missing", dir / "target");
        FAIL() << "a missing source went unnoticed";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "nicht gefunden");
    }
    EXPECT_EQ(ReadFile(dir / "target"), "die alte Fassung");
}

TEST(FileCopy, AWholeCopyReplacesTheTargetAndKeepsTheSourcesTime)
{
    TTempDir dir;
    WriteFile(dir / "source", std::string(4099, 's'));
    const timespec old[2] = {{851990400, 0}, {851990400, 0}};  // 31 December 1996
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "source").c_str(), old, 0), 0);
    WriteFile(dir / "target", "alt");
    fs::create_symlink(dir / "target", dir / "alias");

    bool asked = false;
    TCopyControl control;
    control.Overwrite = [&] { return asked = true; };
    EXPECT_EQ(CopyFileSafely(dir / "source", dir / "target", control), TCopyOutcome::Copied);
    EXPECT_TRUE(asked);
    EXPECT_EQ(ReadFile(dir / "target"), std::string(4099, 's'));
    struct stat info {};
    ASSERT_EQ(::stat((dir / "target").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, 851990400);

    control.Overwrite = [] { return false; };
    WriteFile(dir / "target", "bleibt");
    EXPECT_EQ(CopyFileSafely(dir / "source", dir / "target", control), TCopyOutcome::Skipped);
    EXPECT_EQ(ReadFile(dir / "target"), "bleibt");

    // Onto itself through a link: the file must survive.
    EXPECT_EQ(CopyFileSafely(dir / "target", dir / "alias"), TCopyOutcome::Copied);
    EXPECT_EQ(ReadFile(dir / "target"), "bleibt");
    EXPECT_TRUE(fs::is_symlink(dir / "alias"));
}

}  // namespace
}  // namespace lumarc::test
