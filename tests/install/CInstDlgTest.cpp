// The install dialog on scratch directories, its questions answered by a scripted box.

#include "install/CInstDlg.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "UnzipCommand.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/xFileListBox.h"
#include "dunzip/ZipWriter.h"
#include "install/ScriptedMsgBox.h"
#include "platform/ApplicationErrors.h"
#include "platform/MountTable.h"
#include "platform/TestFiles.h"
#include "settings/core/Settings.h"
#include "widgets/BevelPanel.h"
#include "widgets/Gauge.h"
#include "widgets/ProgressForm.h"
#include "install/core/InstallStore.h"
#include "install/core/Uninstall.h"

#include <sys/stat.h>

namespace lumarc::test {
namespace {

namespace fs = std::filesystem;

class CInstDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOldEntry = TUnzipFile::EntryPoint();
        TUnzipFile::SetEntryPoint(&dunzip);
        WriteFile(Disc / "comps/grid/readme.txt", "Raster\r\n");
        WriteFile(Disc / "comps/grid/grid.pas", "unit Grid;");
        WriteFile(Disc / "comps/grid/grid.dcu", std::string(5000, 'd'));
        fs::create_directories(Disc / "comps/grid/source");
        TZipWriter zip(Disc / "comps/grid/DATA.ZIP");
        zip.File("a.txt", "neu a").File("sub/b.txt", "neu b").File("c.txt", "neu c");
        zip.Close();
        fs::create_directories(Dest / "delphi");
        Settings().DefaultDestinationPath = Dest / "delphi";
        // The trash of the test, on the file system of the scratch directories.
        DataHome = std::make_unique<TScopedEnv>("XDG_DATA_HOME", Dest / "data");
        Dialog = std::make_unique<TCInstDlg>();
        Dialog->SetMessageBox(std::make_unique<TScriptedMsgBox>(Answers, Asked));
        Dialog->ShellOpen = [this](const QString& path) {
            Opened.push_back(path.toStdString());
            return !path.endsWith(QStringLiteral(".unbekannt"));
        };
    }
    void TearDown() override
    {
        Dialog.reset();
        TUnzipFile::SetEntryPoint(FOldEntry);
        Settings().DefaultDestinationPath = "c:\\delphi\\component";
    }

    void PrepareGrid(const std::string& file = "DATA.ZIP")
    {
        Dialog->Prepare(QString::fromStdString(Disc / ("comps/grid/" + file)), QStringLiteral("Grid"),
                        QStringLiteral("grid"));
    }
    int Row(TxFileListBox* list, const std::string& name)
    {
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->text().toStdString() == name)
                return i;
        }
        ADD_FAILURE() << "no item " << name;
        return -1;
    }
    void Select(const std::vector<std::string>& names, const std::string& caret)
    {
        TxFileListBox* list = Dialog->CompFiles;
        list->clearSelection();
        for (const auto& name : names)
            list->SetSelected(Row(list, name), true);
        list->SetItemIndex(Row(list, caret));
        Dialog->CompFilesChange();
    }

    TTempDir Disc;
    TTempDir Dest;
    std::deque<int> Answers;
    std::vector<TQuestion> Asked;
    std::vector<std::string> Opened;
    std::unique_ptr<TCInstDlg> Dialog;
    TDunzipEntry FOldEntry = nullptr;
    std::unique_ptr<TScopedEnv> DataHome;
};

TEST_F(CInstDlgTest, Opening_ListsTheComponentDirectoryAndSelectsItsFile)
{
    PrepareGrid();
    EXPECT_EQ(Dialog->CompInstBox->title(), QStringLiteral("Grid"));
    EXPECT_EQ(Dialog->CompFiles->Directory().toStdString(), Disc / "comps/grid");
    const int zip = Row(Dialog->CompFiles, "DATA.ZIP");
    EXPECT_TRUE(Dialog->CompFiles->Selected(zip));
    EXPECT_EQ(Dialog->CompFiles->currentRow(), zip);
    EXPECT_TRUE(Dialog->UnpackBtn->isEnabled());
    EXPECT_EQ(Dialog->DestDirListBox->Directory().toStdString(), Dest / "delphi");
    EXPECT_EQ(Dialog->DestEdit->text().toStdString(), Dest / "delphi/grid");
    EXPECT_EQ(Dialog->StatusLabel->text(), QStringLiteral("1 Datei(en) ausgewählt."));
}

// As a screen reader reads the dialog: each list by what it holds, each entry by its name alone.
TEST_F(CInstDlgTest, Opening_EveryListAndEveryEntryIsReadByName)
{
    PrepareGrid();
    for (QWidget* list : std::initializer_list<QWidget*>{Dialog->CompFiles, Dialog->DestDirListBox, Dialog->DestFiles,
                                                         Dialog->DriveComboBox}) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
        EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << list->objectName().toStdString();
    }
    std::vector<std::string> folders;
    QAccessibleInterface* dirs = QAccessible::queryAccessibleInterface(Dialog->DestDirListBox);
    for (int i = 0; i < dirs->childCount(); ++i)
        folders.push_back(dirs->child(i)->text(QAccessible::Name).toStdString());
    ASSERT_GE(folders.size(), 2u);
    EXPECT_EQ(folders.front(), "/");
    for (const std::string& folder : folders)
        EXPECT_TRUE(!folder.empty() && folder.front() != ' ') << "\"" << folder << "\"";
    std::vector<std::string> files;
    QAccessibleInterface* comp = QAccessible::queryAccessibleInterface(Dialog->CompFiles);
    for (int i = 0; i < comp->childCount(); ++i)
        files.push_back(comp->child(i)->text(QAccessible::Name).toStdString());
    EXPECT_NE(std::find(files.begin(), files.end(), "DATA.ZIP"), files.end());
}

