#pragma once
// "Installierte Komponenten": what was installed, newest first, with whether its files are still
// as written; a record can be removed again (only what it wrote and nobody changed) and its
// folder opened. Non-modal.

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

namespace lumarc {

class TInstallStore;

class TInstalledWindow final : public QDialog {
    Q_OBJECT

public:
    explicit TInstalledWindow(QWidget* parent = nullptr);
    ~TInstalledWindow() override;

    // Reads the records again (the viewer or lumarc-cli may have written since).
    void Refresh();
    // How a folder is opened (the desktop's file manager), a removal confirmed (the program's
    // message box, "Nein" first) and its outcome told (a plain box); replaceable.
    std::function<bool(const QString& path)> OpenFolder;
    std::function<bool(const QString& question)> Ask;
    std::function<void(const QString& caption, const QString& text)> Tell;

signals:
    // After a record was removed.
    void RecordsChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct TParts;
    std::unique_ptr<TParts> F;
    bool FJustShown = false;
};

}  // namespace lumarc
