#include "SearchThread.h"

#include <QMetaObject>

#include <chrono>
#include <thread>

#include "SearchFoundDlg.h"
#include "platform/CodePage.h"
#include "search/core/CatalogueSearch.h"

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
        Execute();
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
    const std::chrono::microseconds pause(FEntryPause.load());
    for (FIndex = 0; FIndex < FCount; ++FIndex) {
        if (Terminated())
            return;
        if (pause.count() > 0)
            std::this_thread::sleep_for(pause);
        if (FSearch->SearchEntry(FIndex, hitText)) {
            pending.Hits.emplace_back(FIndex, QString::fromStdString(Cp1252ToUtf8(hitText)));
            ++FHitCount;
        }
        pending.Searched = FIndex;
        const auto now = Clock::now();
        if (now - lastPost >= interval) {
            Post(std::move(pending));
            pending = TSearchProgress();
            lastPost = now;
        }
    }
}

void TSearchThread::Post(TSearchProgress progress)
{
    TSearchfounddlg* dialog = FDialog;
    const uint64_t serial = FSerial;
    // Queued to the dialog's thread; dropped by Qt when the dialog is gone by then.
    QMetaObject::invokeMethod(
        dialog, [dialog, serial, progress = std::move(progress)] { dialog->AddProgress(serial, progress); },
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
