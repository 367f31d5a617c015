// From the viewer on the demo catalogue: a user installs one component by copying its file
// and another by unpacking its archive, and finds the files in the destination.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ToolDiscMainTestSupport.h"
#include "UnzipCommand.h"
#include "controls/DirectoryListBox.h"
#include "controls/xFileListBox.h"
#include "components/ComponentListModel.h"
#include "components/ComponentListWindow.h"
#include "components/InstalledWindow.h"
#include "install/CInstDlg.h"
#include "install/ScriptedMsgBox.h"
#include "install/core/InstallStore.h"
#include "shell/ComponentCommands.h"
#include "platform/DiscImages.h"
#include "settings/core/Settings.h"

namespace lumarc::test {
namespace {

namespace fs = std::filesystem;

// The build directory: the demo catalogue is in its Data/, the demo disc beside it.
std::string BuildDir()
{
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path().string();
}

class InstallCommandTest : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        FOldEntry = TUnzipFile::EntryPoint();
        TUnzipFile::SetEntryPoint(&dunzip);
        Open(BuildDir());
        Settings().DefaultDestinationPath = Target.Path();
        Dialog = std::make_unique<TCInstDlg>();
        Dialog->SetMessageBox(std::make_unique<TScriptedMsgBox>(Answers, Asked));
        Window->SetInstallDialog(Dialog.get());
    }
    void TearDown() override
    {
        Window.reset();
        Dialog.reset();
        TUnzipFile::SetEntryPoint(FOldEntry);
        Settings().DefaultDestinationPath = "c:\\delphi\\component";
        TMainWindowTest::TearDown();
    }
    void Show(const std::string& caption, int pageKind)
    {
        Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectEntry(Entry(caption));
        Window->OverviewOLClick();
        ASSERT_TRUE(ProcessUntil([&] { return Window->PageKind() == pageKind; }));
    }
    // Clicks the install button; `inside` runs while the dialog is open, then it is closed.
    void Install(const std::function<void()>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, Dialog.get(), [&] {
            ran = true;
            inside();
            Dialog->CloseBtn->click();
        });
        Part<QToolButton>(*Window, "SBInstall")->click();
        EXPECT_TRUE(ran);
    }

    // The records of installations into this test's target (the list is the test binary's).
    std::vector<TInstallRecord> RecordsHere() const
    {
        std::vector<TInstallRecord> here;
        for (TInstallRecord& record : TInstallStore().Records())
            if (record.Destination.rfind(Target.Path(), 0) == 0)
                here.push_back(std::move(record));
        return here;
    }

    TTempDir Target;
    std::deque<int> Answers;
    std::vector<TQuestion> Asked;
    std::unique_ptr<TCInstDlg> Dialog;
    TDunzipEntry FOldEntry = nullptr;
};

TEST_F(InstallCommandTest, ComponentFileIsCopiedIntoANewDirectoryNamedAfterIt)
{
    Show("Teiler Splitterleisten", TToolDiscMain::pkComponent);
    Answers = {TMsgBox::mrYes};  // create the destination directory
    Install([&] {
        EXPECT_EQ(Dialog->CompInstBox->title(), QStringLiteral("TEILER"));  // its short name
        EXPECT_EQ(Dialog->CompFiles->Directory().toStdString(), BuildDir() + "/COMPS/FREEWARE");
        EXPECT_EQ(Dialog->DestEdit->text().toStdString(), Target / "TEILER");
        ASSERT_TRUE(Dialog->CopyBtn->isEnabled());
        Dialog->CopyBtn->click();
    });
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Msg, "Soll Verzeichnis " + Target / "TEILER" + " erstellt werden?");
    EXPECT_EQ(ReadFile(Target / "TEILER/TEILER.PAS"), ReadFile(BuildDir() + "/COMPS/FREEWARE/TEILER.PAS"));

    // The copy is recorded under the entry and the component the window showed.
    const std::vector<TInstallRecord> records = RecordsHere();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Entry, Entry("Teiler Splitterleisten"));
    EXPECT_EQ(records[0].Component, "Teiler - Splitterleisten f\xC3\xBCr Formulare");
    EXPECT_EQ(records[0].Catalogue, BuildDir());
    EXPECT_EQ(records[0].Destination, Target / "TEILER");
    ASSERT_EQ(records[0].Files.size(), 1u);
    EXPECT_EQ(records[0].Files[0].Path, Target / "TEILER/TEILER.PAS");
    EXPECT_EQ(records[0].Folders, std::vector<std::string>{Target / "TEILER"});
}

