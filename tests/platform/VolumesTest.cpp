#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/TestFiles.h"
#include "platform/Volumes.h"

namespace lumarc {
namespace {

// A fake /dev with two devices, a by-label directory and a mount table to go with them.
class PlatformVolumes : public ::testing::Test {
protected:
    PlatformVolumes()
    {
        test::WriteFile(FDir / "dev/sr0", "");
        test::WriteFile(FDir / "dev/sdb1", "");
        std::filesystem::create_symlink("sr0", FDir / "dev/cdrom");
        std::filesystem::create_directories(FDir / "by-label");
        std::filesystem::create_symlink("../dev/sr0", FDir / "by-label/TOOLDISC.CD");
        std::filesystem::create_symlink("../dev/sdb1", FDir / "by-label/USB\\x20STICK");
        FSources = {FDir / "mounts", FDir / "by-label"};
    }

    void Mounts(const std::string& text) { test::WriteFile(FSources.MountsFile, text); }
    std::string Dev(const std::string& name) const { return FDir / ("dev/" + name); }

    test::TTempDir FDir;
    TVolumeSources FSources;
};

TEST_F(PlatformVolumes, FindsTheFirstOpticalVolume)
{
    Mounts("/dev/sda1 / ext4 rw 0 0\n"
           "proc /proc proc rw 0 0\n" +
           Dev("sdb1") + " /media/usb vfat rw 0 0\n" +
           Dev("sr0") + " /media/cd\\040rom iso9660 ro 0 0\n"
                        "/dev/sr1 /media/cd2 iso9660 ro 0 0\n");
    EXPECT_EQ(FindCDROMDrive(FSources), "/media/cd rom");
}

TEST_F(PlatformVolumes, RecognisesUdfAndOpticalDevices)
{
    Mounts("/dev/sda1 / ext4 rw 0 0\n/dev/loop3 /media/dvd udf ro 0 0\n");
    EXPECT_EQ(FindCDROMDrive(FSources), "/media/dvd");
    Mounts("/dev/sda1 / ext4 rw 0 0\n/dev/sr1 /media/odd vfat ro 0 0\n");
    EXPECT_EQ(FindCDROMDrive(FSources), "/media/odd");
}

TEST_F(PlatformVolumes, NoOpticalVolumeIsAnEmptyDrive)
{
    Mounts("/dev/sda1 / ext4 rw 0 0\n" + Dev("sdb1") + " /media/usb vfat rw 0 0\n");
    EXPECT_EQ(FindCDROMDrive(FSources), "");
    EXPECT_EQ(FindCDROMDrive({FDir / "missing", FDir / "missing"}), "");
}

TEST_F(PlatformVolumes, LabelsComeFromTheDeviceOfTheMount)
{
    Mounts("/dev/sda1 / ext4 rw 0 0\n" + Dev("sdb1") + " /media/usb vfat rw 0 0\n" + Dev("cdrom") +
           " /media/cd iso9660 ro 0 0\n");
    EXPECT_EQ(GetVolumeLabel("/media/cd", FSources), "TOOLDISC.CD");  // through the /dev/cdrom link
    EXPECT_EQ(GetVolumeLabel("/media/cd/", FSources), "TOOLDISC.CD");
    EXPECT_EQ(GetVolumeLabel("/media/usb", FSources), "USB STICK");
    EXPECT_EQ(GetVolumeLabel("/", FSources), "");
    EXPECT_EQ(GetVolumeLabel("/nowhere", FSources), "");
    EXPECT_EQ(GetVolumeLabel("", FSources), "");
}

TEST_F(PlatformVolumes, TheLastMountAtAPointHidesTheEarlierOnes)
{
    Mounts(Dev("sr0") + " /media/cd iso9660 ro 0 0\n" + Dev("sdb1") + " /media/cd vfat rw 0 0\n");
    EXPECT_EQ(GetVolumeLabel("/media/cd", FSources), "USB STICK");
}

TEST_F(PlatformVolumes, PseudoFileSystemsCarryNoLabel)
{
    // A device name that is no path must not be resolved against the working directory.
    std::filesystem::create_symlink(std::filesystem::current_path() / "tmpfs", FDir / "by-label/WRONG");
    Mounts("tmpfs /run tmpfs rw 0 0\n");
    const auto volumes = ListVolumes(FSources);
    ASSERT_EQ(volumes.size(), 1u);
    EXPECT_EQ(volumes[0].Label, "");
}

}  // namespace
}  // namespace lumarc
