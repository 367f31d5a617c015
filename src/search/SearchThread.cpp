#include "SearchThread.h"

#include <QMetaObject>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "SearchFoundDlg.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CatalogueLocation.h"
#include "catalogue/TreeViewData.h"
#include "platform/Exception.h"
#include "print/core/FontTag.h"
#include "search/core/CatalogueSearch.h"
#include "widgets/AnsiText.h"

namespace lumarc {

TSearchThread::TSearchThread(std::string searchText, const TTreeViewData& treeData, std::string dataFileName,
                             TSearchfounddlg* dialog, bool caseSensitive, uint64_t serial)
    : FSearchText(std::move(searchText)),
      FCaseSensitive(caseSensitive),
      FDialog(dialog),
      FSerial(serial),
      FSearch(std::make_unique<TCatalogueSearch>(treeData, std::move(dataFileName), FSearchText, caseSensitive))
{
    FCount = FSearch->Count();
    start(QThread::LowestPriority);
}

TSearchHit ShownHit(int entry, QString text, const std::string& lineBytes, bool oem,
                    const std::vector<std::pair<size_t, size_t>>& marks)
{
    // Each byte of either code page is one UTF-16 character, so byte places are character
    // places. The font tag is cut where the shown text first differs from the stored one.
    const std::string shownBytes = oem ? lineBytes : StripFontTag(lineBytes);
    const size_t cut = lineBytes.size() - shownBytes.size();
    size_t cutAt = 0;
    while (cutAt < shownBytes.size() && shownBytes[cutAt] == lineBytes[cutAt])
        ++cutAt;
    const QString decoded = oem ? FromOem(shownBytes) : FromAnsi(shownBytes);
    qsizetype lead = 0;
    while (lead < decoded.size() && decoded[lead].isSpace())
        ++lead;
    const QString line = decoded.trimmed();
    QList<std::pair<int, int>> shownMarks;
    for (auto [start, length] : marks) {
        size_t end = start + length;
        // Places inside the tag go, places after it move up.
        const auto shift = [&](size_t at) { return at <= cutAt ? at : at < cutAt + cut ? cutAt : at - cut; };
        start = shift(start);
        end = shift(end);
        const qsizetype from = std::max<qsizetype>(0, static_cast<qsizetype>(start) - lead);
        const qsizetype to = std::min<qsizetype>(line.size(), static_cast<qsizetype>(end) - lead);
        if (to > from)
            shownMarks.append({static_cast<int>(from), static_cast<int>(to - from)});
    }
    return TSearchHit(entry, std::move(text), line, std::move(shownMarks));
}

TSearchThread::TSearchThread(std::string searchText, std::vector<TSearchSource> sources, TSearchfounddlg* dialog,
                             bool caseSensitive, uint64_t serial)
    : FSearchText(std::move(searchText)),
      FCaseSensitive(caseSensitive),
      FDialog(dialog),
      FSerial(serial),
      FSources(std::move(sources))
{
    for (size_t i = 0; i < FSources.size(); ++i)
        FParts.push_back(std::make_unique<TPart>());
    start(QThread::LowestPriority);
}

TSearchThread::~TSearchThread()
{
    Terminate();
    wait();
}

void TSearchThread::run()
{
    if (FSearchText.empty())
        return;
    std::string error;
    try {
        if (FSearch)
            Execute();
        else
            ExecuteLibrary();
    } catch (const std::exception& e) {
        error = e.what();
        if (error.empty())
            error = "?";
    }
    if (!Terminated())
        EndSearch(error);
}

void TSearchThread::Execute()
{
    using Clock = std::chrono::steady_clock;
    const auto interval = std::chrono::milliseconds(kUpdateIntervalMs);
    auto lastPost = Clock::now();
    TSearchProgress pending;
    std::string hitText;
    TSearchMatcher::TMatchedLine line;
    // Whatever was found before an error is still reported.
    struct TFlush {
        TSearchThread& Thread;
        TSearchProgress& Pending;
        ~TFlush()
        {
            if (!Thread.Terminated() && (Pending.Searched >= 0 || !Pending.Hits.empty()))
                Thread.Post(std::move(Pending));
        }
    } flush{*this, pending};
    FSearch->ScanStoredText();
    for (FIndex = 0; FIndex < FCount; ++FIndex) {
        if (!Pause())
            return;
        if (FSearch->SearchEntry(FIndex, hitText, &line)) {
            pending.Hits.push_back(ShownHit(FIndex, FromAnsi(hitText), line.Bytes, line.Oem, line.Marks));
            ++FHitCount;
        }
        pending.Searched = FIndex;
        const bool full = pending.Hits.size() >= kMaxHitsPerReport;
        // The window's thread lists hits more slowly than a search that matches nearly every
        // entry finds them: a full report waits until the one before it has been listed, so
        // that reports never pile up into one long wait of the window.
        while (full && FReportsWaiting->load() > 0 && !Terminated())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const auto now = Clock::now();
        if (now - lastPost >= interval || full) {
            Post(std::move(pending));
            pending = TSearchProgress();
            lastPost = now;
        }
    }
}

bool TSearchThread::Pause()
{
    if (Terminated())
        return false;
    const std::chrono::microseconds pause(FEntryPause.load());
    if (pause.count() > 0)
        std::this_thread::sleep_for(pause);
    return true;
}

// What has been found in one catalogue of the library, shared between the thread that
// searches it and the one that reports.
struct TSearchThread::TPart {
    std::vector<TSearchHit> Hits;
    int Searched = 0;
    bool Done = false;
};

void TSearchThread::SearchSource(size_t source)
{
    TPart& part = *FParts[source];
    const auto add = [&](TSearchHit hit) {
        hit.Source = static_cast<int>(source);
        const std::lock_guard lock(FPartsMutex);
        part.Hits.push_back(std::move(hit));
    };
    // What went wrong before the first entry keeps the whole catalogue from being searched; what
    // went wrong after ends its search where it was, its hits so far kept.
    bool opened = false;
    try {
        const TCatalogueLocation location = LocateCatalogue(FSources[source].Place);
        TBrowzerContainer container;
        container.DataFileName = location.DataFileName;
        container.IndexFileName = location.IndexFileName;
        TTreeViewData tree;
        try {
            container.SetActive(true);
            container.CheckVersion();
        } catch (const EStreamError&) {
            throw std::runtime_error(CatalogueNotFoundMessage(location));
        }
        container.LoadOutline(tree);
        TCatalogueSearch search(std::shared_ptr<const TCaptionList>(std::shared_ptr<void>(), &tree.Texts),
                                location.DataFileName, FSearchText, FCaseSensitive);
        search.ScanStoredText();
        opened = true;
        std::string hitText;
        TSearchMatcher::TMatchedLine line;
        for (int entry = 0; entry < search.Count(); ++entry) {
            if (!Pause())
                break;
            if (search.SearchEntry(entry, hitText, &line))
                add(ShownHit(entry, FromAnsi(hitText), line.Bytes, line.Oem, line.Marks));
            const std::lock_guard lock(FPartsMutex);
            ++part.Searched;
        }
    } catch (const std::exception& e) {
        add(TSearchHit(-1, (opened ? QStringLiteral("vorzeitig beendet: ") : QStringLiteral("nicht durchsucht: ")) +
                               QString::fromUtf8(e.what())));
    }
    const std::lock_guard lock(FPartsMutex);
    part.Done = true;
    FPartsChanged.notify_all();
}

void TSearchThread::ExecuteLibrary()
{
    // Each helper takes the next catalogue not yet taken; this thread reports what they found,
    // catalogue after catalogue.
    std::atomic<size_t> next{0};
    const auto work = [this, &next] {
        for (size_t source = next++; source < FSources.size() && !Terminated(); source = next++)
            SearchSource(source);
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::jthread> helpers;
    for (size_t i = 0; i < std::min<size_t>(cores, FSources.size()); ++i)
        helpers.emplace_back(work);
    size_t reported = 0;  // the catalogue whose hits are reported now
    size_t hitsReported = 0;
    int searchedBefore = 0;  // in the catalogues reported whole
    bool more = false;       // the last report left hits behind
    while (!helpers.empty() && reported < FSources.size()) {
        TSearchProgress progress;
        {
            std::unique_lock lock(FPartsMutex);
            if (!more)
                FPartsChanged.wait_for(lock, std::chrono::milliseconds(kUpdateIntervalMs));
            if (Terminated())
                return;
            int searched = searchedBefore;
            for (size_t source = reported; source < FSources.size(); ++source)
                searched += FParts[source]->Searched;
            // A report holds at most kMaxHitsPerLibraryReport hits: the helpers take the cores
            // the window's thread lists them on.
            while (reported < FSources.size() && progress.Hits.size() < kMaxHitsPerLibraryReport) {
                TPart& part = *FParts[reported];
                const size_t take = std::min(part.Hits.size() - hitsReported, kMaxHitsPerLibraryReport - progress.Hits.size());
                const auto from = std::make_move_iterator(part.Hits.begin() + static_cast<ptrdiff_t>(hitsReported));
                progress.Hits.insert(progress.Hits.end(), from, from + static_cast<ptrdiff_t>(take));
                hitsReported += take;
                if (!part.Done || hitsReported < part.Hits.size())
                    break;
                // Freed here, not by the window's thread when it lets go of this one.
                part.Hits = {};
                searchedBefore += part.Searched;
                ++reported;
                hitsReported = 0;
            }
            more = progress.Hits.size() >= kMaxHitsPerLibraryReport;
            FHitCount += static_cast<int>(progress.Hits.size());
            progress.Searched = searched - 1;
        }
        // A full report waits until the one before it has been listed.
        while (more && FReportsWaiting->load() > 0 && !Terminated())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        Post(std::move(progress));
    }
}

void TSearchThread::Post(TSearchProgress progress)
{
    TSearchfounddlg* dialog = FDialog;
    const uint64_t serial = FSerial;
    // Queued to the dialog's thread; dropped by Qt when the dialog is gone by then. The count
    // is shared, as a report may be taken after this thread object has gone.
    FReportsWaiting->fetch_add(1);
    QMetaObject::invokeMethod(
        dialog,
        [dialog, serial, progress = std::move(progress), waiting = FReportsWaiting] {
            dialog->AddProgress(serial, progress);
            waiting->fetch_sub(1);
        },
        Qt::QueuedConnection);
}

void TSearchThread::EndSearch(const std::string& error)
{
    TSearchfounddlg* dialog = FDialog;
    const uint64_t serial = FSerial;
    QMetaObject::invokeMethod(
        dialog, [dialog, serial, error] { dialog->EndSearch(serial, error); }, Qt::QueuedConnection);
}

}  // namespace lumarc
