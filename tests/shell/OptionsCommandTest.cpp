// The options command of the main window: the dialog it opens, and what confirming it changes.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include "ToolDiscMainTestSupport.h"
#include "catalogue/CompoText.h"
#include "controls/BrowzerOutline.h"
#include "settings/OptionsDialog.h"
#include "settings/core/Settings.h"
#include "shell/WideInfoForm.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

class ShellOptionsCommand : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        FSavedHints = Settings().ShowHints;
    }
    void TearDown() override
    {
        Settings().ShowHints = FSavedHints;
        TMainWindowTest::TearDown();
    }

    // Opens the options command and answers the dialog with the hint box set to `hints`.
    void RunOptions(TOptionsDialog& dialog, bool hints, bool confirm)
    {
        QTimer::singleShot(0, [&dialog, hints, confirm] {
            dialog.findChild<QCheckBox*>(QStringLiteral("HintsCheckBox"))->setChecked(hints);
            dialog.findChild<QPushButton*>(confirm ? QStringLiteral("OKBtn") : QStringLiteral("CancelBtn"))->click();
        });
        Part<QToolButton>(*Window, "SBOptions")->click();
    }

    // Whether a tooltip event reaches the button (the application filter swallows it when off).
    bool TooltipShown(QWidget* widget)
    {
        QToolTip::hideText();
        QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(widget, &event);
        return QToolTip::isVisible() && QToolTip::text() == widget->toolTip();
    }

private:
    int FSavedHints = 1;
};

}  // namespace

TEST_F(ShellOptionsCommand, ConfirmedHintSwitchReachesEverySpeedButton)
{
    OpenBuilt();
    TOptionsDialog dialog;
    Window->SetOptionsDialog(&dialog);
    ASSERT_TRUE(Window->HintsShown());

    RunOptions(dialog, false, true);
    EXPECT_FALSE(Window->HintsShown());
    EXPECT_FALSE(TooltipShown(Part<QToolButton>(*Window, "SBFirst")));
    EXPECT_FALSE(TooltipShown(Part<QToolButton>(*Window, "SBNext")));

    RunOptions(dialog, true, false);  // Cancel changes nothing
    EXPECT_FALSE(Window->HintsShown());

    RunOptions(dialog, true, true);
    EXPECT_TRUE(Window->HintsShown());
    EXPECT_TRUE(TooltipShown(Part<QToolButton>(*Window, "SBFirst")));
}

TEST_F(ShellOptionsCommand, StoredHintSettingHoldsFromTheStart)
{
    // The setting is loaded from the store at start-up: save it there through the dialog.
    OpenBuilt();
    TOptionsDialog dialog;
    Window->SetOptionsDialog(&dialog);
    RunOptions(dialog, false, true);
    Window.reset();
    Open(Dir.Path());
    EXPECT_FALSE(Window->HintsShown());
}

TEST_F(ShellOptionsCommand, ASaveThatCannotBeStoredIsReportedAndTheChoiceStillHolds)
{
    OpenBuilt();
    TOptionsDialog dialog;
    Window->SetOptionsDialog(&dialog);
    std::filesystem::remove_all(Config / "Brimvale");
    WriteFile(Config / "Brimvale", "a file where the settings directory belongs");
    RunOptions(dialog, false, true);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, "Lumarcer - Fehler");
    EXPECT_EQ(Messages[0].Text, "Die Einstellungen konnten nicht gespeichert werden!");
    EXPECT_FALSE(Window->HintsShown());
}

TEST_F(ShellOptionsCommand, WithoutADialogTheCommandDoesNothing)
{
    OpenBuilt();
    Part<QToolButton>(*Window, "SBOptions")->click();
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ShellOptionsCommand, ExpandButtonShowsTheShownComponentInTheDetailWindow)
{
    WriteCatalogue(Dir / "Data",
                   "OUTLINE [Gliederung] 01.05.96 {\n"
                   "Willkommen [Willkommen]\n"
                   "Raster [Raster]\n"
                   "Packer [Packer]\n"
                   "}\n"
                   "INFOTEXT [Willkommen] 24.12.95 {\nHallo\n}\n"
                   "COMPONENT [Raster] {\n[LongName]\nRaster & Gitter\n[LongInfo]\nZeichnet Gitter.\n}\n"
                   "COMPONENT [Packer] {\n[LongName]\nPacker\n[LongInfo]\nPackt Dateien.\n}\n");
    Open(Dir.Path());
    TWideInfoForm detail;
    Window->SetDetailWindow(&detail);
    Part<QPushButton>(*Window, "ExpandBtn")->click();  // no component shown yet
    EXPECT_FALSE(detail.isVisible());

    // Each press shows the component on the page, not the one shown the time before.
    for (const auto& [caption, longInfo] :
         {std::pair{"Raster", "Zeichnet Gitter."}, std::pair{"Packer", "Packt Dateien."}}) {
        Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectEntry(Entry(caption));
        ASSERT_TRUE(ProcessUntil([&] {
            return Window->CompoText() && Window->CompoText()->LongInfo.Count() > 0 &&
                   Window->CompoText()->LongInfo[0] == longInfo;
        }));
        Part<QPushButton>(*Window, "ExpandBtn")->click();
        EXPECT_TRUE(detail.isVisible());
        EXPECT_EQ(detail.LongInfoMemo->toPlainText(), QString::fromLatin1(longInfo));
        EXPECT_TRUE(detail.windowTitle().endsWith(
            QString::fromLatin1(caption == std::string("Raster") ? "Raster & Gitter" : "Packer")));
    }
    detail.hide();
}
