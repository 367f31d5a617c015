#include "LibraryCommands.h"

#include <QPointer>

#include <exception>
#include <string>

#include "ScreenRoom.h"
#include "ToolDiscMain.h"
#include "components/LibraryWindow.h"
#include "install/core/InstallStore.h"
#include "install/core/Library.h"

namespace lumarc {

TLibraryCommands::TLibraryCommands(TToolDiscMain& main)
    : FMain(main), FWindow(std::make_unique<TLibraryWindow>(&main))
{
    QObject::connect(FWindow.get(), &TLibraryWindow::OpenCatalogue, &main, [this](const QString& place) {
        if (FMain.OpenAnotherCatalogue(place)) {
            FMain.raise();
            FMain.activateWindow();
        }
    });
}

TLibraryCommands::~TLibraryCommands()
{
    WaitForRecord();
}

void TLibraryCommands::WaitForRecord()
{
    if (FRecorder.joinable())
        FRecorder.join();
}

void TLibraryCommands::ShowWindow()
{
    WaitForRecord();
    if (!FPlaced) {
        // Over the main window the first time, within the screen.
        PlaceOver(*FWindow, FMain);
        FPlaced = true;
    }
    FWindow->show();
    FWindow->raise();
    FWindow->activateWindow();
}

void TLibraryCommands::CatalogueOpened(const QString& catalogue)
{
    if (!FRecording)
        return;
    WaitForRecord();
    QPointer<TLibraryWindow> window(FWindow.get());
    FRecorder = std::jthread([catalogue = catalogue.toStdString(), window] {
        try {
            TInstallStore store;
            TLibrary library(store);
            if (const auto added = library.Add(catalogue))
                library.Opened(added->Place);
        } catch (const std::exception&) {
            // A library that cannot be written costs the record, not the catalogue shown.
            return;
        }
        QMetaObject::invokeMethod(
            window,
            [window] {
                if (window && window->isVisible())
                    window->Refresh();
            },
            Qt::QueuedConnection);
    });
}

void TLibraryCommands::CloseWindow()
{
    FWindow->close();
}

TLibraryWindow& TLibraryCommands::Window() const
{
    return *FWindow;
}

}  // namespace lumarc