TEST_F(InstallCommandTest, ShortTextArchiveIsUnpacked)
{
    Show("Kalender und Datumsauswahl", TToolDiscMain::pkShortText);
    Answers = {TMsgBox::mrYes};
    Install([&] {
        EXPECT_EQ(Dialog->CompInstBox->title(), QStringLiteral("KALENDER.ZIP"));
        ASSERT_TRUE(Dialog->UnpackBtn->isEnabled());
        Dialog->UnpackBtn->click();
    });
    EXPECT_TRUE(fs::is_regular_file(Target / "KALENDER/KALENDER.PAS"));
    EXPECT_TRUE(fs::is_regular_file(Target / "KALENDER/DEMO/KALDEMO.DPR"));
    EXPECT_EQ(Dialog->DestDirListBox->Directory().toStdString(), Target / "KALENDER");

    // A short text's installation is named by its caption in the outline.
    const std::vector<TInstallRecord> records = RecordsHere();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Component, "Kalender und Datumsauswahl");
    EXPECT_EQ(records[0].Folders, (std::vector<std::string>{Target / "KALENDER", Target / "KALENDER/DEMO"}));
}

TEST_F(InstallCommandTest, FromADiscImageByCopyAndByUnpacking)
{
    if (!HaveXorriso())
        GTEST_SKIP() << "xorriso is missing";
    TTempDir master;
    fs::copy(BuildDir() + "/Data", master / "DATA", fs::copy_options::recursive);
    fs::copy(BuildDir() + "/COMPS", master / "COMPS", fs::copy_options::recursive);
    MakeIso(master.Path(), Target / "tooldisc.iso", TIsoForm::Plain);
    Dialog->hide();
    Window.reset();
    Open(Target / "tooldisc.iso");
    Window->SetInstallDialog(Dialog.get());
    ASSERT_TRUE(Messages.empty()) << Messages[0].Text.toStdString();
    Settings().DefaultDestinationPath = Target / "komp";

    Show("Teiler Splitterleisten", TToolDiscMain::pkComponent);
    Answers = {TMsgBox::mrYes};
    Install([&] {
        EXPECT_EQ(Dialog->CompFiles->Directory().toStdString(), Target / "tooldisc.iso/COMPS/FREEWARE");
        ASSERT_TRUE(Dialog->CopyBtn->isEnabled());
        Dialog->CopyBtn->click();
    });
    EXPECT_EQ(ReadFile(Target / "komp/TEILER/TEILER.PAS"), ReadFile(BuildDir() + "/COMPS/FREEWARE/TEILER.PAS"));

    Show("Kalender und Datumsauswahl", TToolDiscMain::pkShortText);
    Answers = {TMsgBox::mrYes};
    Install([&] {
        ASSERT_TRUE(Dialog->UnpackBtn->isEnabled());
        Dialog->UnpackBtn->click();
    });
    EXPECT_TRUE(fs::is_regular_file(Target / "komp/KALENDER/DEMO/KALDEMO.DPR"));
    EXPECT_EQ(Asked.size(), 2u);  // the two new folders, and nothing went wrong
}

// The window is closed from the event loop that the command itself runs while it works.
TEST_F(InstallCommandTest, ClosingTheWindowDuringACopyOrAnUnpackingLetsItFinishAndClosesTheDialog)
{
    Show("Teiler Splitterleisten", TToolDiscMain::pkComponent);
    Answers = {TMsgBox::mrYes};
    bool closedDuringCopy = false;
    QTimer::singleShot(0, Dialog.get(), [&] {
        QTimer::singleShot(0, Window.get(), [&] {
            closedDuringCopy = Dialog->ProgressForm() != nullptr;
            Window->close();
        });
        Dialog->CopyBtn->click();
    });
    Part<QToolButton>(*Window, "SBInstall")->click();
    EXPECT_TRUE(closedDuringCopy);
    EXPECT_FALSE(Window->isVisible());
    EXPECT_FALSE(Dialog->isVisible());
    EXPECT_EQ(ReadFile(Target / "TEILER/TEILER.PAS"), ReadFile(BuildDir() + "/COMPS/FREEWARE/TEILER.PAS"));

    Window->show();
    Show("Kalender und Datumsauswahl", TToolDiscMain::pkShortText);
    Answers = {TMsgBox::mrYes};
    // The unpacking answers the window between members; the request to close waits until it is done.
    bool closedDuringUnpack = false;
    QTimer::singleShot(0, Dialog.get(), [&] {
        QTimer::singleShot(0, Window.get(), [&] {
            closedDuringUnpack = Dialog->ProgressForm() != nullptr;
            Window->close();
        });
        Dialog->UnpackBtn->click();
    });
    Part<QToolButton>(*Window, "SBInstall")->click();
    EXPECT_TRUE(closedDuringUnpack);
    EXPECT_FALSE(Window->isVisible());
    EXPECT_FALSE(Dialog->isVisible());
    EXPECT_TRUE(fs::is_regular_file(Target / "KALENDER/DEMO/KALDEMO.DPR"));
}

