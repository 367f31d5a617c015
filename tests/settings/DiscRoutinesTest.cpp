#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/DiscImages.h"
#include "platform/TestFiles.h"
#include "settings/core/DiscRoutines.h"
#include "settings/core/Settings.h"

namespace lumarc {
namespace {

// A fake /dev, by-label directory and mount table; the settings start from their defaults.
class SettingsDisc : public ::testing::Test {
protected:
    SettingsDisc()
    {
        Settings() = TSettings{};
        test::WriteFile(FDir / "dev/sr0", "");
        test::WriteFile(FDir / "dev/sdb1", "");
        std::filesystem::create_directories(FDir / "by-label");
        FSources = {FDir / "mounts", FDir / "by-label"};
    }
    ~SettingsDisc() override { Settings() = FSaved; }

    void Label(const std::string& device, const std::string& name)
    {
        std::filesystem::create_symlink("../dev/" + device, FDir / ("by-label/" + name));
    }
    void Mounts(const std::string& text) { test::WriteFile(FSources.MountsFile, text); }
    std::string Dev(const std::string& name) const { return FDir / ("dev/" + name); }

    TSettings FSaved = Settings();
    test::TTempDir FDir;
    TVolumeSources FSources;
};

TEST_F(SettingsDisc, DiscInDrive_ComparesTheUpperCasedLabelWithTheSetting)
{
    Label("sr0", "tooldisc.cd");
    Mounts("/dev/sda1 / ext4 rw 0 0\n" + Dev("sr0") + " /media/cdrom iso9660 ro 0 0\n");
    EXPECT_TRUE(DiscInDrive(FSources));
    Settings().CDVolumeLabel = "tooldisc.cd";  // the setting itself is not converted
    EXPECT_FALSE(DiscInDrive(FSources));
}

TEST_F(SettingsDisc, DiscInDrive_OtherDiscsAndNoDrive)
{
    Label("sr0", "OTHER");
    Label("sdb1", "TOOLDISC.CD");
    Mounts(Dev("sdb1") + " /media/usb vfat rw 0 0\n" + Dev("sr0") + " /media/cdrom iso9660 ro 0 0\n");
    EXPECT_FALSE(DiscInDrive(FSources));  // the label is right, but not on an optical drive
    Mounts(Dev("sdb1") + " /media/usb vfat rw 0 0\n");
    EXPECT_FALSE(DiscInDrive(FSources));
    Settings().CDVolumeLabel = "";
    EXPECT_FALSE(DiscInDrive(FSources));  // no drive is never the disc, even for an empty label
}

TEST_F(SettingsDisc, CatalogueDiscRoot_PrefersTheMountedDisc)
{
    Label("sdb1", "TOOLDISC.CD");
    Mounts("/dev/sda1 / ext4 rw 0 0\n" + Dev("sdb1") + " /media/copy\\040of\\040disc vfat rw 0 0\n");
    EXPECT_EQ(CatalogueDiscRoot("/opt/lumarc/Data/", FSources), "/media/copy of disc/");
}

TEST_F(SettingsDisc, CatalogueDiscRoot_AnImageIsADiscWithItsOwnLabel)
{
    if (!test::HaveXorriso())
        GTEST_SKIP() << "xorriso missing";
    test::WriteFile(FDir / "tree/DATA/LUMARC32.DAT", "x");
    const std::string right = FDir / "right.iso";
    const std::string other = FDir / "other.iso";
    test::MakeIso(FDir / "tree", right, test::TIsoForm::Joliet, "tooldisc.cd");
    test::MakeIso(FDir / "tree", other, test::TIsoForm::Plain, "OTHER");
    Label("sdb1", "TOOLDISC.CD");
    Mounts(Dev("sdb1") + " /media/disc vfat rw 0 0\n");
    // Its label matches: the image, although a disc of the same label is mounted too.
    EXPECT_EQ(CatalogueDiscRoot(right + "/DATA/", FSources), right + "/");
    // Another label: the mounted disc of the right label, else the image itself.
    EXPECT_EQ(CatalogueDiscRoot(other + "/DATA/", FSources), "/media/disc/");
    Mounts("");
    EXPECT_EQ(CatalogueDiscRoot(other + "/DATA/", FSources), other + "/");
}

TEST_F(SettingsDisc, CatalogueDiscRoot_ElseTheDirectoryHoldingTheDataDirectory)
{
    Mounts("/dev/sda1 / ext4 rw 0 0\n");
    EXPECT_EQ(CatalogueDiscRoot("/opt/lumarc/Data/", FSources), "/opt/lumarc/");
    EXPECT_EQ(CatalogueDiscRoot("/opt/lumarc/Data", FSources), "/opt/lumarc/");
    EXPECT_EQ(CatalogueDiscRoot("/opt/lumarc/DATA/", FSources), "/opt/lumarc/");
    EXPECT_EQ(CatalogueDiscRoot("/opt/lumarc/", FSources), "/opt/lumarc/");  // catalogue kept beside the program
    EXPECT_EQ(CatalogueDiscRoot("/Data/", FSources), "/");
    EXPECT_EQ(CatalogueDiscRoot("Data/", FSources), "./");
    EXPECT_EQ(CatalogueDiscRoot("", FSources), "");
}

TEST(SettingsDiscLabel, UpperCaseLabel)
{
    EXPECT_EQ(UpperCaseLabel("tooldisc.cd"), "TOOLDISC.CD");
    EXPECT_EQ(UpperCaseLabel("b\xC3\xBC" "cher"), "B\xC3\x9C" "CHER");            // "bücher"
    EXPECT_EQ(UpperCaseLabel("disk \xD0\xB4"), "DISK \xD0\xB4");                 // Cyrillic stays
    EXPECT_EQ(UpperCaseLabel("stra\xC3\x9F" "e"), "STRA\xC3\x9F" "E");           // "ß" has no capital here
}

}  // namespace
}  // namespace lumarc
