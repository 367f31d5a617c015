#pragma once
// One full-text search in a thread of its own. It reads the catalogue through a handle of its
// own (TCatalogueSearch), so no read waits for the window, and it reports to the results
// dialog through queued calls, at most one every kUpdateInterval unless kMaxHitsPerReport hits
// are waiting: the hits found since the last report, in entry order, and the entry reached. The owner stops it with Terminate and
// joins it with wait() before anything the thread reports to is destroyed.

#include <QList>
#include <QString>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace lumarc {

class TCatalogueSearch;
class TSearchfounddlg;
class TTreeViewData;

// One hit, decoded in the search's thread.
struct TSearchHit {
    TSearchHit(int entry, QString text, QString line = QString(), QList<std::pair<int, int>> marks = {})
        : Entry(entry), Text(std::move(text)), Line(std::move(line)), Marks(std::move(marks))
    {
    }
    int Entry;  // -1 for a catalogue of the library that could not be searched
    QString Text;   // as the list shows it: the caption or a short text's file name
    QString Line;   // the line that matched, as shown on its page, trimmed
    QList<std::pair<int, int>> Marks;  // where the terms stand in Line: start and length
    int Source = -1;  // in a search of the library: which of its catalogues
};

// A catalogue of a search over the library: its name in the results list and where it is.
struct TSearchSource {
    QString Name;
    std::string Place;
};

// What a search found since its last report.
struct TSearchProgress {
    int Searched = -1;  // the last entry searched, -1 before the first
    std::vector<TSearchHit> Hits;
};

// A matched line as it is shown: decoded from its code page, without the font tag of an
// info text's line, trimmed; the marks follow the characters they stood on.
TSearchHit ShownHit(int entry, QString text, const std::string& lineBytes, bool oem,
                    const std::vector<std::pair<size_t, size_t>>& marks);

class TSearchThread final : public QThread {
    Q_OBJECT

public:
    static constexpr int kUpdateIntervalMs = 30;
    // A report is also sent once it holds this many hits: the window's thread lists one report
    // without a break, and a query that matches nearly everything must not hold it up.
    static constexpr size_t kMaxHitsPerReport = 1000;
    // A search of the library leaves the window's thread less of the machine: it is given
    // less to list at a time.
    static constexpr size_t kMaxHitsPerLibraryReport = 500;

    // Takes what it needs of the outline data at once and starts the search at the lowest
    // priority; reports go to `dialog` tagged with `serial`, so that the dialog can tell the
    // reports of the search it waits for from those of an older one.
    TSearchThread(std::string searchText, const TTreeViewData& treeData, std::string dataFileName,
                  TSearchfounddlg* dialog, bool caseSensitive, uint64_t serial);
    // A search of several catalogues, read from their places, side by side on the machine's
    // cores; the hits are reported grouped by catalogue in the order given, each group in
    // entry order. A catalogue that cannot be read is reported as a hit without entry, and the
    // search goes on.
    TSearchThread(std::string searchText, std::vector<TSearchSource> sources, TSearchfounddlg* dialog,
                  bool caseSensitive, uint64_t serial);
    // Stops the search and waits for the thread.
    ~TSearchThread() override;

    // A pause before every entry, for all searches started afterwards: tests slow the search
    // down with it so that they can watch it run on a busy machine. 0 (no pause) by default.
    static void SetEntryPause(std::chrono::microseconds pause) { FEntryPause.store(pause.count()); }

    // Asks the search to stop before its next entry; does not wait.
    void Terminate() { FTerminated.store(true); }
    bool Terminated() const { return FTerminated.load(); }
    uint64_t Serial() const { return FSerial; }
    const std::string& SearchText() const { return FSearchText; }

protected:
    void run() override;

private:
    void Execute();
    void ExecuteLibrary();
    // Searches catalogue `source` of the library into its part of FParts.
    void SearchSource(size_t source);
    bool Pause();
    void Post(TSearchProgress progress);
    void EndSearch(const std::string& error);

    std::string FSearchText;
    bool FCaseSensitive;
    TSearchfounddlg* FDialog;
    uint64_t FSerial;
    std::unique_ptr<TCatalogueSearch> FSearch;
    std::vector<TSearchSource> FSources;
    struct TPart;
    std::vector<std::unique_ptr<TPart>> FParts;
    std::mutex FPartsMutex;
    std::condition_variable FPartsChanged;
    int FCount = 0;
    int FIndex = 0;
    int FHitCount = 0;
    std::atomic<bool> FTerminated{false};
    // Reports posted and not yet taken by the dialog.
    std::shared_ptr<std::atomic<int>> FReportsWaiting = std::make_shared<std::atomic<int>>(0);
    static inline std::atomic<int64_t> FEntryPause{0};
};

}  // namespace lumarc
