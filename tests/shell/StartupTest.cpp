#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>

#include <fstream>
#include <iostream>

#include "ToolDiscMainTestSupport.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CatalogueLocation.h"
#include "controls/MicaTextView.h"
#include "settings/core/RegistrySettings.h"
#include "settings/core/Settings.h"
#include "shell/CDAboutBox.h"
#include "shell/CDSplash.h"
#include "shell/OutlinePreload.h"
#include "shell/ProgramEnd.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

class ShellToolDiscMainStartup : public TMainWindowTest {};
class ShellToolDiscMainDisplay : public TMainWindowTest {};
class ShellToolDiscMainProgram : public TMainWindowTest {};

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

QStringList Lines(std::initializer_list<const char*> lines)
{
    QStringList result;
    for (const char* line : lines)
        result << QString::fromUtf8(line);
    return result;
}

TEST_F(ShellToolDiscMainStartup, ShowsTheFirstInfoTextWithTheStartSelection)
{
    TToolDiscMain& w = OpenBuilt();
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(w.PageKind(), TToolDiscMain::pkInfoText);
    EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->currentWidget(), Part<QWidget>(w, "Infotext"));
    EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->PlainLines(), Lines({"Willkommen auf der Scheibe", "zweite Zeile"}));
    EXPECT_TRUE(Part<TMicaTextView>(w, "TextView")->isVisibleTo(Part<QWidget>(w, "Infotext")));
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->SelectedEntry(), 0);
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->HandledNode(),
              Part<TBrowzerOutline>(w, "OverviewOL")->currentItem());
    EXPECT_TRUE(Part<QToolButton>(w, "SBPrintText")->isEnabled());
    EXPECT_FALSE(Part<QToolButton>(w, "SBInstall")->isEnabled());
    // The start selection reaches the display like any other, so it is the history's first entry.
    ASSERT_EQ(w.Navigation().History().Count(), 1);
    EXPECT_EQ(w.Navigation().History()[0], 0);
    EXPECT_TRUE(w.Navigation().RecordHistory());
    EXPECT_EQ(w.CompoText(), nullptr);
    // The third font of the info text view, and the short text memo's fixed-pitch font.
    ASSERT_EQ(Part<TMicaTextView>(w, "TextView")->Fonts().size(), 3u);
    EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->GetFont(2).family(), "Courier");
    EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->GetFont(2).pointSize(), 10);
    EXPECT_EQ(w.ShortMemoOemConvert(), !QFontDatabase::families().contains("MS LineDraw"));
    EXPECT_TRUE(QFontInfo(Part<QPlainTextEdit>(w, "ShortMemo")->font()).fixedPitch());
    EXPECT_EQ(Part<QPlainTextEdit>(w, "ShortMemo")->font().pixelSize(), 12);
}

TEST_F(ShellToolDiscMainStartup, FindsEachCatalogueFileByItselfDataDirectoryFirst)
{
    // The data file beside the program, the index file in Data/.
    const std::string built = Dir / "built";
    WriteCatalogue(built);
    std::filesystem::create_directories(Dir / "Data");
    std::filesystem::rename(built + "/Lumarc32.dat", Dir / "Lumarc32.dat");
    std::filesystem::rename(built + "/Lumarc32.idx", Dir / "Data/Lumarc32.idx");
    TToolDiscMain& w = Open(Dir.Path());
    EXPECT_EQ(w.BrowzerContainer().DataFileName, Dir / "Lumarc32.dat");
    EXPECT_EQ(w.BrowzerContainer().IndexFileName, Dir / "Data/Lumarc32.idx");
    EXPECT_TRUE(Messages.empty());
    EXPECT_GT(Part<TBrowzerOutline>(w, "OverviewOL")->topLevelItemCount(), 0);

    // A file in Data/ wins over one of the same name beside the program.
    WriteBytes(Dir / "Lumarc32.idx", "junk");
    EXPECT_EQ(TToolDiscMain::CatalogueFiles(QString::fromStdString(Dir.Path())).IndexFileName,
              Dir / "Data/Lumarc32.idx");
    // A directory named like the file is no file.
    std::filesystem::create_directories(Dir / "Data/Lumarc32.dat");
    EXPECT_EQ(TToolDiscMain::CatalogueFiles(QString::fromStdString(Dir.Path())).DataFileName, Dir / "Lumarc32.dat");
}

