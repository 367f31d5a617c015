#pragma once

#include <pthread.h>
#include <sched.h>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace lumarc {

// A thread started before there is work for it, which then takes one task at a time. A new
// thread was queued behind its busy parent on the parent's processor and ran up to 4 ms later,
// a third of a search of a large catalogue, and a processor gone idle took up to 3 ms more to
// wake on a virtual machine. The helper is started on another processor when the command
// starts, and runs by the time the work is there; between tasks it spins a while, so that its
// processor stays awake, then sleeps (a disc may take long to open).
class TReadyHelper {
public:
    TReadyHelper();
    ~TReadyHelper();
    TReadyHelper(const TReadyHelper&) = delete;
    TReadyHelper& operator=(const TReadyHelper&) = delete;

    // Hands `task` to the helper, which must have finished the one before (Wait).
    void Post(std::function<void()> task);
    // Waits until the task posted last has run, spinning a while first.
    void Wait();
    // Waits, then raises what a task raised.
    void Rethrow();

private:
    static void* Start(void* helper);
    void Run();

    std::function<void()> FTask;
    std::exception_ptr FFailure;
    std::atomic<unsigned> FPosted{0};
    std::atomic<unsigned> FDone{0};
    std::atomic<bool> FClosing{false};
    cpu_set_t FAllowed{};  // the processors the program may run on
    bool FPlaced = false;   // started on the others
    pthread_t FThread{};
    bool FStarted = false;
};

// Waits for the helpers however the block it stands in is left: their tasks use what it holds.
class TAwaitHelpers {
public:
    explicit TAwaitHelpers(TReadyHelper* helper)
    {
        if (helper)
            FHelpers.push_back(helper);
    }
    explicit TAwaitHelpers(const std::vector<std::unique_ptr<TReadyHelper>>& helpers)
    {
        for (const auto& helper : helpers)
            FHelpers.push_back(helper.get());
    }
    ~TAwaitHelpers()
    {
        for (TReadyHelper* helper : FHelpers)
            helper->Wait();
    }
    TAwaitHelpers(const TAwaitHelpers&) = delete;
    TAwaitHelpers& operator=(const TAwaitHelpers&) = delete;

private:
    std::vector<TReadyHelper*> FHelpers;
};

}  // namespace lumarc
