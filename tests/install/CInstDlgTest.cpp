// The install dialog on scratch directories, its questions answered by a scripted box.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "UnzipCommand.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/xFileListBox.h"
#include "dunzip/ZipWriter.h"
#include "platform/ApplicationErrors.h"
#include "install/CInstDlg.h"
#include "install/ScriptedMsgBox.h"
#include "controls/Gauge.h"
#include "print/BevelPanel.h"
#include "print/ProgressForm.h"
#include "platform/TestFiles.h"
#include "settings/core/Settings.h"

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
        Dialog = std::make_unique<TCInstDlg>();
        Dialog->SetMessageBox(std::make_unique<TScriptedMsgBox>(Answers, Asked));
        Dialog->ShellOpen = [this](const QString& path) { Opened.push_back(path.toStdString()); };
    }
    void TearDown() override
    {
        Dialog.reset();
        TUnzipFile::SetEntryPoint(FOldEntry);
        Settings().DefaultDestinationPath = "c:\\delphi\\component";
    }

    void PrepareGrid(const std::string& file = "DATA.ZIP")
    {
        Dialog->Prepare(QString::fromStdString(Disc / ("comps/grid/" + file)), QStringLiteral("Grid"), QStringLiteral("grid"));
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
};

TEST_F(CInstDlgTest, Opening_ListsTheComponentDirectoryAndSelectsItsFile)
{
    PrepareGrid();
    EXPECT_EQ(Dialog->CompInstBox->title(), QStringLiteral("Grid"));
    EXPECT_EQ(Dialog->CompFiles->Directory().toStdString(), Disc / "comps/grid");
    const int zip = Row(Dialog->CompFiles, "data.zip");
    EXPECT_TRUE(Dialog->CompFiles->Selected(zip));
    EXPECT_EQ(Dialog->CompFiles->currentRow(), zip);
    EXPECT_TRUE(Dialog->UnpackBtn->isEnabled());
    EXPECT_EQ(Dialog->DestDirListBox->Directory().toStdString(), Dest / "delphi");
    EXPECT_EQ(Dialog->DestEdit->text().toStdString(), Dest / "delphi/grid");
    EXPECT_EQ(Dialog->StatusLabel->text(), QStringLiteral("1 Datei(en) ausgewählt."));
}

TEST_F(CInstDlgTest, Opening_AMissingDirectoryFallsBackToTheCurrentOne)
{
    Dialog->Prepare(QString::fromStdString(Disc / "fehlt/x.zip"), QStringLiteral("X"), QStringLiteral("x"));
    EXPECT_EQ(Dialog->CompFiles->Directory(), QDir::currentPath());
}

TEST_F(CInstDlgTest, Buttons_FollowTheSelection)
{
    PrepareGrid();
    Select({"source"}, "source");
    EXPECT_FALSE(Dialog->CopyBtn->isEnabled());
    EXPECT_FALSE(Dialog->UnpackBtn->isEnabled());
    EXPECT_FALSE(Dialog->DestFilesDragOver(Dialog->CompFiles));

    Select({"data.zip", "readme.txt"}, "readme.txt");
    EXPECT_TRUE(Dialog->CopyBtn->isEnabled());
    EXPECT_FALSE(Dialog->UnpackBtn->isEnabled());
    EXPECT_TRUE(Dialog->DestFilesDragOver(Dialog->CompFiles));
    EXPECT_FALSE(Dialog->DestFilesDragOver(Dialog->DestFiles));

    Select({"data.zip"}, "data.zip");
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

TEST_F(CInstDlgTest, Copy_ARelativeDestinationIsNeverCreated)
{
    PrepareGrid();
    Select({"readme.txt"}, "readme.txt");
    Dialog->DestEdit->setText(QStringLiteral("c:\\delphi\\newcomps"));
    Answers = {TMsgBox::mrYes};
    EXPECT_THROW(Dialog->CopyBtnClick(Dialog->CopyBtn), EInOutError);
    EXPECT_EQ(Asked.size(), 1u);
    EXPECT_FALSE(Exists("c:\\delphi\\newcomps"));
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
    EXPECT_EQ(Asked[1].Msg, "Datei " + Dest / "delphi/grid/grid.pas" + " konnte nicht kopiert werden: File not found.");
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
    EXPECT_EQ(Asked[1].Msg, "Datei /dev/full konnte nicht kopiert werden: Disk full.");
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

    Asked.clear();
    Answers = {TMsgBox::mrNo, TMsgBox::mrNo, TMsgBox::mrNo};
    Dialog->UnpackBtnClick();
    EXPECT_EQ(Asked.size(), 3u);
    EXPECT_FALSE(Dialog->OverwriteAll());
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
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Msg, "Nicht alle Dateien aus " + Disc / "comps/grid/BIG.ZIP" + " konnten nach " +
                                Dest / "delphi/grid/" + " geschrieben werden (ist das Ziellaufwerk voll?).");
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
        EXPECT_EQ(form->width(), QFontMetrics(form->InfoLabel()->font()).horizontalAdvance(form->InfoLabel()->text()) + 30);
        EXPECT_EQ(form->Gauge()->x(), (form->Panel()->width() - form->Gauge()->width()) / 2);
        EXPECT_EQ(form->Gauge()->Progress(), percent);
    };
    Answers = {TMsgBox::mrYes};  // the missing destination
    Dialog->UnpackBtnClick();
    EXPECT_EQ(shown, (std::vector<std::string>{"Entpacke Datei: a.txt", "Entpacke Datei: sub/b.txt", "Entpacke Datei: c.txt"}));
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

