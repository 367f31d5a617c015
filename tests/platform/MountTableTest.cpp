#include <gtest/gtest.h>

#include "platform/DiskLabels.h"
#include "platform/MountTable.h"
#include "platform/TestFiles.h"

namespace lumarc {
namespace {

TEST(PlatformMountTable, ParsesFieldsAndUnescapesThem)
{
    const auto entries = ParseMountTable(
        "/dev/sda1 / ext4 rw,relatime 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/sr0 /media/user/TOOL\\040DISC iso9660 ro,nosuid 0 0\n"
        "server:/x /mnt/tab\\011and\\012newline\\134 nfs rw 0 0\n"
        "broken-line-with-two fields\n"
        "\n"
        "/dev/sdb1\t/media/usb\tvfat rw 0 0");
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].Device, "/dev/sda1");
    EXPECT_EQ(entries[0].MountPoint, "/");
    EXPECT_EQ(entries[0].FileSystem, "ext4");
    EXPECT_EQ(entries[2].MountPoint, "/media/user/TOOL DISC");
    EXPECT_EQ(entries[2].FileSystem, "iso9660");
    EXPECT_EQ(entries[3].MountPoint, "/mnt/tab\tand\nnewline\\");
    EXPECT_EQ(entries[4].MountPoint, "/media/usb");
}

TEST(PlatformMountTable, OnlyThreeOctalDigitsUpTo377AreAnEscape)
{
    EXPECT_EQ(UnescapeMountField("a\\0401"), "a 1");
    EXPECT_EQ(UnescapeMountField("\\400"), "\\400");
    EXPECT_EQ(UnescapeMountField("\\04"), "\\04");
    EXPECT_EQ(UnescapeMountField("\\08x"), "\\08x");
    EXPECT_EQ(UnescapeMountField("\\377"), "\xFF");
    EXPECT_EQ(UnescapeMountField("end\\"), "end\\");
}

TEST(PlatformMountTable, UnreadableTableIsEmpty)
{
    test::TTempDir dir;
    EXPECT_TRUE(ReadMountTable(dir / "missing").empty());
    test::WriteFile(dir / "mounts", "/dev/sr0 /cd udf ro 0 0\n");
    ASSERT_EQ(ReadMountTable(dir / "mounts").size(), 1u);
}

TEST(PlatformDiskLabels, UnescapesHexEscapesOnly)
{
    EXPECT_EQ(UnescapeDiskLabel("TOOL\\x20DISC"), "TOOL DISC");
    EXPECT_EQ(UnescapeDiskLabel("a\\x2fb\\x5C"), "a/b\\");
    EXPECT_EQ(UnescapeDiskLabel("\\x2"), "\\x2");
    EXPECT_EQ(UnescapeDiskLabel("\\xZZ\\040"), "\\xZZ\\040");
}

TEST(PlatformDiskLabels, ReadsLabelsAndResolvesTheirDevices)
{
    test::TTempDir dir;
    test::WriteFile(dir / "dev/sr0", "");
    std::filesystem::create_directories(dir / "by-label");
    std::filesystem::create_symlink("../dev/sr0", dir / "by-label/TOOL\\x20DISC");
    std::filesystem::create_symlink("../dev/gone", dir / "by-label/GONE");
    const auto labels = ReadDiskLabels(dir / "by-label");
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].Label, "GONE");
    EXPECT_EQ(labels[0].Device, DevicePath(dir / "dev/gone"));
    EXPECT_EQ(labels[1].Label, "TOOL DISC");
    EXPECT_EQ(labels[1].Device, DevicePath(dir / "dev/sr0"));
    EXPECT_TRUE(ReadDiskLabels(dir / "missing").empty());
}

}  // namespace
}  // namespace lumarc