TEST_F(CInstDlgTest, Opening_AMissingComponentFolderShowsTheDiscRootAndSaysSo)
{
    Dialog->Prepare(QString::fromStdString(Disc / "fehlt/x.zip"), QStringLiteral("X"), QStringLiteral("x"),
                    QString::fromStdString(Disc.Path()));
    EXPECT_EQ(Dialog->CompFiles->Directory().toStdString(), Disc.Path());
    EXPECT_GE(Row(Dialog->CompFiles, "comps"), 0);
    EXPECT_EQ(Dialog->StatusLabel->text(), QStringLiteral("Der Ordner der Komponente fehlt auf der Disc."));
    EXPECT_EQ(Dialog->StatusLabel->toolTip().toStdString(), Disc / "fehlt/");
}

TEST_F(CInstDlgTest, Buttons_FollowTheSelection)
{
    PrepareGrid();
    Select({"source"}, "source");
    EXPECT_FALSE(Dialog->CopyBtn->isEnabled());
    EXPECT_FALSE(Dialog->UnpackBtn->isEnabled());
    EXPECT_FALSE(Dialog->DestFilesDragOver(Dialog->CompFiles));

    Select({"DATA.ZIP", "readme.txt"}, "readme.txt");
    EXPECT_TRUE(Dialog->CopyBtn->isEnabled());
    EXPECT_FALSE(Dialog->UnpackBtn->isEnabled());
    EXPECT_TRUE(Dialog->DestFilesDragOver(Dialog->CompFiles));
    EXPECT_FALSE(Dialog->DestFilesDragOver(Dialog->DestFiles));

    Select({"DATA.ZIP"}, "DATA.ZIP");
    EXPECT_TRUE(Dialog->UnpackBtn->isEnabled());
    EXPECT_TRUE(Dialog->KillBtnDragOver(Dialog->DestFiles));
    EXPECT_TRUE(Dialog->KillBtnDragOver(Dialog->DestDirListBox));
    EXPECT_FALSE(Dialog->KillBtnDragOver(Dialog->CompFiles));
}

TEST_F(CInstDlgTest, Selection_TheWayUpNeverJoinsButAFirstFileDoes)
{
    PrepareGrid();
    Dialog->CompFiles->SetSelected(0, true);  // ".."
    Dialog->UpdateSelectionStatus();
    EXPECT_FALSE(Dialog->CompFiles->Selected(0));

    Dialog->CompFiles->SetDirectory(QString::fromStdString(Disc / "comps/grid/source"));
    WriteFile(Disc / "comps/flat/only.txt", "x");
    Dialog->CompFiles->SetSFShow(sfsSize);
    Dialog->CompFiles->SetDirectory(QString::fromStdString(Disc / "comps/flat"));
    Dialog->CompFiles->SetSelected(0, true);
    Dialog->UpdateSelectionStatus();
    EXPECT_TRUE(Dialog->CompFiles->Selected(0));
}

TEST_F(CInstDlgTest, DestEdit_GetsTheComponentNameUnlessTheDirectoryHasIt)
{
    PrepareGrid();
    fs::create_directories(Dest / "delphi/grid/source");
    Dialog->DestDirListBox->SetDirectory(QString::fromStdString(Dest.Path()));
    EXPECT_EQ(Dialog->DestEdit->text().toStdString(), Dest / "grid");
    Dialog->DestDirListBox->SetDirectory(QString::fromStdString(Dest / "delphi/grid/source"));
    EXPECT_EQ(Dialog->DestEdit->text().toStdString(), Dest / "delphi/grid/source");
    Dialog->DestDirListBox->SetDirectory(QString::fromStdString(Dest / "delphi"));
    EXPECT_EQ(Dialog->DestEdit->text().toStdString(), Dest / "delphi/grid");
    // A click on a file names the directory after it.
    Dialog->CompFiles->SetItemIndex(Row(Dialog->CompFiles, "readme.txt"));
    Dialog->CompFilesClick();
    EXPECT_EQ(Dialog->DestEdit->text().toStdString(), Dest / "delphi/readme");
}

TEST_F(CInstDlgTest, Copy_AsksOncePerExistingFileAndCountsSkippedOnes)
{
    PrepareGrid();
    fs::create_directories(Dest / "delphi/grid");
    WriteFile(Dest / "delphi/grid/readme.txt", "alt");
    WriteFile(Dest / "delphi/grid/grid.pas", "alt");
    Select({"readme.txt", "grid.pas", "grid.dcu"}, "grid.dcu");
    Answers = {TMsgBox::mrNo, TMsgBox::mrYes};
    Dialog->CopyBtnClick(Dialog->CopyBtn);
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[0].Msg, "Soll Datei " + Dest / "delphi/grid/grid.pas" + " überschrieben werden?");
    EXPECT_EQ(Asked[0].Caption, "Datei kopieren");
    EXPECT_EQ(Asked[0].Buttons, TMSGButtons::msgYesNo);
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/grid.pas"), "alt");
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/readme.txt"), "Raster\r\n");
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/grid.dcu"), std::string(5000, 'd'));
    EXPECT_EQ(Dialog->StatusLabel->text(), QStringLiteral("3 Datei(en) kopiert."));
    EXPECT_EQ(Dialog->DestDirListBox->Directory().toStdString(), Dest / "delphi/grid");
    EXPECT_EQ(Dialog->ProgressForm(), nullptr);
}

TEST_F(CInstDlgTest, Copy_MissingDestinationIsCreatedOnYesAndNothingHappensOnCancel)
{
    PrepareGrid();
    Select({"readme.txt"}, "readme.txt");
    Answers = {TMsgBox::mrCancel};
    Dialog->CopyBtnClick(Dialog->CopyBtn);
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Msg, "Soll Verzeichnis " + Dest / "delphi/grid" + " erstellt werden?");
    EXPECT_EQ(Asked[0].Caption, "Verzeichnis nicht gefunden.");
    EXPECT_FALSE(Exists(Dest / "delphi/grid"));

    Answers = {TMsgBox::mrYes};
    Dialog->CopyBtnClick(Dialog->CopyBtn);
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/readme.txt"), "Raster\r\n");
}

