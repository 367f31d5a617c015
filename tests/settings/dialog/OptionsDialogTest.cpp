#include "settings/OptionsDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <string>
#include <vector>

#include "platform/TestFiles.h"
#include "settings/core/DateTime.h"
#include "settings/core/RegistrySettings.h"
#include "settings/core/Settings.h"
#include "settings/dialog/DialogDriver.h"
#include "widgets/DateEdit.h"

namespace lumarc {
namespace {

using test::Click;
using test::PressKey;
using test::TypeText;

const QString kInvalidDate = QStringLiteral("Bitte geben sie ein gültiges Datum ein!");

// Every test starts from the default settings in an empty configuration directory and gives
// the process-wide settings back as it found them.
class SettingsOptionsDialog : public ::testing::Test {
protected:
    SettingsOptionsDialog()
    {
        Settings() = TSettings{};
        QObject::connect(&FDialog, &TOptionsDialog::SettingsApplied, [this] {
            ++FApplied;
            FAtApply = Settings();
            FSavedBeforeApply = test::Exists(KeyFile());
        });
    }
    ~SettingsOptionsDialog() override { Settings() = FSaved; }

    std::string KeyFile() const { return FDir / "Brimvale/Lumarc32/2.0.conf"; }

    template <typename T>
    T* Child(const char* name)
    {
        T* child = FDialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QLineEdit* DestEdit() { return Child<QLineEdit>("DefaultDestEdit"); }
    QCheckBox* Hints() { return Child<QCheckBox>("HintsCheckBox"); }
    TDateEdit* DateField() { return Child<TDateEdit>("UpdateDatumField"); }
    QPushButton* OK() { return Child<QPushButton>("OKBtn"); }
    QPushButton* Cancel() { return Child<QPushButton>("CancelBtn"); }

    // Opens the options command and runs `whileShown` on the open dialog.
    bool Execute(const std::function<void()>& whileShown)
    {
        return test::RunModal(FDialog, whileShown, [this] { return FDialog.Execute(); });
    }

    void RetypeDate(const QString& digits)
    {
        DateField()->setFocus(Qt::MouseFocusReason);
        DateField()->setCursorPosition(0);
        TypeText(DateField(), digits);
    }

    static void ExpectSameSettings(const TSettings& a, const TSettings& b)
    {
        EXPECT_EQ(a.DefaultDestinationPath, b.DefaultDestinationPath);
        EXPECT_EQ(a.ShowHints, b.ShowHints);
        EXPECT_EQ(a.CDVolumeLabel, b.CDVolumeLabel);
        EXPECT_EQ(a.UpdateDateText, b.UpdateDateText);
        EXPECT_EQ(a.UpdateDate, b.UpdateDate);
    }

    TSettings FSaved = Settings();
    test::TTempDir FDir;
    test::TScopedEnv FConfig{"XDG_CONFIG_HOME", FDir.Path()};
    TOptionsDialog FDialog;
    test::TBoxAnswerer FBoxes;
    int FApplied = 0;
    TSettings FAtApply;
    bool FSavedBeforeApply = false;
};

TEST_F(SettingsOptionsDialog, LayoutCaptionsAndAccelerators)
{
    EXPECT_EQ(FDialog.objectName(), "OptionsDialog");
    EXPECT_EQ(FDialog.windowTitle(), "Brimvale Lumarcer - Optionen");
    EXPECT_EQ(FDialog.size(), QSize(371, 164));
    EXPECT_EQ(FDialog.minimumSize(), FDialog.maximumSize());
    EXPECT_EQ(FDialog.font().family(), "System");
    EXPECT_EQ(FDialog.font().pixelSize(), 13);

    const std::vector<std::pair<const char*, QRect>> boxes = {
        {"OptionPanel", QRect(0, 0, 371, 117)},    {"DefaultDestEdit", QRect(12, 34, 339, 24)},
        {"HintsCheckBox", QRect(12, 80, 109, 17)}, {"UpdateDatumField", QRect(286, 78, 63, 24)},
    };
    for (const auto& [name, geometry] : boxes) {
        QWidget* widget = Child<QWidget>(name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), geometry) << name;
    }
    // The buttons end where they were placed; "Abbrechen" takes its room to the left.
    EXPECT_EQ(Cancel()->geometry().right(), 364);
    EXPECT_LT(OK()->geometry().right(), Cancel()->x());
    auto* panel = Child<QFrame>("OptionPanel");
    for (const char* name : {"DefaultDestLabel", "DefaultDestEdit", "HintsCheckBox", "UpdateLabel", "UpdateDatumField"})
        EXPECT_EQ(Child<QWidget>(name)->parentWidget(), panel) << name;