TEST_F(ShellToolDiscMainStartup, NoCatalogueIsReportedOnceAndTheWindowStillOpens)
{
    TToolDiscMain& w = Open(Dir.Path());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Kind, TMessageKind::mkMsgBox);
    EXPECT_EQ(Messages[0].Caption, "Lumarcer - Fehler");
    EXPECT_EQ(Messages[0].Text.toStdString(), "Datenbank nicht gefunden!\nGesucht: " + Dir / "Data/Lumarc32.dat" +
                                                  ", " + Dir / "Lumarc32.dat" + ", " + Dir / "Data/Lumarc32.idx" +
                                                  ", " + Dir / "Lumarc32.idx");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->topLevelItemCount(), 0);
    EXPECT_TRUE(Part<TMicaTextView>(w, "TextView")->PlainLines().isEmpty());
    EXPECT_EQ(w.PageKind(), TToolDiscMain::pkNothing);
    EXPECT_FALSE(Part<QToolButton>(w, "SBPrintText")->isEnabled());
    EXPECT_FALSE(Part<QToolButton>(w, "SBCopy")->isEnabled());
    EXPECT_FALSE(Part<QAction>(w, "MIPrint")->isEnabled());
    // The panes are laid out all the same.
    EXPECT_EQ(Part<QFrame>(w, "InfoPanel")->geometry().right() + 1, Part<QWidget>(w, "ClientArea")->width());
}

TEST_F(ShellToolDiscMainStartup, AStartBoxIsSeenAboveTheSplashWithTheNormalCursor)
{
    // The real boxes, not the test's hook: the start on a directory without a catalogue.
    const TMessageHook hook = SetMessageHook({});
    TCDSplash splash;
    splash.ShowNow();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_FALSE(splash.isVisible()) << "the splash would hide the box";
        EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        box->close();
    });
    Window = std::make_unique<TToolDiscMain>(QString::fromStdString(Dir.Path()));
    SetMessageHook(hook);
    EXPECT_TRUE(seen);
    // The splash's hourglass is back while the start goes on.
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

TEST_F(ShellToolDiscMainStartup, AnOutlineReadAheadIsTakenOnlyForTheFilesItWasReadFrom)
{
    WriteCatalogue(Dir / "Data");
    const TCatalogueLocation files = TToolDiscMain::CatalogueFiles(QString::fromStdString(Dir.Path()));
    EXPECT_EQ(files.DataFileName, Dir / "Data/Lumarc32.dat");
    EXPECT_EQ(files.IndexFileName, Dir / "Data/Lumarc32.idx");

    TOutlinePreload other(Dir / "other.dat", files.IndexFileName);
    EXPECT_FALSE(other.Take(files.DataFileName, files.IndexFileName));

    TToolDiscMain& plain = Open(Dir.Path());
    const TTreeViewData loaded = Part<TBrowzerOutline>(plain, "OverviewOL")->TreeData();
    Window.reset();

    TOutlinePreload preload(files.DataFileName, files.IndexFileName);
    Window = std::make_unique<TToolDiscMain>(QString::fromStdString(Dir.Path()), nullptr, &preload);
    TToolDiscMain& w = *Window;
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->TreeData(), loaded);
    EXPECT_EQ(w.BrowzerContainer().TreeData(), &Part<TBrowzerOutline>(w, "OverviewOL")->TreeData());
    EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->PlainLines(), Lines({"Willkommen auf der Scheibe", "zweite Zeile"}));
    EXPECT_FALSE(preload.Take(files.DataFileName, files.IndexFileName)) << "taken once only";
}

TEST_F(ShellToolDiscMainStartup, AReadAheadThatFailedLeavesTheReportToTheWindow)
{
    const TCatalogueLocation files = TToolDiscMain::CatalogueFiles(QString::fromStdString(Dir.Path()));
    TOutlinePreload preload(files.DataFileName, files.IndexFileName);
    Window = std::make_unique<TToolDiscMain>(QString::fromStdString(Dir.Path()), nullptr, &preload);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Messages[0].Text.startsWith("Datenbank nicht gefunden!\n")) << Messages[0].Text.toStdString();
    EXPECT_EQ(Part<TBrowzerOutline>(*Window, "OverviewOL")->topLevelItemCount(), 0);
}