TEST_F(CInstDlgTest, Destination_NestedLevelsAreCreatedAndAFailureCopiesNothing)
{
    PrepareGrid();
    Select({"readme.txt"}, "readme.txt");
    Dialog->DestEdit->setText(QString::fromStdString(Dest / "neu/tiefer/grid"));
    Answers = {TMsgBox::mrYes};
    Dialog->CopyBtnClick(Dialog->CopyBtn);
    EXPECT_EQ(ReadFile(Dest / "neu/tiefer/grid/readme.txt"), "Raster\r\n");

    // A file where a directory should be, and a path of another system: said, nothing written.
    WriteFile(Dest / "datei", "x");
    const std::vector<std::pair<std::string, std::string>> failing = {
        {Dest / "datei/grid", "nicht gefunden"}, {"c:\\delphi\\newcomps", "Der Pfad ist nicht vollständig"}};
    for (const auto& [dir, reason] : failing) {
        Asked.clear();
        Answers = {TMsgBox::mrYes, TMsgBox::mrOK};
        Dialog->DestEdit->setText(QString::fromStdString(dir));
        Dialog->CopyBtnClick(Dialog->CopyBtn);
        ASSERT_EQ(Asked.size(), 2u) << dir;
        EXPECT_EQ(Asked[1].Msg, "Das Verzeichnis " + dir + " konnte nicht erstellt werden: " + reason + ".");
        EXPECT_FALSE(Exists(dir));
    }
}

TEST_F(CInstDlgTest, Destination_NoNeverFallsBackToADirectoryOfTheSystem)
{
    // "Nein" puts the files into the part of the path before the new folder; for "/EVIL" that
    // is the root, which the user never chose.
    PrepareGrid();
    Dialog->DestEdit->setText(QStringLiteral("/EVIL"));
    Answers = {TMsgBox::mrNo, TMsgBox::mrOK};
    Dialog->UnpackBtnClick();
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1].Buttons, TMSGButtons::msgOK);
    for (const char* member : {"/a.txt", "/c.txt", "/sub", "/EVIL"})
        EXPECT_FALSE(Exists(member)) << member;
}

TEST_F(CInstDlgTest, Destination_AnUnreachableDirectoryKeepsTheListAndTheTextAndSaysWhy)
{
    PrepareGrid();
    const QString dir = Dialog->DestDirListBox->Directory();
    const QString text = Dialog->DestEdit->text();
    TDriveComboBox* drives = Dialog->DriveComboBox;
    drives->addItem(QString::fromStdString(Dest / "fehlt"));
    drives->setCurrentIndex(drives->count() - 1);
    // The user chooses a drive that is gone, as the box reports it.
    emit drives->activated(drives->count() - 1);
    EXPECT_EQ(Dialog->DestDirListBox->Directory(), dir);
    EXPECT_EQ(Dialog->DestEdit->text(), text);
    EXPECT_NE(drives->Drive().toStdString(), Dest / "fehlt");
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Buttons, TMSGButtons::msgOK);
    EXPECT_NE(Asked[0].Msg.find(Dest / "fehlt"), std::string::npos) << Asked[0].Msg;

    // What the next Entpacken answered with "Nein" then writes goes where the list shows.
    Answers = {TMsgBox::mrNo};
    Dialog->UnpackBtnClick();
    EXPECT_EQ(ReadFile(dir.toStdString() + "/a.txt"), "neu a");
}

TEST_F(CInstDlgTest, Copy_AnUnreadableSourceLeavesTheTargetAloneAndSaysSo)
{
    PrepareGrid();
    fs::create_directories(Dest / "delphi/grid");
    WriteFile(Dest / "delphi/grid/grid.pas", "alt");
    Select({"grid.pas"}, "grid.pas");
    fs::remove(Disc / "comps/grid/grid.pas");  // gone from the disc since it was listed
    Answers = {TMsgBox::mrYes, TMsgBox::mrOK};
    Dialog->CopyBtnClick(Dialog->CopyBtn);
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1].Msg, "Datei " + Dest / "delphi/grid/grid.pas" + " konnte nicht kopiert werden: nicht gefunden.");
    EXPECT_EQ(Asked[1].Caption, "Datei kopieren");
    EXPECT_EQ(Asked[1].Buttons, TMSGButtons::msgOK);
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/grid.pas"), "alt");
}

TEST_F(CInstDlgTest, Copy_AFullDiskStopsTheCopySaysSoAndRemovesThePartialFile)
{
    PrepareGrid();
    fs::create_directories(Dest / "delphi/grid");
    Select({"grid.dcu", "grid.pas", "readme.txt"}, "readme.txt");
    Answers = {TMsgBox::mrOK};
    {
        TFileSizeLimit full(3000);  // grid.dcu holds 5000 bytes and comes first
        Dialog->CopyBtnClick(Dialog->CopyBtn);
    }
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Msg.rfind("Datei " + Dest / "delphi/grid/grid.dcu" + " konnte nicht kopiert werden: ", 0), 0u)
        << Asked[0].Msg;
    EXPECT_EQ(Asked[0].Caption, "Datei kopieren");
    EXPECT_FALSE(Exists(Dest / "delphi/grid/grid.dcu"));
    EXPECT_FALSE(Exists(Dest / "delphi/grid/grid.pas"));
    EXPECT_EQ(Dialog->StatusLabel->text(), QStringLiteral("0 Datei(en) kopiert."));
    EXPECT_EQ(Dialog->ProgressForm(), nullptr);
}

TEST_F(CInstDlgTest, Copy_ADeviceAsTargetIsNeverRemoved)
{
    // Whatever fails while writing to it, a target that is no plain file was not made here.
    if (!Exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    WriteFile(Disc / "comps/grid/full", "more than nothing");
    PrepareGrid();
    Select({"full"}, "full");
    Dialog->DestEdit->setText(QStringLiteral("/dev"));
    Answers = {TMsgBox::mrYes, TMsgBox::mrOK};
    Dialog->CopyBtnClick(Dialog->CopyBtn);
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1].Msg, "Datei /dev/full konnte nicht kopiert werden: Der Datenträger ist voll.");
    EXPECT_TRUE(Exists("/dev/full"));
}