    auto* destLabel = Child<QLabel>("DefaultDestLabel");
    EXPECT_EQ(destLabel->pos(), QPoint(12, 12));
    EXPECT_EQ(destLabel->text(), "voreingestelltes &Zielverzeichnis für Komponenten:");
    EXPECT_EQ(destLabel->buddy(), DestEdit());
    auto* updateLabel = Child<QLabel>("UpdateLabel");
    EXPECT_EQ(updateLabel->pos(), QPoint(173, 80));
    EXPECT_EQ(updateLabel->text(), "Update&Datum:");
    EXPECT_EQ(updateLabel->buddy(), DateField());
    EXPECT_EQ(Hints()->text(), "Zeige &Hints");
    EXPECT_EQ(OK()->text(), "OK");
    EXPECT_EQ(Cancel()->text(), "Abbrechen");
    EXPECT_TRUE(OK()->isDefault());
    // The field holds the update date from the moment the dialog exists.
    EXPECT_EQ(DateField()->Text(), "02.05.96");
}

TEST_F(SettingsOptionsDialog, OpeningFillsFromTheSettingsCentresAndFocusesTheDestination)
{
    Settings().DefaultDestinationPath = "/home/anna/komp";
    Settings().ShowHints = 5;  // any non-zero value means on
    SetUpdateDateText("24.12.95");
    const bool ok = Execute([&] {
        EXPECT_EQ(DestEdit()->text(), "/home/anna/komp");
        EXPECT_TRUE(Hints()->isChecked());
        EXPECT_EQ(DateField()->Text(), "24.12.95");
        EXPECT_TRUE(DestEdit()->hasFocus());
        EXPECT_EQ(DestEdit()->selectedText(), "/home/anna/komp");
        const QRect screen = FDialog.screen()->availableGeometry();
        EXPECT_LE((FDialog.frameGeometry().center() - screen.center()).manhattanLength(), 1);
        Click(OK());
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(Settings().ShowHints, 1);

    Settings().ShowHints = 0;
    Execute([&] {
        EXPECT_FALSE(Hints()->isChecked());
        Click(Cancel());
    });
}

TEST_F(SettingsOptionsDialog, CancelAfterEditingAllThreeChangesNothing)
{
    Settings().DefaultDestinationPath = "/opt/komp";
    const TSettings before = Settings();
    for (const bool byEscape : {false, true}) {
        const bool ok = Execute([&] {
            TypeText(DestEdit(), QStringLiteral("/tmp/other"));
            Click(Hints());
            RetypeDate(QStringLiteral("311299"));
            if (byEscape)
                PressKey(DateField(), Qt::Key_Escape);
            else
                Click(Cancel());
        });
        EXPECT_FALSE(ok);
        ExpectSameSettings(Settings(), before);
    }
    EXPECT_EQ(FApplied, 0);
    EXPECT_FALSE(test::Exists(KeyFile()));
    EXPECT_TRUE(FBoxes.Seen().empty());

    // The next opening shows the settings again, not the abandoned edits.
    Execute([&] {
        EXPECT_EQ(DestEdit()->text(), "/opt/komp");
        EXPECT_TRUE(Hints()->isChecked());
        EXPECT_EQ(DateField()->Text(), "02.05.96");
        Click(Cancel());
    });
}

TEST_F(SettingsOptionsDialog, OKTakesOverAnnouncesThenSaves)
{
    const bool ok = Execute([&] {
        TypeText(DestEdit(), QStringLiteral("/srv/komponenten"));
        Click(Hints());
        RetypeDate(QStringLiteral("241295"));
        Click(OK());
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(FApplied, 1);
    // Whoever listens sees the new values in memory, before the save.
    EXPECT_FALSE(FSavedBeforeApply);
    EXPECT_EQ(FAtApply.DefaultDestinationPath, "/srv/komponenten");
    EXPECT_EQ(FAtApply.ShowHints, 0);
    EXPECT_EQ(FAtApply.UpdateDateText, "24.12.95");
    EXPECT_EQ(FAtApply.UpdateDate, EncodeDate(1995, 12, 24));
    ExpectSameSettings(Settings(), FAtApply);

    // Kept: destination and hints. The update date is not stored and starts from its
    // default again.
    Settings() = TSettings{};
    LoadSettings();
    EXPECT_EQ(Settings().DefaultDestinationPath, "/srv/komponenten");
    EXPECT_EQ(Settings().ShowHints, 0);
    EXPECT_EQ(Settings().UpdateDateText, "02.05.96");

    // Hints back on.
    Execute([&] {
        EXPECT_FALSE(Hints()->isChecked());
        Click(Hints());
        Click(OK());
    });
    EXPECT_EQ(FApplied, 2);
    EXPECT_EQ(Settings().ShowHints, 1);
}

TEST_F(SettingsOptionsDialog, AnInvalidDateKeepsTheDialogOpenUntilItIsValid)
{
    const TSettings before = Settings();
    const std::vector<QString> invalid = {
        "310496",  // 31st of a 30-day month
        "290297",  // no 29 February in 1997
        "011396",  // month 13
        "000596",  // day 0
        "",        // nothing entered
    };
    const bool ok = Execute([&] {
        TypeText(DestEdit(), QStringLiteral("/neu"));
        for (const QString& digits : invalid) {
            DateField()->SetText(QString());
            RetypeDate(digits);
            const std::size_t seen = FBoxes.Seen().size();
            Click(OK());
            ASSERT_EQ(FBoxes.Seen().size(), seen + 1) << digits.toStdString();
            EXPECT_EQ(FBoxes.Seen().back().Title, "Fehler");
            EXPECT_EQ(FBoxes.Seen().back().Text, kInvalidDate);
            EXPECT_TRUE(FDialog.isVisible());
            EXPECT_TRUE(DateField()->Invalid());
            EXPECT_EQ(FDialog.focusWidget(), DateField());
            ExpectSameSettings(Settings(), before);
        }
        // Enter takes the default button's way and is held back the same.
        PressKey(DateField(), Qt::Key_Return);
        EXPECT_TRUE(FDialog.isVisible());
        EXPECT_EQ(FBoxes.Seen().size(), invalid.size() + 1);

        RetypeDate(QStringLiteral("290296"));
        Click(OK());
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(FApplied, 1);
    EXPECT_EQ(Settings().UpdateDateText, "29.02.96");
    EXPECT_EQ(Settings().UpdateDate, EncodeDate(1996, 2, 29));
    EXPECT_EQ(Settings().DefaultDestinationPath, "/neu");
}

TEST_F(SettingsOptionsDialog, LeavingTheFieldWithAnInvalidDateWarnsOnceButCancelDoesNot)
{
    const bool ok = Execute([&] {
        RetypeDate(QStringLiteral("310496"));
        PressKey(DateField(), Qt::Key_Tab);
        QApplication::processEvents();
        ASSERT_EQ(FBoxes.Seen().size(), 1u);
        EXPECT_EQ(FBoxes.Seen()[0].Title, "Fehler");
        EXPECT_EQ(FBoxes.Seen()[0].Text, kInvalidDate);
        EXPECT_TRUE(test::WaitActive(&FDialog));
        EXPECT_TRUE(DateField()->hasFocus());

        // Abandoning the entry is no reason for an error.
        RetypeDate(QStringLiteral("3104"));
        Click(Cancel());
    });
    QApplication::processEvents();
    EXPECT_FALSE(ok);
    EXPECT_EQ(FBoxes.Seen().size(), 1u);
    EXPECT_EQ(Settings().UpdateDateText, "02.05.96");
}

TEST_F(SettingsOptionsDialog, OKWithAnInvalidEditedDateWarnsOnlyOnce)
{
    // The click on OK both leaves the field and asks to end the dialog: one check, one box.
    Execute([&] {
        RetypeDate(QStringLiteral("310496"));
        Click(OK());
        QApplication::processEvents();
        EXPECT_EQ(FBoxes.Seen().size(), 1u);
        Click(Cancel());
    });
    EXPECT_EQ(FBoxes.Seen().size(), 1u);
}

TEST_F(SettingsOptionsDialog, SettersWriteOnlyWhatDiffers)
{
    FDialog.SetDefaultDestination(QStringLiteral("/a/b/c"));
    DestEdit()->setCursorPosition(2);
    FDialog.SetDefaultDestination(QStringLiteral("/a/b/c"));
    EXPECT_EQ(DestEdit()->cursorPosition(), 2);
    FDialog.SetDefaultDestination(QStringLiteral("/x"));
    EXPECT_EQ(FDialog.DefaultDestination(), "/x");

    FDialog.SetUpdateDateText(QStringLiteral("24.12.95"));
    DateField()->setCursorPosition(4);
    FDialog.SetUpdateDateText(QStringLiteral("24.12.95"));
    EXPECT_EQ(DateField()->cursorPosition(), 4);
    EXPECT_EQ(FDialog.UpdateDateText(), "24.12.95");
}

TEST_F(SettingsOptionsDialog, DestinationTakesNoMoreThanCanBeStoredAndKeepsBytesItCannotShow)
{
    // A path stored in another code page is kept byte for byte when left alone.
    Settings().DefaultDestinationPath = "c:\\komponenten\\b\xE9la";
    Execute([&] { Click(OK()); });
    Settings() = TSettings{};
    LoadSettings();
    EXPECT_EQ(Settings().DefaultDestinationPath, "c:\\komponenten\\b\xE9la");

    // The store takes at most 255 bytes; the edit refuses what would go beyond.
    const QString start(253, QLatin1Char('x'));
    Settings().DefaultDestinationPath = start.toStdString();
    const bool ok = Execute([&] {
        DestEdit()->end(false);
        PressKey(DestEdit(), Qt::Key_Odiaeresis, QStringLiteral("ö"));  // two bytes: 255
        PressKey(DestEdit(), Qt::Key_A, QStringLiteral("a"));           // would be 256
        EXPECT_EQ(DestEdit()->text(), start + QStringLiteral("ö"));
        Click(OK());
    });
    EXPECT_TRUE(ok);
    Settings() = TSettings{};
    LoadSettings();
    EXPECT_EQ(Settings().DefaultDestinationPath, (start + QStringLiteral("ö")).toStdString());
}

}  // namespace
}  // namespace lumarc
