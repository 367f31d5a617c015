// Where an installation starts: the component's directory name and the file on the host.

#include <gtest/gtest.h>

#include "settings/core/InstallSource.h"
#include "platform/TestFiles.h"

namespace lumarc::test {
namespace {

TEST(InstallSource, ComponentDirNameDropsTheExtensionAndThePath)
{
    EXPECT_EQ(ComponentDirNameOf("D:\\COMPS\\GRID.ZIP"), "GRID");
    EXPECT_EQ(ComponentDirNameOf("D:\\COMPS\\KLANG\\KLNGDEMO.EXE"), "KLNGDEMO");
    EXPECT_EQ(ComponentDirNameOf("grid"), "grid");
    // The first "." counts, wherever it is.
    EXPECT_EQ(ComponentDirNameOf("D:\\V1.0\\GRID.ZIP"), "V1RID.ZIP");
    EXPECT_EQ(LastPathComponent("D:\\COMPS\\GRID.ZIP"), "GRID.ZIP");
    EXPECT_EQ(PathPart("D:\\COMPS\\GRID.ZIP"), "D:\\COMPS\\");
    EXPECT_EQ(PathPart("D:GRID.ZIP"), "D:");
}

TEST(InstallSource, DiscPathsMapBelowTheDiscRootIgnoringCase)
{
    TTempDir disc;
    WriteFile(disc / "comps/Grid.zip", "PK");
    const TInstallSource source = ResolveInstallSource("D:\\COMPS\\GRID.ZIP", disc.Path() + "/");
    EXPECT_EQ(source.HostPath, disc / "comps/Grid.zip");
    EXPECT_EQ(source.ComponentDirName, "GRID");
    // Paths that cannot lead onto the disc stay as they are.
    EXPECT_EQ(ResolveInstallSource("D:\\..\\X.ZIP", disc.Path() + "/").HostPath, "D:\\..\\X.ZIP");
    EXPECT_EQ(ResolveInstallSource("GRID.ZIP", disc.Path() + "/").HostPath, "GRID.ZIP");
}

}  // namespace
}  // namespace lumarc::test