TEST_F(CInstDlgTest, Copy_OntoItselfKeepsTheFile)
{
    PrepareGrid();
    Select({"grid.pas"}, "grid.pas");
    Dialog->DestEdit->setText(QString::fromStdString(Disc / "comps/grid"));
    Answers = {TMsgBox::mrYes};
    Dialog->CopyBtnClick(Dialog->DestEdit);
    EXPECT_EQ(ReadFile(Disc / "comps/grid/grid.pas"), "unit Grid;");
}

TEST_F(CInstDlgTest, Copy_DropOnTheFileListCopiesIntoItsDirectory)
{
    PrepareGrid();
    Select({"readme.txt"}, "readme.txt");
    Dialog->DestFilesDragDrop(Dialog->DestFiles, Dialog->CompFiles);
    EXPECT_EQ(ReadFile(Dest / "delphi/readme.txt"), "Raster\r\n");
    EXPECT_TRUE(Asked.empty());
    // A drop is recorded as Kopieren is.
    const std::vector<TInstallRecord> records = TInstallStore().Records();
    ASSERT_FALSE(records.empty());
    ASSERT_EQ(records[0].Files.size(), 1u);
    EXPECT_EQ(records[0].Files[0].Path, Dest / "delphi/readme.txt");
}

TEST_F(CInstDlgTest, Unpack_AllAnswersEveryLaterQuestionOfOneRunOnly)
{
    PrepareGrid();
    fs::create_directories(Dest / "delphi/grid/sub");
    for (const char* name : {"a.txt", "sub/b.txt", "c.txt"})
        WriteFile(Dest / (std::string("delphi/grid/") + name), "alt");
    Answers = {TMsgBox::mrAll};
    Dialog->UnpackBtnClick();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Msg, "Datei " + Dest / "delphi/grid/a.txt" + " existiert schon, soll sie überschrieben werden?");
    EXPECT_EQ(Asked[0].Caption, "Entpacker - Warnung");
    EXPECT_EQ(Asked[0].Buttons, TMSGButtons::msgYesAllNoCancel);
    EXPECT_TRUE(Dialog->OverwriteAll());
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/sub/b.txt"), "neu b");
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/c.txt"), "neu c");
    EXPECT_EQ(Dialog->StatusLabel->text(), QStringLiteral("3 Datei(en) entpackt, 3 davon überschrieben."));

    Asked.clear();
    Answers = {TMsgBox::mrNo, TMsgBox::mrNo, TMsgBox::mrNo};
    Dialog->UnpackBtnClick();
    EXPECT_EQ(Asked.size(), 3u);
    EXPECT_FALSE(Dialog->OverwriteAll());
    EXPECT_EQ(Dialog->StatusLabel->text(), QStringLiteral("0 Datei(en) entpackt."));
}

// Kopieren and Entpacken each leave a record of what they wrote; removing it takes back exactly
// that: the user's files that were replaced come back, the folders made go, a folder that was
// there stays.
TEST_F(CInstDlgTest, Record_CopyAndUnpackAreRecordedAndCanBeUndone)
{
    TInstallRecord header;
    header.Catalogue = "/media/cdrom";
    header.Entry = 7;
    header.Component = "Grid";
    Dialog->SetRecordHeader(header);
    PrepareGrid();
    Select({"readme.txt", "grid.pas"}, "grid.pas");
    Dialog->DestEdit->setText(QString::fromStdString(Dest / "delphi/neu/grid"));
    Answers = {TMsgBox::mrYes};
    Dialog->CopyBtnClick(Dialog->CopyBtn);
    ASSERT_EQ(ReadFile(Dest / "delphi/neu/grid/grid.pas"), "unit Grid;");

    fs::create_directories(Dest / "delphi/grid");
    WriteFile(Dest / "delphi/grid/a.txt", "meins");
    Dialog->DestEdit->setText(QString::fromStdString(Dest / "delphi/grid"));
    Select({"DATA.ZIP"}, "DATA.ZIP");
    Answers = {TMsgBox::mrYes};
    Dialog->UnpackBtnClick();
    ASSERT_EQ(ReadFile(Dest / "delphi/grid/a.txt"), "neu a");

    TInstallStore store;
    const std::vector<TInstallRecord> records = store.Records();
    ASSERT_EQ(records.size(), 2u);
    const TInstallRecord& unpacked = records[0];
    const TInstallRecord& copied = records[1];
    EXPECT_EQ(copied.Component, "Grid");
    EXPECT_EQ(copied.Entry, 7);
    EXPECT_EQ(copied.Destination, Dest / "delphi/neu/grid");
    ASSERT_EQ(copied.Files.size(), 2u);
    EXPECT_EQ(copied.Files[0].Path, Dest / "delphi/neu/grid/grid.pas");
    EXPECT_EQ(copied.Files[0].Size, 10);
    EXPECT_EQ(copied.Folders, (std::vector<std::string>{Dest / "delphi/neu", Dest / "delphi/neu/grid"}));
    ASSERT_EQ(unpacked.Files.size(), 3u);
    EXPECT_EQ(unpacked.Folders, std::vector<std::string>{Dest / "delphi/grid/sub"});
    EXPECT_FALSE(unpacked.Files[0].Kept.empty());

    std::vector<TUninstallStep> steps;
    ASSERT_TRUE(Uninstall(store, unpacked.Id, steps));
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/a.txt"), "meins");
    EXPECT_FALSE(Exists(Dest / "delphi/grid/c.txt"));
    EXPECT_FALSE(Exists(Dest / "delphi/grid/sub"));
    EXPECT_TRUE(fs::is_directory(Dest / "delphi/grid"));
    ASSERT_TRUE(Uninstall(store, copied.Id, steps));
    EXPECT_FALSE(Exists(Dest / "delphi/neu"));
    EXPECT_TRUE(store.Records().empty());
}

