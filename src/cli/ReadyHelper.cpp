#include "ReadyHelper.h"

#include <sched.h>

#include <chrono>
#include <exception>
#include <utility>
#include <thread>

namespace lumarc {

namespace {

constexpr auto kSpin = std::chrono::milliseconds(20);

// Spins until `value` differs from `was` or kSpin has passed, then sleeps until it does.
void AwaitChange(const std::atomic<unsigned>& value, unsigned was)
{
    const auto until = std::chrono::steady_clock::now() + kSpin;
    while (value.load(std::memory_order_acquire) == was && std::chrono::steady_clock::now() < until)
        std::this_thread::yield();
    value.wait(was, std::memory_order_acquire);
}

}  // namespace

TReadyHelper::TReadyHelper()
{
    // Placed on another processor than this busy one; it may move freely once it runs. Without a
    // thread the tasks run on the caller's (Post runs them at once).
    cpu_set_t others;
    pthread_attr_t attributes;
    ::pthread_attr_init(&attributes);
    if (::sched_getaffinity(0, sizeof FAllowed, &FAllowed) == 0) {
        others = FAllowed;
        const int current = ::sched_getcpu();
        if (current >= 0)
            CPU_CLR(current, &others);
        FPlaced = CPU_COUNT(&others) > 0 && ::pthread_attr_setaffinity_np(&attributes, sizeof others, &others) == 0;
    }
    FStarted = ::pthread_create(&FThread, &attributes, &TReadyHelper::Start, this) == 0;
    ::pthread_attr_destroy(&attributes);
}

TReadyHelper::~TReadyHelper()
{
    Wait();
    if (!FStarted)
        return;
    FClosing = true;
    Post(nullptr);
    ::pthread_join(FThread, nullptr);
}

void* TReadyHelper::Start(void* started)
{
    auto* helper = static_cast<TReadyHelper*>(started);
    if (helper->FPlaced)
        ::pthread_setaffinity_np(::pthread_self(), sizeof helper->FAllowed, &helper->FAllowed);
    helper->Run();
    return nullptr;
}

void TReadyHelper::Post(std::function<void()> task)
{
    if (!FStarted) {
        if (task)
            task();
        return;
    }
    FTask = std::move(task);
    FPosted.fetch_add(1, std::memory_order_release);
    FPosted.notify_one();
}

void TReadyHelper::Wait()
{
    if (!FStarted)
        return;
    // Spinning too: a caller that slept would wait as long for its own processor to wake.
    const unsigned posted = FPosted.load(std::memory_order_relaxed);
    for (unsigned done = FDone.load(std::memory_order_acquire); done != posted;
         done = FDone.load(std::memory_order_acquire))
        AwaitChange(FDone, done);
}

void TReadyHelper::Rethrow()
{
    Wait();
    if (FFailure)
        std::rethrow_exception(std::exchange(FFailure, nullptr));
}

void TReadyHelper::Run()
{
    for (unsigned taken = 0;; ++taken) {
        AwaitChange(FPosted, taken);
        if (FClosing)
            return;
        // What a task throws is the caller's, as if it had run there.
        try {
            if (FTask)
                FTask();
        } catch (...) {
            FFailure = std::current_exception();
        }
        FDone.fetch_add(1, std::memory_order_release);
        FDone.notify_all();
    }
}

}  // namespace lumarc