TEST_F(ShellToolDiscMainStartup, LoadFailuresGetTheirOwnMessages)
{
    // An outline without nodes has no entry 0 to show.
    WriteCatalogue(Dir / "Data", "OUTLINE [Gliederung] 01.05.96 {\n}\n");
    Open(Dir.Path());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, "Lumarcer - Fehler");
    EXPECT_EQ(Messages[0].Text, "Fehler beim Laden der Datenbank!");

    // No outline record at all: the container's own error in the plain error box.
    Window.reset();
    Messages.clear();
    TTempDir other;
    std::filesystem::create_directories(other / "Data");
    WriteBytes(other / "Data/Lumarc32.dat", std::string("\x03\x00\x02\x00", 4));
    WriteBytes(other / "Data/Lumarc32.idx", "");
    Open(other.Path());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Kind, TMessageKind::mkDefaultError);
    EXPECT_EQ(Messages[0].Caption, "Brimvale ToolDisc Viewer");
    EXPECT_EQ(Messages[0].Text, "Konnte OutlineText nicht laden!.");
}

TEST_F(ShellToolDiscMainStartup, WrongDataVersionEndsTheStartWithTheExitCode)
{
    std::filesystem::create_directories(Dir / "Data");
    WriteBytes(Dir / "Data/Lumarc32.dat", std::string("\x03\x00\x01\x00", 4));
    WriteBytes(Dir / "Data/Lumarc32.idx", "");
    try {
        TToolDiscMain window(QString::fromStdString(Dir.Path()));
        ADD_FAILURE() << "the window was created";
    } catch (const EProgramEnd& end) {
        EXPECT_EQ(end.ExitCode(), 1);
    }
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Kind, TMessageKind::mkMsgBox);
    EXPECT_EQ(Messages[0].Caption, "Fehler");
    EXPECT_EQ(Messages[0].Text.toStdString(), TBrowzerContainer::VersionMessage());
}

TEST_F(ShellToolDiscMainStartup, LoadsTheKeptSettings)
{
    const std::string defaultLabel = Settings().CDVolumeLabel;
    Settings().CDVolumeLabel = "ANDERE.CD";
    SaveSettings();
    Settings().CDVolumeLabel = defaultLabel;
    OpenBuilt();
    EXPECT_EQ(Settings().CDVolumeLabel, "ANDERE.CD");
    Settings().CDVolumeLabel = defaultLabel;
}

TEST_F(ShellToolDiscMainDisplay, SelectingAnEntryShowsItsPage)
{
    TToolDiscMain& w = OpenBuilt();
    int shown = -2;
    QObject::connect(&w, &TToolDiscMain::EntryShown, &w, [&](int entry) { shown = entry; });
    struct Row {
        const char* Caption;
        int Kind;
        QWidget* Page;
    };
    const Row rows[] = {
        {"Hinweise", TToolDiscMain::pkInfoText, Part<QWidget>(w, "Infotext")},
        {"Packer", TToolDiscMain::pkShortText, Part<QWidget>(w, "ShortDesc")},
        {"Raster", TToolDiscMain::pkComponent, Part<QWidget>(w, "Komponente")},
        {"Komponenten", TToolDiscMain::pkNothing, Part<QWidget>(w, "Infotext")},
        {"Willkommen", TToolDiscMain::pkInfoText, Part<QWidget>(w, "Infotext")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Caption);
        const int entry = Entry(row.Caption);
        Part<TBrowzerOutline>(w, "OverviewOL")->SelectEntry(entry);
        ASSERT_TRUE(ProcessUntil([&] { return shown == entry; }));
        EXPECT_EQ(w.PageKind(), row.Kind);
        EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->currentWidget(), row.Page);
        EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->HandledNode(),
                  Part<TBrowzerOutline>(w, "OverviewOL")->currentItem());
        EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->isVisibleTo(Part<QWidget>(w, "Infotext")),
                  row.Kind != TToolDiscMain::pkNothing);
        if (std::string(row.Caption) == "Hinweise") {
            EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->PlainLines(),
                      Lines({"Hinweise zur Installation", "Courier-Zeile"}));
        }
    }
    EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->PlainLines(), Lines({"Willkommen auf der Scheibe", "zweite Zeile"}));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ShellToolDiscMainDisplay, SeveralSelectionChangesInARowEndInOneDisplay)
{
    TToolDiscMain& w = OpenBuilt();
    std::vector<int> shown;
    QObject::connect(&w, &TToolDiscMain::EntryShown, &w, [&](int entry) { shown.push_back(entry); });
    Part<TBrowzerOutline>(w, "OverviewOL")->SelectEntry(Entry("Hinweise"));
    Part<TBrowzerOutline>(w, "OverviewOL")->SelectEntry(Entry("Packer"));
    Part<TBrowzerOutline>(w, "OverviewOL")->SelectEntry(Entry("Raster"));
    ProcessUntil([&] { return !shown.empty(); });
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, std::vector<int>({Entry("Raster")}));
    EXPECT_EQ(w.PageKind(), TToolDiscMain::pkComponent);
}