TEST_F(CInstDlgTest, Unpack_ASelfExtractorIsOfferedAndUnpackedAPlainProgramIsNot)
{
    WriteFile(Disc / "comps/grid/SETUP.EXE", "MZ" + PoorlyPackingBytes(4094) + ReadFile(Disc / "comps/grid/DATA.ZIP"));
    WriteFile(Disc / "comps/grid/TOOL.EXE", "MZ" + PoorlyPackingBytes(4094));
    fs::create_directories(Dest / "delphi/grid");
    PrepareGrid("SETUP.EXE");
    EXPECT_TRUE(Dialog->UnpackBtn->isEnabled());
    Dialog->UnpackBtnClick();
    EXPECT_TRUE(Asked.empty());
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/sub/b.txt"), "neu b");
    Select({"TOOL.EXE"}, "TOOL.EXE");
    EXPECT_FALSE(Dialog->UnpackBtn->isEnabled());
}

TEST_F(CInstDlgTest, Unpack_MembersThatCannotBeWrittenAreNotCalledUnsafe)
{
    // Things in the way of every member: folders named like the files, a file named like the
    // folder. Nothing is written, and nothing is unsafe.
    PrepareGrid();
    fs::create_directories(Dest / "delphi/grid/a.txt");
    fs::create_directories(Dest / "delphi/grid/c.txt");
    WriteFile(Dest / "delphi/grid/sub", "eine Datei");
    Answers = {TMsgBox::mrOK};
    Dialog->UnpackBtnClick();
    ASSERT_EQ(Asked.size(), 1u);
    const std::string& said = Asked[0].Msg;
    EXPECT_NE(said.find("sub/b.txt: "), std::string::npos) << said;
    EXPECT_NE(said.find("a.txt: "), std::string::npos) << said;
    EXPECT_EQ(said.find("Übergangen"), std::string::npos) << said;
    EXPECT_EQ(said.find("Die anderen Dateien wurden geschrieben."), std::string::npos) << said;
    EXPECT_NE(said.find("Es wurde keine Datei geschrieben."), std::string::npos) << said;
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/sub"), "eine Datei");
}

TEST_F(CInstDlgTest, Unpack_CancelShowsTheNotice)
{
    PrepareGrid();
    fs::create_directories(Dest / "delphi/grid");
    WriteFile(Dest / "delphi/grid/a.txt", "alt");
    Answers = {TMsgBox::mrCancel, TMsgBox::mrOK};
    Dialog->UnpackBtnClick();
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1].Msg, "Entpacken abgebrochen.");
    EXPECT_EQ(Asked[1].Caption, "Entpacker - Information");
    EXPECT_EQ(Asked[1].Buttons, TMSGButtons::msgOK);
    EXPECT_FALSE(Exists(Dest / "delphi/grid/c.txt"));
}

TEST_F(CInstDlgTest, Unpack_FailuresAreSaidAndAFullDiskLeavesNoPartialFile)
{
    const std::string big = PoorlyPackingBytes(100000);
    {
        TZipWriter zip(Disc / "comps/grid/BIG.ZIP");
        zip.File("a.txt", "a").File("big.bin", big).File("c.txt", "c");
        zip.Close();
    }
    WriteFile(Disc / "comps/grid/BROKEN.ZIP", "PK no archive at all");
    fs::create_directories(Dest / "delphi/grid");
    PrepareGrid("BIG.ZIP");
    Answers = {TMsgBox::mrOK};
    {
        TFileSizeLimit full(40000);
        Dialog->UnpackBtnClick();
    }
    // The full disk takes the list of installations with it, which is said after the unpacking.
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1].Caption, "Installationsliste");
    EXPECT_EQ(Asked[1].Msg.rfind("Die Installation kann nicht", 0), 0u) << Asked[1].Msg;
    EXPECT_EQ(Asked[0].Msg, "Nicht geschrieben wurde aus " + Disc / "comps/grid/BIG.ZIP" + " nach " +
                                Dest / "delphi/grid/" +
                                ":\nbig.bin: Der Datenträger ist voll\n\n"
                                "Das Entpacken wurde beendet; die Dateien davor wurden geschrieben.");
    EXPECT_EQ(Asked[0].Caption, "Entpacken");
    std::vector<std::string> left;
    for (const auto& item : fs::directory_iterator(Dest / "delphi/grid"))
        left.push_back(item.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"a.txt"});

    PrepareGrid("BROKEN.ZIP");
    Asked.clear();
    Answers = {TMsgBox::mrOK};
    Dialog->UnpackBtnClick();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Msg, "Das Archiv " + Disc / "comps/grid/BROKEN.ZIP" + " fehlt oder ist beschädigt.");
}

TEST_F(CInstDlgTest, Unpack_ADamagedMemberIsNamedAndUnsafeOnesAreListed)
{
    // Random bytes: the member is stored as it is, so its bytes can be found in the archive.
    std::mt19937 random(7);
    std::string inner(5000, '\0');
    for (char& c : inner)
        c = static_cast<char>(random());
    {
        TZipWriter zip(Disc / "comps/grid/MIXED.ZIP");
        zip.File("a.txt", "a").File("kaputt.bin", inner).File("../draussen.txt", "x").File("c.txt", "c");
        zip.Close();
    }
    // One byte of the stored member changed: its check sum no longer holds.
    std::string bytes = ReadFile(Disc / "comps/grid/MIXED.ZIP");
    const size_t at = bytes.find(inner.substr(1000, 64));
    ASSERT_NE(at, std::string::npos);
    bytes[at] = static_cast<char>(bytes[at] ^ 0x55);
    WriteFile(Disc / "comps/grid/MIXED.ZIP", bytes);
    fs::create_directories(Dest / "delphi/grid");
    PrepareGrid("MIXED.ZIP");
    Answers = {TMsgBox::mrOK};
    Dialog->UnpackBtnClick();
    ASSERT_EQ(Asked.size(), 1u);
    const std::string& said = Asked[0].Msg;
    EXPECT_NE(said.find("kaputt.bin: beschädigt"), std::string::npos) << said;
    EXPECT_NE(said.find("../draussen.txt"), std::string::npos) << said;
    EXPECT_NE(said.find("Die anderen Dateien wurden geschrieben."), std::string::npos) << said;
    EXPECT_EQ(said.find("voll"), std::string::npos) << said;
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/c.txt"), "c");
    EXPECT_FALSE(Exists(Dest / "delphi/grid/kaputt.bin"));
}

