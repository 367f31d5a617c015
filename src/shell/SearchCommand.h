#pragma once

#include <memory>

namespace lumarc {

class TSearchdlg;
class TSearchfounddlg;
class TToolDiscMain;

// The main window's search command with the two dialogs it opens, which live as long as the
// window. Destroying it stops a running search and waits for its thread, before the outline
// and the catalogue go.
class TSearchCommand {
public:
    explicit TSearchCommand(TToolDiscMain& main);
    ~TSearchCommand();
    TSearchCommand(const TSearchCommand&) = delete;
    TSearchCommand& operator=(const TSearchCommand&) = delete;

    // While the results list holds hits it is shown again; otherwise the search dialog asks
    // for a query and, on OK, a new search replaces any that still runs.
    void SBSearchClick();

    TSearchdlg& SearchDialog() { return *FSearchDialog; }
    TSearchfounddlg& ResultsDialog() { return *FResultsDialog; }
    const TSearchfounddlg& ResultsDialog() const { return *FResultsDialog; }

    // Starts the search the search dialog asks for: of the catalogue shown or of the library.
    void Start();

private:
    TToolDiscMain& FMain;
    std::unique_ptr<TSearchdlg> FSearchDialog;
    std::unique_ptr<TSearchfounddlg> FResultsDialog;
};

}  // namespace lumarc
