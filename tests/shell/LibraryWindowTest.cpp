// The library window as a user drives it: the catalogue opened is in it, a folder of discs is
// searched in the background, a catalogue is opened from it, one whose folder went is greyed
// out and forgotten without its files.

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <set>
#include <string>

#include "ToolDiscMainTestSupport.h"
#include "components/LibraryWindow.h"
#include "shell/LibraryCommands.h"
#include "widgets/Gauge.h"
#include "widgets/ProgressForm.h"

namespace lumarc::test {
namespace {

class LibraryWindowTest : public TMainWindowTest {
protected:
    TScopedEnv DataHome{"XDG_DATA_HOME", Config / "data"};
};

TEST_F(LibraryWindowTest, AFolderAddedInTheBackgroundIsOpenedGreyedWhenGoneAndForgotten)
{
    OpenBuilt();
    std::string other = kMainScript;
    other.replace(other.find("Scheibe"), 7, "Platte");
    WriteCatalogue(Dir / "regal/gleich/Data");
    WriteCatalogue(Dir / "regal/anders/Data", other.c_str());

    Part<QAction>(*Window, "MILibrary")->trigger();
    TLibraryWindow& library = Window->LibraryCommands().Window();
    auto* list = Part<QTreeWidget>(library, "LibraryList");
    ASSERT_TRUE(library.isVisible());
    // The catalogue the window opened, with its size and the time it was opened.
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(3), "5");
    EXPECT_FALSE(list->topLevelItem(0)->text(4).isEmpty());

    library.ChooseFolder = [this] { return QString::fromStdString(Dir / "regal"); };
    Part<QAction>(library, "AddFolder")->trigger();
    EXPECT_TRUE(library.Adding());
    EXPECT_FALSE(Part<QPushButton>(library, "AddButton")->isEnabled());
    // The gauge counts the catalogues the folder holds: counted by folders given, it stood at
    // nought until the window closed.
    struct TGaugeProbe : QObject {
        TGauge* Gauge = nullptr;
        std::set<int> Shown;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                Shown.insert(Gauge->Percent());
            return false;
        }
    } probe;
    auto* progress = library.findChild<TProgressForm*>("LibraryProgress");
    ASSERT_NE(progress, nullptr);
    probe.Gauge = progress->Gauge();
    probe.Gauge->installEventFilter(&probe);
    ASSERT_TRUE(ProcessUntil([&] { return !library.Adding(); }));
    EXPECT_TRUE(probe.Shown.count(50)) << "the gauge went straight to the end";
    // The copy of the opened disc is a second place of it; the other disc is new.
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_TRUE(list->topLevelItem(0)->toolTip(2).contains("gleich"));
    const QString anders = QString::fromStdString(Dir / "regal/anders");
    EXPECT_EQ(list->topLevelItem(1)->text(2), anders);

    list->setCurrentItem(list->topLevelItem(1));
    Part<QPushButton>(library, "OpenButton")->click();
    EXPECT_EQ(Window->Catalogue(), anders);

    std::filesystem::rename(Dir / "regal/anders", Dir / "weg");
    library.Refresh();
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(list->topLevelItem(1)->data(0, Qt::AccessibleDescriptionRole).toString(), "nicht vorhanden");
    EXPECT_FALSE(Part<QPushButton>(library, "OpenButton")->isEnabled());
    Part<QPushButton>(library, "RemoveButton")->click();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_TRUE(std::filesystem::exists(Dir / "weg/Data/Lumarc32.dat"));
    // Del in the list does the same.
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(0));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->topLevelItemCount(), 0);
}

}  // namespace
}  // namespace lumarc::test