TEST_F(CInstDlgTest, Unpack_ProgressShowsTheLibrarysTexts)
{
    PrepareGrid();
    std::vector<std::string> shown;
    int32_t lastPercent = -1;
    Dialog->Unziper.OnMinorCallback = [&](const char* item, int32_t percent, bool& cancel) {
        Dialog->UnziperMinorCallback(item, percent, cancel);
        TProgressForm* form = Dialog->ProgressForm();
        shown.push_back(form->InfoLabel()->text().toStdString());
        lastPercent = percent;
        EXPECT_EQ(form->width(),
                  QFontMetrics(form->InfoLabel()->font()).horizontalAdvance(form->InfoLabel()->text()) + 30);
        EXPECT_EQ(form->Gauge()->x(), (form->Panel()->width() - form->Gauge()->width()) / 2);
        EXPECT_EQ(form->Gauge()->Progress(), percent);
    };
    Answers = {TMsgBox::mrYes};  // the missing destination
    Dialog->UnpackBtnClick();
    EXPECT_EQ(shown, (std::vector<std::string>{"Entpacke Datei: a.txt", "Entpacke Datei: sub/b.txt",
                                               "Entpacke Datei: c.txt"}));
    EXPECT_EQ(lastPercent, 66);
}

TEST_F(CInstDlgTest, MessageCallback_TextsAndOtherMessages)
{
    char buffer[DZ_TEXT_BUFFER] = "unverändert";
    int result = 0;
    Dialog->UnziperMessageCallback(13, 0, 128, 0, buffer, nullptr, result);
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(buffer, "Datei %s existiert schon und hat das Nur-Lesen-Attribut, Soll sie überschrieben werden?");
    result = 0;
    std::strcpy(buffer, "bleibt");
    Dialog->UnziperMessageCallback(13, 0, 99, 0, buffer, nullptr, result);
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(buffer, "bleibt");
    Dialog->UnziperMessageCallback(13, 0, 13, 0, buffer, nullptr, result);
    EXPECT_STREQ(buffer, "Entpacker");
    result = 0;
    Dialog->UnziperMessageCallback(4, 0, 0, 0, buffer, nullptr, result);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(Asked.empty());
}

TEST_F(CInstDlgTest, Delete_GoesToTheTrashAfterAQuestionWhoseDefaultKeepsEverything)
{
    fs::create_directories(Dest / "delphi/alt/tief");
    WriteFile(Dest / "delphi/alt/tief/x.pas", "x");
    PrepareGrid();
    Dialog->DestDirListBox->SetDirectory(QString::fromStdString(Dest / "delphi/alt"));
    Dialog->DestFiles->clearSelection();
    Answers = {TMsgBox::mrOK};
    Dialog->DestKeyDown(Dialog->DestFiles, Qt::Key_Delete, Qt::NoModifier);
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Msg, "Soll Verzeichnis " + Dest / "delphi/alt" +
                                " mit allen Unterverzeichnissen in den Papierkorb verschoben werden?");
    EXPECT_EQ(Asked[0].Caption, "Verzeichnis löschen");
    EXPECT_EQ(Asked[0].Default, TMsgBox::mrCancel);
    EXPECT_FALSE(Exists(Dest / "delphi/alt"));
    EXPECT_EQ(ReadFile(Dest / "data/Trash/files/alt/tief/x.pas"), "x");
    EXPECT_EQ(Dialog->DestDirListBox->Directory().toStdString(), Dest / "delphi");

    WriteFile(Dest / "delphi/eins.txt", "1");
    WriteFile(Dest / "delphi/zwei.txt", "2");
    WriteFile(Disc / "draussen.txt", "bleibt");
    fs::create_symlink(Disc / "draussen.txt", Dest / "delphi/link.txt");
    TxFileListBox* files = Dialog->DestFiles;
    files->Reload();
    files->SetSelected(Row(files, "eins.txt"), true);
    files->SetSelected(Row(files, "link.txt"), true);
    Asked.clear();
    Answers = {TMsgBox::mrYes};
    Dialog->KillBtnClick();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Msg, "Sollen die markierten Dateien in den Papierkorb verschoben werden?");
    EXPECT_EQ(Asked[0].Caption, "Dateien löschen.");
    EXPECT_EQ(Asked[0].Default, TMsgBox::mrNo);
    EXPECT_EQ(ReadFile(Dest / "data/Trash/files/eins.txt"), "1");
    EXPECT_FALSE(Exists(Dest / "delphi/link.txt"));
    EXPECT_TRUE(Exists(Dest / "delphi/zwei.txt"));
    EXPECT_EQ(ReadFile(Disc / "draussen.txt"), "bleibt");
    EXPECT_EQ(files->count(), 1);

    // A file manager can put each back where it was; a second "eins.txt" takes a name of its own.
    EXPECT_NE(ReadFile(Dest / "data/Trash/info/alt.trashinfo").find("\nPath=" + Dest / "delphi/alt\n"),
              std::string::npos);
    WriteFile(Dest / "delphi/eins.txt", "1b");
    files->Reload();
    files->SetSelected(Row(files, "eins.txt"), true);
    Answers = {TMsgBox::mrYes};
    Dialog->KillBtnClick();
    EXPECT_EQ(ReadFile(Dest / "data/Trash/files/eins.txt"), "1");
    EXPECT_EQ(ReadFile(Dest / "data/Trash/files/eins.txt.2"), "1b");
}

