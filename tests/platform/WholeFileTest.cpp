#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/TestFiles.h"
#include "platform/WholeFile.h"

namespace lumarc {
namespace {

using test::ReadFile;
using test::TTempDir;
using test::WriteFile;

mode_t Mode(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

size_t EntryCount(const std::string& dir)
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++count;
    return count;
}

TEST(PlatformWholeFile, ReplacesContentsAndKeepsPermissions)
{
    TTempDir dir;
    const std::string file = dir / "f";
    ASSERT_EQ(WriteWholeFileAtomically(file, std::string("new\0file", 8)), 0);
    EXPECT_EQ(Mode(file), 0600u);
    std::string contents;
    ASSERT_EQ(ReadWholeFile(file, contents), 0);
    EXPECT_EQ(contents, std::string("new\0file", 8));

    ::chmod(file.c_str(), 0640);
    ASSERT_EQ(WriteWholeFileAtomically(file, ""), 0);
    EXPECT_EQ(ReadFile(file), "");
    EXPECT_EQ(Mode(file), 0640u);
    EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

TEST(PlatformWholeFile, WritesThroughASymbolicLink)
{
    TTempDir dir;
    WriteFile(dir / "real/target", "old");
    std::filesystem::create_symlink("real/target", dir / "link");
    ASSERT_EQ(WriteWholeFileAtomically(dir / "link", "new"), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    EXPECT_EQ(ReadFile(dir / "real/target"), "new");
}

TEST(PlatformWholeFile, ReportsFailuresAsErrno)
{
    TTempDir dir;
    std::string contents = "stale";
    EXPECT_EQ(ReadWholeFile(dir / "missing", contents), ENOENT);
    EXPECT_EQ(contents, "");
    EXPECT_EQ(WriteWholeFileAtomically(dir / "no/such/dir/f", "x"), ENOENT);
    EXPECT_EQ(ReadWholeFile(dir.Path(), contents), EISDIR);
}

}  // namespace
}  // namespace lumarc
