#pragma once
// Reads the component rows of a catalogue in a thread of its own, through its own handle of the
// data file, so that the list fills while the user already looks at it. The rows go to the
// receiver in batches through queued calls: the first as soon as a screenful is read, then at
// most one every kBatchIntervalMs. The owner stops it with Terminate and joins it with wait()
// before the receiver goes.

#include <QObject>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "search/core/ComponentList.h"

namespace lumarc {

struct TRowBatch {
    std::vector<TComponentRow> Rows;
    int Unreadable = 0;  // records of this batch that could not be read
    bool Last = false;
};

class TComponentRowsThread final : public QThread {
public:
    static constexpr int kFirstBatchRows = 60;
    static constexpr int kBatchIntervalMs = 100;
    using TDeliver = std::function<void(TRowBatch batch)>;

    // `deliver` runs in the receiver's thread, and only while the receiver lives.
    TComponentRowsThread(std::string dataFileName, std::string indexFileName, std::vector<TComponentEntry> entries,
                         QObject* receiver, TDeliver deliver);
    ~TComponentRowsThread() override;

    void Terminate() { FTerminated.store(true); }

protected:
    void run() override;

private:
    void Send(TRowBatch batch);

    std::string FDataFileName, FIndexFileName;
    std::vector<TComponentEntry> FEntries;
    QPointer<QObject> FReceiver;
    TDeliver FDeliver;
    std::atomic<bool> FTerminated{false};
};

}  // namespace lumarc