TEST_F(InstallCommandTest, RightButtonOnTheOutlineInstallsTheShownEntry)
{
    Show("Teiler Splitterleisten", TToolDiscMain::pkComponent);
    auto* outline = Part<TBrowzerOutline>(*Window, "OverviewOL");
    QTreeWidgetItem* shown = outline->currentItem();
    // Pressed on another node: the install is still the shown entry's, and the selection stays.
    QTreeWidgetItem* other = outline->topLevelItem(0);
    ASSERT_NE(other, shown);
    QString caption;
    QTimer::singleShot(0, Dialog.get(), [&] {
        caption = Dialog->CompInstBox->title();
        Dialog->CloseBtn->click();
    });
    QTest::mouseClick(outline->viewport(), Qt::RightButton, Qt::NoModifier, outline->visualItemRect(other).center());
    EXPECT_EQ(caption, QStringLiteral("TEILER"));
    EXPECT_EQ(outline->currentItem(), shown);

    // Where nothing can be installed, the right button opens nothing.
    Show("Willkommen", TToolDiscMain::pkInfoText);
    bool opened = false;
    QTimer::singleShot(0, Dialog.get(), [&] {
        opened = Dialog->isVisible();
        Dialog->CloseBtn->click();
    });
    QTest::mouseClick(outline->viewport(), Qt::RightButton, Qt::NoModifier,
                      outline->visualItemRect(outline->currentItem()).center());
    QCoreApplication::processEvents();
    EXPECT_FALSE(opened);
}

TEST_F(InstallCommandTest, FromTheComponentListTheInstalledMarkComesAndGoesWithItsRemoval)
{
    // What the other tests of this binary installed would keep a mark of its own.
    TInstallStore store;
    for (const TInstallRecord& record : store.Records())
        store.Forget(record.Id);
    TComponentCommands& commands = Window->ComponentCommands();
    commands.ShowList();
    TComponentListWindow& list = commands.List();
    ASSERT_TRUE(ProcessUntil([&] { return !list.Reading(); }));
    const QModelIndexList rows =
        list.Model().match(list.Model().index(0, 0), Qt::DisplayRole,
                           QStringLiteral("Teiler - Splitterleisten f\u00fcr Formulare"), 1, Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1);
    list.View().setCurrentIndex(rows[0]);

    Answers = {TMsgBox::mrYes};  // create the destination directory
    bool ran = false;
    QTimer::singleShot(0, Dialog.get(), [&] {
        ran = true;
        Dialog->CopyBtn->click();
        Dialog->CloseBtn->click();
    });
    Part<QPushButton>(list, "InstallButton")->click();
    ASSERT_TRUE(ran);
    const std::string installed = Target / "TEILER/TEILER.PAS";
    ASSERT_TRUE(fs::exists(installed));

    // The outline and the list mark the component.
    const auto outlineSays = [&] {
        Window->Outline().SelectEntry(Entry("Teiler Splitterleisten"));
        return Window->Outline().currentItem()->data(0, Qt::AccessibleDescriptionRole).toString();
    };
    EXPECT_EQ(outlineSays(), QStringLiteral("installiert"));
    Part<QRadioButton>(list, "FilterInstalled")->setChecked(true);
    ASSERT_EQ(list.Model().rowCount(), 1);
    EXPECT_EQ(list.Model().index(0, 0).data(Qt::AccessibleDescriptionRole).toString(), QStringLiteral("installiert"));

    // Removed from the list of installations: the file goes, the record and both marks too.
    commands.ShowInstalled();
    TInstalledWindow& records = commands.Installed();
    records.Ask = [](const QString&) { return true; };
    auto* recordList = Part<QTreeWidget>(records, "InstalledList");
    for (int i = 0; i < recordList->topLevelItemCount(); ++i) {
        if (recordList->topLevelItem(i)->text(3).toStdString() == Target / "TEILER")
            recordList->setCurrentItem(recordList->topLevelItem(i));
    }
    ASSERT_EQ(recordList->currentItem()->text(2), QStringLiteral("alle Dateien unver\u00e4ndert"));
    Part<QPushButton>(records, "RemoveButton")->click();
    EXPECT_FALSE(fs::exists(installed));
    EXPECT_TRUE(RecordsHere().empty());
    ASSERT_FALSE(Messages.empty());
    EXPECT_EQ(Messages.back().Text.toStdString(), "entfernt: " + installed);
    EXPECT_EQ(outlineSays(), QString());
    EXPECT_EQ(list.Model().rowCount(), 0);
}

}  // namespace
}  // namespace lumarc::test