TEST_F(CInstDlgTest, Delete_WithoutATrashSaysTheDeletionIsFinal)
{
    // A trash on another file system would be a copy, not a move: there is none for this disk.
    struct stat tmp {
    }, shm{};
    if (::stat(Dest.Path().c_str(), &tmp) != 0 || ::stat("/dev/shm", &shm) != 0 || tmp.st_dev == shm.st_dev)
        GTEST_SKIP() << "no second file system at hand";
    TTempDir elsewhere("/dev/shm");
    TScopedEnv data("XDG_DATA_HOME", elsewhere / "data");
    WriteFile(Dest / "delphi/eins.txt", "1");
    PrepareGrid();
    Dialog->DestFiles->SetSelected(Row(Dialog->DestFiles, "eins.txt"), true);
    Answers = {TMsgBox::mrYes};
    Dialog->KillBtnClick();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_NE(Asked[0].Msg.find("endgültig"), std::string::npos) << Asked[0].Msg;
    EXPECT_EQ(Asked[0].Default, TMsgBox::mrNo);
    EXPECT_FALSE(Exists(Dest / "delphi/eins.txt"));
    EXPECT_FALSE(Exists(elsewhere / "data/Trash"));
}

TEST_F(CInstDlgTest, Delete_WithModifiersOrACancelDeletesNothing)
{
    fs::create_directories(Dest / "delphi/alt");
    PrepareGrid();
    Dialog->DestDirListBox->SetDirectory(QString::fromStdString(Dest / "delphi/alt"));
    Dialog->DestKeyDown(Dialog->DestDirListBox, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_TRUE(Asked.empty());
    Answers = {TMsgBox::mrCancel};
    Dialog->DestKeyDown(Dialog->DestDirListBox, Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(Asked.size(), 1u);
    EXPECT_TRUE(Exists(Dest / "delphi/alt"));
}

TEST_F(CInstDlgTest, Delete_TheSystemsDirectoriesAndTheHomeAreNeverOffered)
{
    fs::create_directories(Dest / "home/anna/projekte");
    TScopedEnv home("HOME", Dest / "home/anna");
    PrepareGrid();
    std::vector<std::string> refused = {"/",    "/usr",  "/etc", "/tmp", "/var", "/home",       "/boot",
                                        "/dev", "/proc", "/sys", "/run", "/bin", Dest / "home", Dest / "home/anna"};
    for (const char* lib : {"/lib", "/lib64", "/lib32", "/libx32", "/sbin", "/opt", "/srv", "/mnt", "/media"}) {
        if (fs::is_directory(lib))
            refused.push_back(lib);
    }
    for (const TMountEntry& mount : ReadMountTable()) {
        if (fs::is_directory(mount.MountPoint) && ::access(mount.MountPoint.c_str(), R_OK | X_OK) == 0) {
            refused.push_back(mount.MountPoint);
            break;
        }
    }
    for (const std::string& dir : refused) {
        if (!fs::is_directory(dir))
            continue;
        Asked.clear();
        Answers = {TMsgBox::mrOK, TMsgBox::mrOK};
        Dialog->DestDirListBox->SetDirectory(QString::fromStdString(dir));
        Dialog->KillBtnDragDrop(Dialog->DestDirListBox);
        ASSERT_EQ(Asked.size(), 1u) << dir;
        EXPECT_EQ(Asked[0].Buttons, TMSGButtons::msgOK) << dir << " was offered: " << Asked[0].Msg;
        EXPECT_TRUE(fs::is_directory(dir)) << dir;
    }
    EXPECT_TRUE(fs::is_directory(Dest / "home/anna/projekte"));
}

TEST_F(CInstDlgTest, SelectAllAndExecute)
{
    WriteFile(Dest / "delphi/eins.txt", "1");
    WriteFile(Dest / "delphi/zwei.txt", "2");
    PrepareGrid();
    Dialog->DestFiles->SetItemIndex(1);
    Dialog->SelBtnClick();
    EXPECT_EQ(Dialog->DestFiles->SelCount(), 2);
    EXPECT_EQ(Dialog->DestFiles->currentRow(), 1);
    Dialog->ExecBtnClick();
    EXPECT_EQ(Opened, (std::vector<std::string>{Dest / "delphi/zwei.txt"}));
    EXPECT_TRUE(Asked.empty());

    // A file that no program opens is not silently ignored.
    WriteFile(Dest / "delphi/daten.unbekannt", "?");
    Dialog->DestFiles->Reload();
    Dialog->DestFiles->SetItemIndex(Row(Dialog->DestFiles, "daten.unbekannt"));
    Answers = {TMsgBox::mrOK};
    Dialog->ExecBtnClick();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Msg,
              "Für die Datei " + Dest / "delphi/daten.unbekannt" + " ist kein Programm eingerichtet, das sie öffnet.");
}

void SendKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(widget, &release);
}

