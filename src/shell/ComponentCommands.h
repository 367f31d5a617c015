#pragma once
// The "Komponenten" menu of the main window: the component list and the list of installations,
// which follow the catalogue the window shows, and the check marks of what was installed from
// it.

#include <QByteArray>
#include <QVariantMap>

class QWidget;

#include <memory>
#include <string>

namespace lumarc {

class TComponentListWindow;
class TInstallStore;
class TInstalledWindow;
class TToolDiscMain;

class TComponentCommands {
public:
    explicit TComponentCommands(TToolDiscMain& main);
    ~TComponentCommands();

    void ShowList();
    void ShowInstalled();
    // After another catalogue was opened: the list reads its rows (when shown), the marks follow.
    void CatalogueOpened();
    // After an installation or a removal.
    void RefreshMarks();
    // With the main window.
    void CloseWindows();

    TComponentListWindow& List() const;
    TInstalledWindow& Installed() const;

    // What the session keeps of the list.
    QByteArray ListGeometry() const;
    QVariantMap ListFilters() const;
    void RestoreList(const QByteArray& geometry, const QVariantMap& filters);

private:
    void ShowEntry(int entry);
    void PlaceOnce(QWidget& window, bool& placed) const;
    TInstallStore& Store();

    TToolDiscMain& FMain;
    std::unique_ptr<TComponentListWindow> FList;
    std::unique_ptr<TInstalledWindow> FInstalled;
    std::unique_ptr<TInstallStore> FStore;
    std::string FCatalogueId;
    // The list shows the rows of the catalogue shown; false after another one was opened.
    bool FListCurrent = false;
    bool FListPlaced = false;
    bool FInstalledPlaced = false;
};

}  // namespace lumarc
