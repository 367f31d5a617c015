#include "SearchCommand.h"

#include <QListWidget>

#include <algorithm>
#include <exception>
#include <map>
#include <vector>

#include "LibraryCommands.h"
#include "Messages.h"
#include "TermMarks.h"
#include "ToolDiscMain.h"
#include "controls/BrowzerOutline.h"
#include "install/core/InstallStore.h"
#include "install/core/Library.h"
#include "search/HitList.h"
#include "search/SearchDlg.h"
#include "search/SearchFoundDlg.h"

namespace lumarc {

TSearchCommand::TSearchCommand(TToolDiscMain& main)
    : FMain(main),
      FSearchDialog(std::make_unique<TSearchdlg>(&main)),
      FResultsDialog(std::make_unique<TSearchfounddlg>(&main))
{
    FResultsDialog->SetCatalogue(&main.Outline(), &main.BrowzerContainer());
    FResultsDialog->SetSearchDialog(FSearchDialog.get());
    // An opened hit is shown at once, with its terms marked.
    QObject::connect(FResultsDialog.get(), &TSearchfounddlg::OutlineClick, &main, [this] {
        FMain.OverviewOLClick();
        FMain.TermMarks().Mark(FResultsDialog->Terms(), FResultsDialog->CaseSensitive());
    });
    FResultsDialog->StartLibrary = [this] { Start(); };
    FResultsDialog->ShownPlace = [this] { return LibraryPlaceOf(FMain.Catalogue().toStdString()); };
    // A hit of another catalogue of the library opens it as "Katalog öffnen" does: when it
    // cannot be read, the shown one stays and the user learns why.
    QObject::connect(FResultsDialog.get(), &TSearchfounddlg::OpenOtherCatalogue, &main,
                     [this](const QString& place, int entry) {
                         if (!FMain.OpenAnotherCatalogue(place))
                             return;
                         try {
                             FMain.Outline().SelectEntry(entry);
                         } catch (const std::exception& e) {
                             FMain.ReportCatalogueError(e);
                             return;
                         }
                         FResultsDialog->hide();
                         emit FResultsDialog->OutlineClick();
                     });
}

TSearchCommand::~TSearchCommand()
{
    FResultsDialog->StopAndJoinAll();
}

void TSearchCommand::SBSearchClick()
{
    if (FResultsDialog->SrchOutputListBox->count() > 0) {
        FResultsDialog->show();
        FResultsDialog->raise();
        return;
    }
    if (FSearchDialog->Execute())
        Start();
}

void TSearchCommand::Start()
{
    if (!FSearchDialog->WholeLibrary) {
        FResultsDialog->StartSearch(FSearchDialog->SearchText, FSearchDialog->CaseSensitive);
        return;
    }
    // The catalogue shown is in the library once its opening is recorded.
    FMain.LibraryCommands().WaitForRecord();
    std::vector<TSearchSource> sources;
    const std::string shown = LibraryPlaceOf(FMain.Catalogue().toStdString());
    try {
        TInstallStore store;
        std::map<QString, int> named;
        for (const TLibraryCatalogue& catalogue : TLibrary(store).Catalogues()) {
            TSearchSource source;
            source.Name = QString::fromStdString(catalogue.Label.value_or(catalogue.Title)).trimmed();
            // Editions of one title, or discs without a label, would be one name in the list:
            // the second and each after it is told apart by its number.
            if (const int times = ++named[source.Name]; times > 1)
                source.Name += QStringLiteral(" (%1)").arg(times);
            const bool isShown = std::any_of(catalogue.Places.begin(), catalogue.Places.end(),
                                             [&shown](const TLibraryPlace& place) { return place.Path == shown; });
            // The catalogue shown is searched where it is shown from, so that its hits open in
            // place; one that is nowhere is named in the list as not searched.
            source.Place = isShown ? shown : FirstPlace(catalogue);
            sources.push_back(std::move(source));
        }
    } catch (const std::exception& e) {
        ShowMessage(TMessageKind::mkMsgBox, QStringLiteral("Bibliothek"), QString::fromUtf8(e.what()));
        return;
    }
    if (sources.empty()) {
        ShowMessage(TMessageKind::mkMsgBox, QStringLiteral("Bibliothek"),
                    QStringLiteral("Die Bibliothek ist leer: es gibt keinen Katalog, der durchsucht werden könnte."));
        return;
    }
    FResultsDialog->StartLibrarySearch(FSearchDialog->SearchText, FSearchDialog->CaseSensitive, std::move(sources));
}

}  // namespace lumarc
