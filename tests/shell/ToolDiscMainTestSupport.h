#pragma once
// A main window opened on a small catalogue built for the test, with the user's settings and
// session in a scratch directory and every message caught instead of shown.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/CatalogueBuilder.h"
#include "catalogue/TreeViewData.h"
#include "controls/BrowzerOutline.h"
#include "platform/TestFiles.h"
#include "shell/Messages.h"
#include "shell/Navigation.h"
#include "shell/PrintCommands.h"
#include "shell/SearchCommand.h"
#include "shell/ToolDiscMain.h"

namespace lumarc::test {

inline const char* const kMainScript =
    "OUTLINE [Gliederung] 01.05.96 {\n"
    "Willkommen [Willkommen]\n"
    "Komponenten\n"
    "  Raster [Raster]\n"
    "  Packer [Packer]\n"
    "Hinweise [Hinweise]\n"
    "}\n"
    "INFOTEXT [Willkommen] 24.12.95 {\n"
    "<F1>Willkommen auf der Scheibe\n"
    "<F0>zweite Zeile\n"
    "}\n"
    "INFOTEXT [Hinweise] 24.12.95 {\n"
    "<F1>Hinweise zur Installation\n"
    "<F2>Courier-Zeile\n"
    "}\n"
    "SHORTTEXT [Packer] 10.06.96 {\n"
    "D:\\COMPS\\PACKER.ZIP\n"
    "Packt Dateien\n"
    "}\n"
    "COMPONENT [Raster] {\n"
    "[LongName]\n"
    "Raster & Gitter\n"
    "}\n";

// A widget or action of a window, found by its object name; the test stops when there is none.
template <typename T>
T* Part(const QObject& window, const char* name)
{
    T* part = window.findChild<T*>(QString::fromLatin1(name));
    if (!part)
        throw std::logic_error(std::string("no part named ") + name);
    return part;
}

struct TMessage {
    TMessageKind Kind;
    QString Caption;
    QString Text;
};

inline void WriteCatalogue(const std::string& dir, const char* script = kMainScript)
{
    std::filesystem::create_directories(dir);
    TCatalogueBuilder builder;
    builder.AddSource("test.txt", script);
    TCatalogueBuilder::WriteCatalogue(builder.Build(), dir);
}

// The build directory, whose Data/ holds the demo catalogue and whose COMPS/ its disc.
inline std::string BuildDir()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path().string();
}

// Shows a window without a screen and lets it lay itself out.
inline void Show(QWidget& window)
{
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QCoreApplication::processEvents();
}

// Runs the event loop until `done` holds or two seconds have passed.
template <typename Pred>
bool ProcessUntil(Pred done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class TMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOldHook = SetMessageHook([this](TMessageKind kind, const QString& caption, const QString& text) {
            Messages.push_back({kind, caption, text});
        });
    }
    void TearDown() override
    {
        Window.reset();
        SetMessageHook(FOldHook);
    }

    // Opens the window on `dir`, shown without a screen so that every resize is delivered,
    // and lets the start selection's display run.
    TToolDiscMain& Open(const std::string& dir)
    {
        Window = std::make_unique<TToolDiscMain>(QString::fromStdString(dir));
        Window->setAttribute(Qt::WA_DontShowOnScreen);
        Window->show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return *Window;
    }
    // Keys reach the window's shortcuts only while it is the active window, which a window
    // without a screen never becomes.
    bool Activate()
    {
        if (Window->testAttribute(Qt::WA_DontShowOnScreen)) {
            Window->setAttribute(Qt::WA_DontShowOnScreen, false);
            Window->hide();
            Window->show();
        }
        Window->activateWindow();
        for (int i = 0; i < 100 && !Window->isActiveWindow(); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return Window->isActiveWindow();
    }
    TToolDiscMain& OpenBuilt()
    {
        WriteCatalogue(Dir / "Data");
        return Open(Dir.Path());
    }

    // The tree-data index of the node whose caption, without surrounding spaces, is `caption`.
    int Entry(const std::string& caption) const
    {
        const TTreeViewData& tree = Part<TBrowzerOutline>(*Window, "OverviewOL")->TreeData();
        for (int i = 0; i < tree.Count(); ++i) {
            const std::string_view text = tree.Texts[i];
            const size_t first = text.find_first_not_of(' ');
            const size_t last = text.find_last_not_of(' ');
            if (first != std::string::npos && text.substr(first, last - first + 1) == caption)
                return i;
        }
        ADD_FAILURE() << "no entry " << caption;
        return -1;
    }

    TTempDir Config;
    TScopedEnv ConfigHome{"XDG_CONFIG_HOME", Config.Path()};
    TScopedEnv StateHome{"XDG_STATE_HOME", Config / "state"};
    TTempDir Dir;
    std::vector<TMessage> Messages;
    std::unique_ptr<TToolDiscMain> Window;

private:
    TMessageHook FOldHook;
};

}  // namespace lumarc::test
