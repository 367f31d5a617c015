// The installer's drives: the root, the home directory and removable media, by mount point.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Drives.h"
#include "platform/TestFiles.h"

namespace lumarc {
namespace {

TEST(PlatformDrives, RootHomeThenRemovableMediaOnce)
{
    test::TTempDir dir;
    test::TScopedEnv home("HOME", "/home/anna");
    test::WriteFile(dir / "mounts", "/dev/sda1 / ext4 rw 0 0\n"
                                    "proc /proc proc rw 0 0\n"
                                    "/dev/sdb1 /media/anna/STICK vfat rw 0 0\n"
                                    "/dev/sdc1 /run/media/anna/KARTE vfat rw 0 0\n"
                                    "/dev/sdb1 /media/anna/STICK vfat rw 0 0\n"
                                    "tmpfs /run/user/1000 tmpfs rw 0 0\n");
    const TVolumeSources sources{dir / "mounts", dir / "by-label"};
    EXPECT_EQ(ReachableDrives(sources),
              (std::vector<std::string>{"/", "/home/anna", "/media/anna/STICK", "/run/media/anna/KARTE"}));
}

TEST(PlatformDrives, DriveOfPathIsTheLongestAtAComponentBoundary)
{
    const std::vector<std::string> drives{"/", "/home/anna", "/media/anna/STICK"};
    EXPECT_EQ(DriveOfPath("/home/anna/delphi", drives), "/home/anna");
    EXPECT_EQ(DriveOfPath("/home/anna", drives), "/home/anna");
    EXPECT_EQ(DriveOfPath("/home/annabel/x", drives), "/");
    EXPECT_EQ(DriveOfPath("/media/anna/STICK/komp", drives), "/media/anna/STICK");
    EXPECT_EQ(DriveOfPath("/opt", drives), "/");
}

}  // namespace
}  // namespace lumarc
