// The viewer: lumarc [--help | --version] [--screenshot FILE.png [--show ENTRY]] [CATALOGUE]

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTimer>
#include <QTreeWidgetItem>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "Application.h"
#include "CDSplash.h"
#include "LibraryCommands.h"
#include "Messages.h"
#include "OutlinePreload.h"
#include "ProgramEnd.h"
#include "Session.h"
#include "ToolDiscMain.h"
#include "WideInfoForm.h"
#include "catalogue/CatalogueLocation.h"
#include "controls/BrowzerOutline.h"
#include "install/CInstDlg.h"
#include "install/core/DunzipLibrary.h"
#include "platform/ProgramVersion.h"
#include "settings/OptionsDialog.h"
#include "widgets/MsgBox.h"

using namespace lumarc;

namespace {

constexpr int kUsageExit = 2;
// How long the screenshot mode waits for the entry to appear before it gives up.
constexpr int kScreenshotTimeoutMs = 15000;

struct TArguments {
    QString CatalogueDir;
    QString Screenshot;
    std::optional<int> Show;
};

const char* const kUsage = "Aufruf: lumarc [OPTIONEN] [KATALOG]\n";
const char* const kHelp =
    "Der Katalogbetrachter der Brimvale ToolDisc.\n"
    "\n"
    "Argumente:\n"
    "  KATALOG                  Katalogverzeichnis, .dat-Datei oder CD-Abbild; ohne ihn der\n"
    "                           zuletzt gezeigte Katalog oder der eigene\n"
    "\n"
    "Optionen:\n"
    "  -h, --help               Diese Hilfe zeigen\n"
    "  --version                Die Version zeigen\n"
    "  --screenshot DATEI.png   Ein Bild des Hauptfensters speichern und enden\n"
    "  --show EINTRAG           Mit --screenshot: den Gliederungseintrag EINTRAG zeigen\n";

[[noreturn]] void Usage(const std::string& problem)
{
    std::cerr << "lumarc: " << problem << "\n" << kUsage << "Hilfe: lumarc --help\n";
    std::exit(kUsageExit);
}

// Help and version are answered before any window or library is touched, as lumarc-cli does.
[[noreturn]] void Answer(const std::string& text)
{
    std::cout << text << std::flush;
    std::exit(std::cout ? 0 : 1);
}

TArguments ParseArguments(int argc, char** argv)
{
    TArguments args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h")
            Answer(std::string(kUsage) + kHelp);
        if (arg == "--version")
            Answer("lumarc " + ProgramVersion() + "\n");
        if (arg == "--screenshot" || arg == "--show") {
            if (i + 1 >= argc)
                Usage(arg + " braucht einen Wert");
            const std::string value = argv[++i];
            if (arg == "--screenshot") {
                args.Screenshot = QString::fromLocal8Bit(value.c_str());
            } else {
                char* end = nullptr;
                const long entry = std::strtol(value.c_str(), &end, 10);
                if (value.empty() || *end != '\0' || entry < 0 || entry > 0x7fffffff)
                    Usage("ungültiger Eintrag: " + value);
                args.Show = static_cast<int>(entry);
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            Usage("Unbekannte Option: " + arg);
        } else if (args.CatalogueDir.isEmpty()) {
            args.CatalogueDir = QString::fromLocal8Bit(arg.c_str());
        } else {
            Usage("zu viele Argumente");
        }
    }
    if (args.Show && args.Screenshot.isEmpty())
        Usage("--show nur zusammen mit --screenshot");
    return args;
}

bool HasDisplay()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

// Selects the entry (or keeps the start selection), waits until the window has shown it and
// saves the window as a picture. Returns the program's exit code through the event loop.
void TakeScreenshot(TApplication& app, TToolDiscMain& window, const TArguments& args)
{
    // Set by the first outcome; the display may be signalled more than once, also while a
    // picture is being taken.
    auto done = std::make_shared<bool>(false);
    auto claim = [done] { return !std::exchange(*done, true); };
    if (args.Show) {
        try {
            window.Outline().SelectEntry(*args.Show);
        } catch (const std::exception& e) {
            std::cerr << "lumarc: " << e.what() << '\n';
            QTimer::singleShot(0, &app, [&app] { app.exit(1); });
            return;
        }
    }
    const int target = window.Outline().SelectedEntry();
    QObject::connect(&window, &TToolDiscMain::EntryShown, &window, [&app, &window, target, claim, args](int entry) {
        if (entry != target || !claim())
            return;
        // The first painting measures the lines; the text view widens its column through the
        // event loop, so the picture is taken from the second.
        window.grab();
        QCoreApplication::processEvents();
        if (!window.grab().toImage().save(args.Screenshot, "PNG")) {
            std::cerr << "lumarc: " << args.Screenshot.toLocal8Bit().constData() << " kann nicht geschrieben werden\n";
            app.exit(1);
            return;
        }
        std::cout << args.Screenshot.toLocal8Bit().constData() << '\n';
        app.exit(0);
    });
    // The selection's own display may already have run; one more brings the signal for sure.
    QTimer::singleShot(0, &window, [&window] { window.OverviewOLClick(); });
    QTimer::singleShot(kScreenshotTimeoutMs, &app, [&app, claim] {
        if (!claim())
            return;
        std::cerr << "lumarc: der Eintrag wurde nicht angezeigt\n";
        app.exit(1);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    const TArguments args = ParseArguments(argc, argv);
    const bool screenshot = !args.Screenshot.isEmpty();
    if (screenshot && !HasDisplay())
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // A picture shows the program as it starts for anyone, not as this user left it.
    const QString sessionFile = screenshot ? QString() : TSession::DefaultFile();
    const TSession session = screenshot ? TSession() : TSession::Load(sessionFile);
    // Nor does a picture add to the user's library.
    TLibraryCommands::SetRecording(!screenshot);
    const QString catalogue = session.StartCatalogue(args.CatalogueDir);

    // The outline is read while the program sets itself up; the window takes it when it opens.
    const TCatalogueLocation files = TToolDiscMain::CatalogueFiles(catalogue);
    TOutlinePreload preload(files.DataFileName, files.IndexFileName);

    // Qt's file dialog writes its dates in the system's time format, which it takes from the
    // environment when the application starts: German, as every other word of the program.
    if (!qEnvironmentVariableIsSet("LC_ALL"))
        qputenv("LC_TIME", "de_DE.UTF-8");
    TApplication app(argc, argv);
    TApplication::SetUp(app);

    if (screenshot) {
        SetMessageHook([](TMessageKind, const QString& caption, const QString& text) {
            std::cerr << caption.toLocal8Bit().constData() << ": " << text.toLocal8Bit().constData() << '\n';
        });
    }

    // The unzip library comes before any window; without it the program cannot install and ends.
    TDunzipLibrary dunzip;
    if (!dunzip.Load()) {
        std::cerr << TDunzipLibrary::kLoadErrorCaption << ": " << TDunzipLibrary::kLoadError << '\n';
        if (!screenshot)
            ShowPlainBox(false, QString::fromLatin1(TDunzipLibrary::kLoadErrorCaption),
                         QString::fromLatin1(TDunzipLibrary::kLoadError));
        return 0;
    }

    auto splash = std::make_unique<TCDSplash>();
    splash->ShowNow();
    std::unique_ptr<TToolDiscMain> window;
    try {
        window = std::make_unique<TToolDiscMain>(catalogue, nullptr, &preload);
    } catch (const EProgramEnd& end) {
        return end.ExitCode();
    }
    const auto installDialog = std::make_unique<TCInstDlg>();
    window->SetInstallDialog(installDialog.get());
    const auto detailWindow = std::make_unique<TWideInfoForm>();
    window->SetDetailWindow(detailWindow.get());
    const auto optionsDialog = std::make_unique<TOptionsDialog>();
    window->SetOptionsDialog(optionsDialog.get());
    session.Restore(*window, *detailWindow);
    splash.reset();

    window->show();
    if (screenshot)
        TakeScreenshot(app, *window, args);
    const int code = app.exec();
    if (!screenshot && !TSession::Capture(*window, *detailWindow).Save(sessionFile))
        std::cerr << "lumarc: Die Sitzung kann nicht gespeichert werden: " << sessionFile.toLocal8Bit().constData()
                  << '\n';
    window.reset();
    return code;
}
