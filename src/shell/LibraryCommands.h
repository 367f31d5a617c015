#pragma once
// "Bibliothek..." in the Datei menu, and the library's record of what was opened: each
// catalogue the window opens is added (or its place noted as opened) in the background, so
// that opening waits for no database.

#include <QString>

#include <memory>
#include <thread>

namespace lumarc {

class TLibraryWindow;
class TToolDiscMain;

class TLibraryCommands {
public:
    explicit TLibraryCommands(TToolDiscMain& main);
    // Waits for the record of the last opening.
    ~TLibraryCommands();

    void ShowWindow();
    // After the window opened `catalogue` (as given).
    void CatalogueOpened(const QString& catalogue);
    void CloseWindow();
    TLibraryWindow& Window() const;
    // Waits until the last opening is recorded (for whoever reads the library next).
    void WaitForRecord();

    // The screenshot mode leaves the library alone.
    static void SetRecording(bool record) { FRecording = record; }

private:
    TToolDiscMain& FMain;
    std::unique_ptr<TLibraryWindow> FWindow;
    std::jthread FRecorder;
    bool FPlaced = false;
    static inline bool FRecording = true;
};

}  // namespace lumarc
