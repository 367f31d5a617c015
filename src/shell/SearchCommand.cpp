#include "SearchCommand.h"

#include <QListWidget>

#include "TermMarks.h"
#include "ToolDiscMain.h"
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
        FResultsDialog->StartSearch(FSearchDialog->SearchText, FSearchDialog->CaseSensitive);
}

}  // namespace lumarc