TEST_F(CInstDlgTest, Keyboard_SelectionByKeysAndFocusIsWhatTheButtonsFollow)
{
    TZipWriter(Disc / "comps/grid/DATEN.ZIP").File("m.txt", "m").Close();
    PrepareGrid();
    Dialog->show();
    TxFileListBox* list = Dialog->CompFiles;
    // Focus coming back (Tab, Ctrl+Tab) leaves the caret on the archive the user chose.
    Dialog->CloseBtn->setFocus();
    list->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(list->currentRow(), Row(list, "DATA.ZIP"));
    EXPECT_TRUE(Dialog->UnpackBtn->isEnabled());
    Dialog->DestDirListBox->setFocus();
    Dialog->FormKeyDown();
    QApplication::processEvents();
    EXPECT_EQ(list->currentRow(), Row(list, "DATA.ZIP"));

    list->clearSelection();
    list->SetItemIndex(Row(list, "DATA.ZIP") - 1);
    SendKey(list, Qt::Key_Down);
    SendKey(list, Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_EQ(list->SelCount(), 2);
    EXPECT_TRUE(Dialog->CopyBtn->isEnabled());
    EXPECT_TRUE(Dialog->UnpackBtn->isEnabled());
    EXPECT_EQ(Dialog->StatusLabel->text(), QStringLiteral("2 Datei(en) ausgewählt."));
    // Folders in a selection are no files to copy: not counted.
    SendKey(list, Qt::Key_Home);
    SendKey(list, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Dialog->StatusLabel->text(), QStringLiteral("0 Datei(en) ausgewählt."));
    Dialog->hide();
}

TEST_F(CInstDlgTest, Opening_TheNextComponentIsOfferedItsOwnFolder)
{
    PrepareGrid();
    EXPECT_EQ(Dialog->DestEdit->text().toStdString(), Dest / "delphi/grid");
    WriteFile(Disc / "comps/lotse/LOTSE.ZIP", "");
    Dialog->Prepare(QString::fromStdString(Disc / "comps/lotse/LOTSE.ZIP"), QStringLiteral("DBLOTSE"),
                    QStringLiteral("LOTSE"));
    EXPECT_EQ(Dialog->DestEdit->text().toStdString(), Dest / "delphi/LOTSE");
}

TEST_F(CInstDlgTest, Opening_TheDesignsDestinationLiesBelowTheHomeAndIsCreatedOnTheFirstCopy)
{
    fs::create_directories(Dest / "home/anna");
    TScopedEnv home("HOME", Dest / "home/anna");
    Settings().DefaultDestinationPath = "c:\\delphi\\component";
    PrepareGrid();
    EXPECT_EQ(Dialog->DestDirListBox->Directory().toStdString(), Dest / "home/anna");
    EXPECT_EQ(Dialog->DestEdit->text().toStdString(), Dest / "home/anna/delphi/component/grid");
    Select({"readme.txt"}, "readme.txt");
    Answers = {TMsgBox::mrYes};
    Dialog->CopyBtnClick(Dialog->CopyBtn);
    EXPECT_EQ(ReadFile(Dest / "home/anna/delphi/component/grid/readme.txt"), "Raster\r\n");
    EXPECT_EQ(TSettings{}.DefaultDestinationPath, Dest / "home/anna/delphi/component");
}

TEST_F(CInstDlgTest, Running_EscapeCloseAndReopeningWaitAndAbbrechenStopsTheCopy)
{
    const std::string big(4 << 20, 'b');
    WriteFile(Disc / "comps/grid/BIG.BIN", big);
    fs::create_directories(Dest / "delphi/grid");
    WriteFile(Dest / "delphi/grid/BIG.BIN", "die alte Fassung");
    PrepareGrid();
    Dialog->show();
    Select({"BIG.BIN", "grid.pas"}, "BIG.BIN");
    Answers = {TMsgBox::mrYes};  // overwrite
    bool busyAfterEscape = false;
    int reopened = 0;
    QTimer::singleShot(0, Dialog.get(), [&] {
        SendKey(Dialog.get(), Qt::Key_Escape);
        Dialog->close();
        reopened = Dialog->Install(QString::fromStdString(Disc / "comps/grid/grid.pas"), QStringLiteral("X"),
                                   QStringLiteral("x"));
        busyAfterEscape = Dialog->isVisible() && Dialog->Busy();
        Dialog->ProgressForm()->CancelButton()->click();
    });
    Dialog->CopyBtnClick(Dialog->CopyBtn);
    EXPECT_TRUE(busyAfterEscape);
    EXPECT_EQ(reopened, TMsgBox::mrCancel);
    EXPECT_EQ(Dialog->CompInstBox->title(), QStringLiteral("Grid"));  // the lists were not re-read
    EXPECT_TRUE(Dialog->isVisible());
    EXPECT_EQ(ReadFile(Dest / "delphi/grid/BIG.BIN"), "die alte Fassung");
    EXPECT_FALSE(Exists(Dest / "delphi/grid/grid.pas"));
    std::vector<std::string> left;
    for (const auto& item : fs::directory_iterator(Dest / "delphi/grid"))
        left.push_back(item.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"BIG.BIN"});
    EXPECT_EQ(Dialog->StatusLabel->text(), QStringLiteral("0 Datei(en) kopiert."));
    EXPECT_EQ(Dialog->ProgressForm(), nullptr);
    EXPECT_FALSE(Dialog->Busy());

    // The unpacking listens to the same button between its members.
    Answers = {TMsgBox::mrOK};
    QTimer::singleShot(0, Dialog.get(), [&] {
        SendKey(Dialog.get(), Qt::Key_Escape);
        Dialog->ProgressForm()->CancelButton()->click();
    });
    Select({"DATA.ZIP"}, "DATA.ZIP");
    Dialog->UnpackBtnClick();
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1].Msg, "Entpacken abgebrochen.");
    EXPECT_FALSE(Exists(Dest / "delphi/grid/c.txt"));
    EXPECT_TRUE(Dialog->isVisible());
    Dialog->hide();
}

TEST_F(CInstDlgTest, UncaughtErrors_InputOutputIsSaidAndEveryOneIsWrittenOut)
{
    PrepareGrid();
    std::ostringstream written;
    std::streambuf* old = std::cerr.rdbuf(written.rdbuf());
    HandleApplicationException(EInOutError("Laufwerk nicht bereit"));
    HandleApplicationException(Exception("sonstwas"));
    std::cerr.rdbuf(old);
    EXPECT_EQ(written.str(), "lumarc: Laufwerk nicht bereit\nlumarc: sonstwas\n");
    ASSERT_EQ(Asked.size(), 1u);  // only the input/output error is the user's business
    EXPECT_EQ(Asked[0].Msg, "Laufwerk nicht bereit");
}

}  // namespace
}  // namespace lumarc::test