TEST_F(ShellToolDiscMainDisplay, AnEntryThatCannotBeReadIsReportedAndShowsNothing)
{
    TToolDiscMain& w = OpenBuilt();
    int shown = -2;
    QObject::connect(&w, &TToolDiscMain::EntryShown, &w, [&](int entry) { shown = entry; });
    // The open file loses its records behind the viewer's back.
    std::filesystem::resize_file(Dir / "Data/Lumarc32.dat", 4);
    const int entry = Entry("Hinweise");
    Part<TBrowzerOutline>(w, "OverviewOL")->SelectEntry(entry);
    ASSERT_TRUE(ProcessUntil([&] { return shown == entry; }));
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, "Lumarcer - Fehler");
    EXPECT_FALSE(Messages[0].Text.isEmpty());
    // Not the welcome text any more, as if it belonged to the selected entry.
    EXPECT_EQ(w.PageKind(), TToolDiscMain::pkNothing);
    EXPECT_FALSE(Part<TMicaTextView>(w, "TextView")->isVisibleTo(Part<QWidget>(w, "Infotext")));
    EXPECT_FALSE(Part<QToolButton>(w, "SBPrintText")->isEnabled());
}

TEST_F(ShellToolDiscMainDisplay, ADiscTakenOutIsReportedAndWorksAgainWhenPutBack)
{
    TToolDiscMain& w = OpenBuilt();
    int shown = -2;
    QObject::connect(&w, &TToolDiscMain::EntryShown, &w, [&](int entry) { shown = entry; });
    auto show = [&](const std::string& caption) {
        const int entry = Entry(caption);
        shown = -2;
        Part<TBrowzerOutline>(w, "OverviewOL")->SelectEntry(entry);
        return ProcessUntil([&] { return shown == entry; });
    };
    const std::filesystem::path data = Dir / "Data";
    const std::filesystem::path kept = Dir / "kept";
    std::filesystem::copy(data, kept);
    // The open file fails its reads, as on a disc taken out, then the files are gone.
    std::filesystem::resize_file(data / "Lumarc32.dat", 4);
    ASSERT_TRUE(show("Hinweise"));
    ASSERT_EQ(Messages.size(), 1u);
    std::filesystem::remove_all(data);
    ASSERT_TRUE(show("Willkommen"));
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Messages[1].Caption, "Lumarcer - Fehler");
    EXPECT_TRUE(Messages[1].Text.startsWith("Datenbank nicht gefunden!\n")) << Messages[1].Text.toStdString();
    EXPECT_EQ(w.PageKind(), TToolDiscMain::pkNothing);

    std::filesystem::rename(kept, data);
    ASSERT_TRUE(show("Hinweise"));
    EXPECT_EQ(Messages.size(), 2u);
    EXPECT_EQ(w.PageKind(), TToolDiscMain::pkInfoText);
    EXPECT_FALSE(Part<TMicaTextView>(w, "TextView")->PlainLines().empty());
}

