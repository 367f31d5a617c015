#include "ComponentRowsThread.h"

#include <QElapsedTimer>
#include <QMetaObject>

#include <exception>
#include <utility>

#include "catalogue/BrowzerContainer.h"

namespace lumarc {

TComponentRowsThread::TComponentRowsThread(std::string dataFileName, std::string indexFileName,
                                           std::vector<TComponentEntry> entries, QObject* receiver, TDeliver deliver)
    : FDataFileName(std::move(dataFileName)),
      FIndexFileName(std::move(indexFileName)),
      FEntries(std::move(entries)),
      FReceiver(receiver),
      FDeliver(std::move(deliver))
{
}

TComponentRowsThread::~TComponentRowsThread()
{
    Terminate();
    wait();
}

void TComponentRowsThread::Send(TRowBatch batch)
{
    // Queued to the receiver's object: a receiver already gone drops the call.
    QMetaObject::invokeMethod(
        FReceiver.data(), [deliver = FDeliver, batch = std::move(batch)]() mutable { deliver(std::move(batch)); },
        Qt::QueuedConnection);
}

void TComponentRowsThread::run()
{
    TBrowzerContainer container;
    container.DataFileName = FDataFileName;
    container.IndexFileName = FIndexFileName;
    TRowBatch batch;
    QElapsedTimer sinceSent;
    sinceSent.start();
    bool first = true;
    try {
        container.SetActive(true);
    } catch (const std::exception&) {
        // The disc went away since the outline was read: every row is unreadable.
        batch.Unreadable = static_cast<int>(FEntries.size());
        FEntries.clear();
    }
    for (const TComponentEntry& entry : FEntries) {
        if (FTerminated.load())
            return;
        try {
            batch.Rows.push_back(ReadComponentRow(container, entry));
        } catch (const std::exception&) {
            ++batch.Unreadable;
        }
        if ((first && batch.Rows.size() >= kFirstBatchRows) || sinceSent.elapsed() >= kBatchIntervalMs) {
            Send(std::exchange(batch, TRowBatch()));
            sinceSent.restart();
            first = false;
        }
    }
    batch.Last = true;
    Send(std::move(batch));
}

}  // namespace lumarc
