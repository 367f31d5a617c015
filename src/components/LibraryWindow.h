#pragma once
// "Bibliothek": the catalogues the user opened or added, with their disc label, title, place,
// size and when they were last opened; a catalogue whose places are all gone is greyed out.
// Catalogues, images and folders are added (a folder is searched in the background, with a
// progress window that can stop it), a catalogue is forgotten (its files stay) or opened.
// Non-modal.

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

namespace lumarc {

class TLibraryWindow final : public QDialog {
    Q_OBJECT

public:
    explicit TLibraryWindow(QWidget* parent = nullptr);
    // Stops a folder search that runs and waits for it.
    ~TLibraryWindow() override;

    // Reads the library again (lumarc-cli or the viewer may have written since).
    void Refresh();
    // Adds catalogues, images and folders in the background; Refresh follows.
    void AddPaths(const QStringList& paths);
    bool Adding() const;

    // What "Hinzufügen..." asks for (the file dialogs), how the outcome is told (a plain box);
    // replaceable.
    std::function<QStringList()> ChooseFiles;
    std::function<QString()> ChooseFolder;
    std::function<void(const QString& caption, const QString& text)> Tell;

signals:
    // "Öffnen", Enter or a double click: the catalogue's first place that is there.
    void OpenCatalogue(const QString& place);
    // After catalogues were added or one was forgotten.
    void LibraryChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct TParts;
    std::unique_ptr<TParts> F;
};

}  // namespace lumarc
