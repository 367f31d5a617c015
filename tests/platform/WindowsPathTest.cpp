#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/TestFiles.h"
#include "platform/WindowsPath.h"

namespace lumarc {
namespace {

// A disc whose names are spelled differently from the catalogue's paths.
class PlatformWindowsPath : public ::testing::Test {
protected:
    PlatformWindowsPath()
    {
        test::WriteFile(FRoot / "comps/Grid.zip", "zip");
        test::WriteFile(FRoot / "comps/tools/SETUP.EXE", "exe");
        test::WriteFile(FRoot / "B\xC3\x9C" "CHER/x.txt", "");  // "BÜCHER" in UTF-8
    }

    std::optional<std::string> Map(const std::string& winPath, char drive = 'D')
    {
        return MapWindowsPath(winPath, drive, FRoot.Path());
    }
    std::string Host(const std::string& relative) const { return FRoot / relative; }

    test::TTempDir FRoot;
};

TEST_F(PlatformWindowsPath, MatchesEachComponentWithoutRegardToCase)
{
    EXPECT_EQ(Map("D:\\COMPS\\GRID.ZIP"), Host("comps/Grid.zip"));
    EXPECT_EQ(Map("d:\\Comps\\Tools\\setup.exe"), Host("comps/tools/SETUP.EXE"));
    EXPECT_EQ(Map("D:\\COMPS\\GRID.ZIP", 'd'), Host("comps/Grid.zip"));
    EXPECT_EQ(Map("D:/comps//./GRID.zip"), Host("comps/Grid.zip"));
}

TEST_F(PlatformWindowsPath, DecodesCp1252AndMatchesAccentedNames)
{
    EXPECT_EQ(Map("D:\\B\xFC" "cher\\X.TXT"), Host("B\xC3\x9C" "CHER/x.txt"));
    EXPECT_EQ(Map("D:\\Caf\xE9\\Men\xFC"), Host("Caf\xC3\xA9/Men\xC3\xBC"));  // missing: decoded as given
}

TEST_F(PlatformWindowsPath, MissingComponentsKeepTheirSpelling)
{
    EXPECT_EQ(Map("D:\\COMPS\\NEW\\File.TXT"), Host("comps/NEW/File.TXT"));
    EXPECT_EQ(Map("D:\\COMPS\\GRID.ZIP\\Inner"), Host("comps/Grid.zip/Inner"));
}

TEST_F(PlatformWindowsPath, AnExactSpellingWinsOverOtherCases)
{
    test::WriteFile(FRoot / "comps/GRID.ZIP", "other");
    EXPECT_EQ(Map("D:\\comps\\GRID.ZIP"), Host("comps/GRID.ZIP"));
    EXPECT_EQ(Map("D:\\comps\\Grid.zip"), Host("comps/Grid.zip"));
    EXPECT_EQ(Map("D:\\comps\\grid.zip"), Host("comps/GRID.ZIP"));  // the smallest of the others
}

TEST_F(PlatformWindowsPath, DriveAndRootForms)
{
    EXPECT_EQ(Map("D:"), FRoot.Path());
    EXPECT_EQ(Map("D:\\"), FRoot.Path() + "/");
    EXPECT_EQ(Map("D:\\COMPS\\"), Host("comps/"));
    EXPECT_EQ(MapWindowsPath("D:\\COMPS", 'D', FRoot.Path() + "//"), Host("comps"));
    EXPECT_EQ(MapWindowsPath("D:\\tmp", 'D', "/"), "/tmp");
}

TEST_F(PlatformWindowsPath, OtherDrivesAndUnsafePathsMapToNothing)
{
    EXPECT_EQ(Map("C:\\COMPS\\GRID.ZIP"), std::nullopt);
    EXPECT_EQ(Map("COMPS\\GRID.ZIP"), std::nullopt);
    EXPECT_EQ(Map("\\\\server\\share\\x"), std::nullopt);
    EXPECT_EQ(Map(""), std::nullopt);
    EXPECT_EQ(Map("1:\\x", '1'), std::nullopt);
    EXPECT_EQ(Map("D:\\COMPS\\..\\..\\etc\\passwd"), std::nullopt);
    EXPECT_EQ(Map("D:..\\x"), std::nullopt);
    EXPECT_EQ(Map(std::string("D:\\COMPS\0\\x", 11)), std::nullopt);
    EXPECT_EQ(MapWindowsPath("D:\\COMPS", 'D', ""), std::nullopt);
    EXPECT_EQ(Map("D:\\COMPS", ' '), std::nullopt);
}

}  // namespace
}  // namespace lumarc