TEST_F(ShellToolDiscMainDisplay, AboutBoxShowsTheVersionFromMenuAndButton)
{
    TToolDiscMain& w = OpenBuilt();
    EXPECT_EQ(TCDAboutBox::VersionText(3), "Version 2.03");
    EXPECT_EQ(TCDAboutBox::VersionText(12), "Version 2.12");
    for (int round = 0; round < 2; ++round) {
        QString title, version;
        QSize size;
        QTimer::singleShot(0, &w, [&] {
            auto* box = qobject_cast<TCDAboutBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            version = box->Version->text();
            size = box->size();
            box->OKButton->click();
        });
        if (round == 0)
            Part<QToolButton>(w, "SBInfo")->click();
        else
            Part<QAction>(w, "MIAbout")->trigger();
        EXPECT_EQ(title, "Brimvale Lumarc");
        EXPECT_EQ(version, "Version 2.03");
        EXPECT_EQ(size, QSize(339, 219));
        // Freed after use.
        EXPECT_EQ(w.findChild<TCDAboutBox*>(), nullptr);
    }
}

TEST(ShellCDSplash, BorderlessWithPictureAndLabelsAndTheHourglassWhileItLives)
{
    const Qt::CursorShape before =
        QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor;
    {
        TCDSplash splash;
        EXPECT_EQ(splash.size(), QSize(289, 325));
        EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        EXPECT_EQ(splash.Picture->geometry(), QRect(24, 12, 240, 239));
        EXPECT_EQ(splash.Picture->pixmap().size(), QSize(240, 239));
        EXPECT_EQ(splash.TitleLabel->text(), "Brimvale ToolDisc");
        EXPECT_TRUE(splash.TitleLabel->font().bold());
        EXPECT_EQ(splash.LoadLabel->text(), "Lade Lumarc...");
        EXPECT_GT(splash.LoadLabel->y(), splash.TitleLabel->y());
        EXPECT_LE(splash.LoadLabel->geometry().bottom(), 325);
    }
    const Qt::CursorShape after =
        QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor;
    EXPECT_EQ(after, before);
}

// The lumarc program beside the tests' directory; the tests skip when it was not built.
QString ProgramPath()
{
    return QCoreApplication::applicationDirPath() + "/../lumarc";
}

struct TRun {
    int ExitCode = -1;
    QString Out, Err;
};

TRun RunProgram(const QStringList& args, const std::string& configHome)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(configHome));
    process.setProcessEnvironment(env);
    process.start(ProgramPath(), args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST_F(ShellToolDiscMainProgram, ScreenshotOfAChosenEntryWithoutADisplay)
{
    if (!QFile::exists(ProgramPath()))
        GTEST_SKIP() << "lumarc not built";
    WriteCatalogue(Dir / "Data");
    const QString png = QString::fromStdString(Dir / "shot.png");
    // Entry 2 is "Hinweise", a top-level info text.
    const TRun run =
        RunProgram({"--screenshot", png, "--show", "2", QString::fromStdString(Dir.Path())}, Config.Path());
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out.trimmed(), png);
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 640);
    EXPECT_GE(image.height(), 460);

    EXPECT_NE(
        RunProgram({"--screenshot", png, "--show", "99", QString::fromStdString(Dir.Path())}, Config.Path()).ExitCode,
        0);
    EXPECT_EQ(RunProgram({"--show", "1"}, Config.Path()).ExitCode, 2);
    EXPECT_EQ(RunProgram({"--bogus"}, Config.Path()).ExitCode, 2);
}

TEST_F(ShellToolDiscMainProgram, WrongDataVersionEndsWithExitCodeOne)
{
    if (!QFile::exists(ProgramPath()))
        GTEST_SKIP() << "lumarc not built";
    std::filesystem::create_directories(Dir / "Data");
    WriteBytes(Dir / "Data/Lumarc32.dat", std::string("\x02\x00\x02\x00", 4));
    WriteBytes(Dir / "Data/Lumarc32.idx", "");
    const QString png = QString::fromStdString(Dir / "shot.png");
    const TRun run = RunProgram({"--screenshot", png, QString::fromStdString(Dir.Path())}, Config.Path());
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Err.contains(QString::fromStdString(TBrowzerContainer::VersionMessage())));
    EXPECT_FALSE(QFile::exists(png));
}

}  // namespace
