#pragma once
// The results dialog of the full-text search: the hits of the running or last search, listed
// while the search goes on; OK or a double click shows the selected hit in the main window.
// It owns the search threads it starts: a search replaced by a new one is told to stop, its
// later reports are dropped, and every thread is joined before the dialog is gone.

#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SearchThread.h"

class QFrame;
class QLabel;
class QPushButton;

namespace lumarc {

class TBrowzerContainer;
class TBrowzerOutline;
class THitList;
class TSearchThread;
class TSearchdlg;
struct TSearchProgress;

class TSearchfounddlg : public QDialog {
    Q_OBJECT

public:
    // The designed size, which is also the smallest: the user may make the dialog larger.
    static constexpr int kDesignWidth = 382;
    static constexpr int kDesignHeight = 309;

    explicit TSearchfounddlg(QWidget* parent = nullptr);
    ~TSearchfounddlg() override;

    // What a search reads and where a hit is shown; neither is owned. The outline's data and
    // the container's data file name are taken when a search starts.
    void SetCatalogue(TBrowzerOutline* outline, const TBrowzerContainer* container);
    void SetSearchDialog(TSearchdlg* dialog) { FSearchDialog = dialog; }

    // Stops the running search, if any, and starts one for `searchText`: the caption names
    // the query, the list is emptied and the dialog shown. An empty query starts nothing.
    void StartSearch(const QString& searchText, bool caseSensitive);
    // The same over the catalogues of the library, in their order; the list then names each
    // hit's catalogue. `sources` empty: nothing starts.
    void StartLibrarySearch(const QString& searchText, bool caseSensitive, std::vector<TSearchSource> sources);
    // Where the catalogue shown is, as the library names places: a hit elsewhere is opened
    // through OpenOtherCatalogue. Set by the main window.
    std::function<std::string()> ShownPlace;
    // Starts a search of the library as the search dialog asks for it (Neue Suche).
    std::function<void()> StartLibrary;
    // Tells the running search to stop; its reports no longer reach the dialog.
    void StopSearch();
    // Stops every search this dialog started and waits for their threads.
    void StopAndJoinAll();
    // For another catalogue: every search stopped and joined, the list emptied, the dialog
    // hidden, so that no hit of the old catalogue is shown or opened. The hits of a search of
    // the library name their catalogues: they stay, and so does that search.
    void Reset();

    // The terms of the last search started, decoded, and its case rule: what an opened hit
    // marks.
    QStringList Terms() const;
    bool CaseSensitive() const { return FCaseSensitive; }

    // The running search; null when none runs.
    TSearchThread* SearchThread() const { return FSearchThread.get(); }
    // The entry number attached to list item `row`.
    int EntryOf(int row) const;

    // The reports of a search thread, in the dialog's thread. Reports of a search other than
    // the running one are dropped.
    void AddProgress(uint64_t serial, const TSearchProgress& progress);
    // `error` is empty when the search ran to its end.
    void EndSearch(uint64_t serial, const std::string& error);

    QLabel* Label1 = nullptr;
    QLabel* Searchedplaces = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Foundplaces = nullptr;
    QFrame* Bevel1 = nullptr;
    THitList* SrchOutputListBox = nullptr;
    QPushButton* NewSearchBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

signals:
    // The outline's selection is the chosen hit: show it now, without waiting for the
    // selection to be noticed.
    void OutlineClick();
    // A hit of a catalogue of the library other than the one shown was chosen.
    void OpenOtherCatalogue(const QString& place, int entry);

public slots:
    void OKBtnClick();
    void SrchOutputListBoxDblClick();
    void CancelBtnClick();
    void NewSearchBtnClick();

protected:
    // The list and the buttons follow the dialog's size; the counters stay where they are.
    void resizeEvent(QResizeEvent* event) override;

private:
    // Empty list, no counts, the first title: as before any search.
    void ShowFresh();
    QString Caption(const QString& state) const;
    // Sets the caption with the state, the query shortened in its middle to fit the title.
    void ShowCaption(const QString& state);
    void ClearResults();
    void ReleaseFinished();

    TBrowzerOutline* FOutline = nullptr;
    const TBrowzerContainer* FContainer = nullptr;
    TSearchdlg* FSearchDialog = nullptr;
    std::unique_ptr<TSearchThread> FSearchThread;
    // Stopped searches still winding down; joined once they have ended.
    std::vector<std::unique_ptr<TSearchThread>> FStopped;
    uint64_t FSerial = 0;
    uint64_t FShownSerial = 0;  // the search whose reports the dialog shows
    QString FSearchText;
    // The state the caption shows after the query; null while the window shows no search.
    QString FCaptionState;
    bool FSearchStarted = false;
    bool FCaseSensitive = false;
    int FHitCount = 0;
    // The catalogues of the search of the library shown; empty for a search of one catalogue.
    std::vector<TSearchSource> FSources;
};

}  // namespace lumarc
