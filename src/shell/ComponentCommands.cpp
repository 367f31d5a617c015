#include "ComponentCommands.h"

#include <QFileInfo>

#include <exception>

#include "Messages.h"
#include "ScreenRoom.h"
#include "ToolDiscMain.h"
#include "catalogue/BrowzerContainer.h"
#include "components/ComponentListWindow.h"
#include "components/InstalledWindow.h"
#include "controls/BrowzerOutline.h"
#include "install/core/DiscIdentity.h"
#include "install/core/InstallStore.h"
#include "install/core/Uninstall.h"
#include "settings/core/Settings.h"

namespace lumarc {

TComponentCommands::TComponentCommands(TToolDiscMain& main)
    : FMain(main),
      FList(std::make_unique<TComponentListWindow>(&main)),
      FInstalled(std::make_unique<TInstalledWindow>(&main))
{
    FList->resize(980, 560);
    QObject::connect(FList.get(), &TComponentListWindow::ShowEntry, &main, [this](int entry) { ShowEntry(entry); });
    QObject::connect(FList.get(), &TComponentListWindow::InstallEntry, &main, [this](int entry) {
        ShowEntry(entry);
        FMain.SBInstallClick();
    });
    FInstalled->Tell = [](const QString& caption, const QString& text) {
        ShowMessage(TMessageKind::mkMsgBox, caption, text);
    };
    QObject::connect(FInstalled.get(), &TInstalledWindow::RecordsChanged, &main, [this] { RefreshMarks(); });
}

TComponentCommands::~TComponentCommands() = default;

TInstallStore& TComponentCommands::Store()
{
    // Damage is told by the install dialog, which opens the same database first.
    if (!FStore)
        FStore = std::make_unique<TInstallStore>();
    return *FStore;
}

void TComponentCommands::ShowList()
{
    if (!FListCurrent) {
        FList->SetUpdateDate(Settings().UpdateDate);
        const TBrowzerContainer& container = FMain.BrowzerContainer();
        FList->SetCatalogue(container.DataFileName, container.IndexFileName, FMain.Outline().TreeData());
        FListCurrent = true;
        RefreshMarks();
    }
    PlaceOnce(*FList, FListPlaced);
    FList->show();
    FList->raise();
    FList->activateWindow();
    FList->setFocus();
}

void TComponentCommands::PlaceOnce(QWidget& window, bool& placed) const
{
    if (placed)
        return;
    // Over the main window the first time, within the screen.
    PlaceOver(window, FMain);
    placed = true;
}

void TComponentCommands::ShowInstalled()
{
    PlaceOnce(*FInstalled, FInstalledPlaced);
    FInstalled->show();
    FInstalled->raise();
    FInstalled->activateWindow();
}

void TComponentCommands::CatalogueOpened()
{
    FCatalogueId.clear();
    FListCurrent = false;
    if (FList->isVisible())
        ShowList();
    else
        RefreshMarks();
}

void TComponentCommands::RefreshMarks()
{
    const TBrowzerContainer& container = FMain.BrowzerContainer();
    std::set<int> entries;
    // Nothing installed yet: no list to make, no index to hash.
    if (FStore || QFileInfo::exists(QString::fromStdString(TInstallStore::DefaultPath()))) {
        try {
            if (FCatalogueId.empty())
                FCatalogueId = CatalogueIdentity(container.DataFileName, container.IndexFileName);
            entries = InstalledEntries(Store(), FCatalogueId);
        } catch (const std::exception&) {
            // A catalogue that cannot be read now shows no marks; its commands say why.
        }
    }
    FMain.Outline().SetInstalledEntries(entries);
    FList->SetInstalledEntries(entries);
    if (FInstalled->isVisible())
        FInstalled->Refresh();
}

void TComponentCommands::CloseWindows()
{
    FList->close();
    FInstalled->close();
}

void TComponentCommands::ShowEntry(int entry)
{
    try {
        FMain.Outline().SelectEntry(entry);
    } catch (const std::exception& e) {
        FMain.ReportCatalogueError(e);
        return;
    }
    FMain.OverviewOLClick();
    FMain.raise();
    FMain.activateWindow();
}

TComponentListWindow& TComponentCommands::List() const
{
    return *FList;
}

TInstalledWindow& TComponentCommands::Installed() const
{
    return *FInstalled;
}

QByteArray TComponentCommands::ListGeometry() const
{
    return FList->saveGeometry();
}

QVariantMap TComponentCommands::ListFilters() const
{
    return FList->Filters();
}

void TComponentCommands::RestoreList(const QByteArray& geometry, const QVariantMap& filters)
{
    if (!geometry.isEmpty())
        FListPlaced = FList->restoreGeometry(geometry);
    FList->SetFilters(filters);
}

}  // namespace lumarc