TEST_F(CInstDlgTest, Delete_WithNothingSelectedAsksForTheWholeTree)
{
    fs::create_directories(Dest / "delphi/alt/tief");
    WriteFile(Dest / "delphi/alt/tief/x.pas", "x");
    PrepareGrid();
    Dialog->DestDirListBox->SetDirectory(QString::fromStdString(Dest / "delphi/alt"));
    Dialog->DestFiles->clearSelection();
    Answers = {TMsgBox::mrOK};
    Dialog->DestKeyDown(Dialog->DestFiles, Qt::Key_Delete, Qt::NoModifier);
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Msg, "Soll Verzeichnis " + Dest / "delphi/alt" + " mit allen Unterverzeichnissen gelöscht werden?");
    EXPECT_EQ(Asked[0].Caption, "Verzeichnis löschen");
    EXPECT_FALSE(Exists(Dest / "delphi/alt"));
    EXPECT_EQ(Dialog->DestDirListBox->Directory().toStdString(), Dest / "delphi");
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

TEST_F(CInstDlgTest, Delete_ADriveIsNeverOfferedForDeletion)
{
    PrepareGrid();
    Dialog->DestDirListBox->SetDirectory(QStringLiteral("/"));
    Dialog->KillBtnDragDrop(Dialog->DestDirListBox);
    EXPECT_TRUE(Asked.empty());
}

TEST_F(CInstDlgTest, Delete_SelectedFilesAfterYesNeverFollowingLinks)
{
    WriteFile(Dest / "delphi/eins.txt", "1");
    WriteFile(Dest / "delphi/zwei.txt", "2");
    WriteFile(Disc / "draussen.txt", "bleibt");
    fs::create_symlink(Disc / "draussen.txt", Dest / "delphi/link.txt");
    PrepareGrid();
    TxFileListBox* files = Dialog->DestFiles;
    files->SetSelected(Row(files, "eins.txt"), true);
    files->SetSelected(Row(files, "link.txt"), true);
    Answers = {TMsgBox::mrYes};
    Dialog->KillBtnClick();
    EXPECT_EQ(Asked[0].Msg, "Sollen die markierten Dateien gelöscht werden?");
    EXPECT_EQ(Asked[0].Caption, "Dateien löschen.");
    EXPECT_FALSE(Exists(Dest / "delphi/eins.txt"));
    EXPECT_FALSE(Exists(Dest / "delphi/link.txt"));
    EXPECT_TRUE(Exists(Dest / "delphi/zwei.txt"));
    EXPECT_EQ(ReadFile(Disc / "draussen.txt"), "bleibt");
    EXPECT_EQ(files->count(), 1);
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
}

TEST_F(CInstDlgTest, UncaughtErrors_InputOutputResetsTheDriveBoxAndEveryOneIsWrittenOut)
{
    PrepareGrid();
    TDriveComboBox* drives = Dialog->DriveComboBox;
    const QString good = Dialog->LastGoodDrive();
    ASSERT_FALSE(good.isEmpty());
    drives->addItem(QStringLiteral("/media/fehlt"));
    drives->setCurrentIndex(drives->count() - 1);  // as a choice that failed leaves it

    std::ostringstream written;
    std::streambuf* old = std::cerr.rdbuf(written.rdbuf());
    HandleApplicationException(EInOutError("Laufwerk nicht bereit"));
    HandleApplicationException(Exception("sonstwas"));
    std::cerr.rdbuf(old);
    EXPECT_EQ(drives->Drive(), good);
    EXPECT_EQ(written.str(), "lumarc: Laufwerk nicht bereit\nlumarc: sonstwas\n");
    EXPECT_TRUE(Asked.empty());  // no message box for either
}

}  // namespace
}  // namespace lumarc::test
