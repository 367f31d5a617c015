// The directory list: the path down to the current directory, then its subdirectories; only
// a real change is announced.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "controls/DirectoryListBox.h"
#include "controls/xFileListBox.h"
#include "platform/Exception.h"
#include "platform/TestFiles.h"

namespace lumarc::test {
namespace {

TEST(ControlsDirectoryListBox, ShowsThePathAndTheSubdirectoriesAndDrivesTheFileList)
{
    TTempDir dir;
    std::filesystem::create_directories(dir / "a/Zweig");
    std::filesystem::create_directories(dir / "a/ast");
    WriteFile(dir / "a/datei.txt", "x");
    TDirectoryListBox list;
    TxFileListBox files;
    list.SetFileList(&files);
    int changes = 0;
    QObject::connect(&list, &TDirectoryListBox::Changed, [&] { ++changes; });

    list.SetDirectory(QString::fromStdString(dir / "a"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(files.Directory().toStdString(), dir / "a");
    const int current = list.currentRow();
    EXPECT_EQ(list.ItemPath(current).toStdString(), dir / "a");
    EXPECT_EQ(list.ItemPath(current + 1).toStdString(), dir / "a/ast");
    EXPECT_EQ(list.ItemPath(current + 2).toStdString(), dir / "a/Zweig");
    EXPECT_EQ(list.count(), current + 3);  // no files
    EXPECT_EQ(list.ItemPath(0).toStdString(), "/");

    list.SetDirectory(QString::fromStdString(dir / "a/"));
    EXPECT_EQ(changes, 1);  // the same directory again says nothing
    EXPECT_THROW(list.SetDirectory(QString::fromStdString(dir / "fehlt")), EInOutError);
    EXPECT_EQ(list.Directory().toStdString(), dir / "a");
    EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace lumarc::test
