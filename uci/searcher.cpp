#include "uci/searcher.h"

#include <algorithm>
#include <chrono>
#include <system_error>

namespace {

// The timer looks at the clock at least this often, so that a clock put in
// by a test is followed as well as the steady one.
constexpr int64_t TIMER_POLL_MS = 10;

void RunSearchThread(Searcher& searcher) {
    std::unique_lock<std::mutex> guard(searcher.lock);
    for (;;) {
        searcher.changed.wait(guard, [&] { return searcher.quitting || searcher.task; });
        if (!searcher.task) return;  // quitting with nothing to do
        std::function<void()> task = std::move(searcher.task);
        searcher.task = nullptr;
        guard.unlock();
        task();
        guard.lock();
        searcher.running = false;
        searcher.changed.notify_all();
    }
}

// Sleeps until the hard limit of a running clock, then stops the search.
void RunTimerThread(Searcher& searcher) {
    std::unique_lock<std::mutex> guard(searcher.lock);
    while (!searcher.quitting) {
        const std::optional<int64_t> deadline = HardDeadline(searcher.clock);
        const bool armed = searcher.running && deadline.has_value() &&
                           !searcher.stop.requested.load(std::memory_order_relaxed);
        if (!armed) {
            searcher.changed.wait(guard);
            continue;
        }
        const int64_t left = *deadline - searcher.now();
        if (left <= 0) {
            // The search reads the flag as it goes; nobody waits for it.
            searcher.stop.requested.store(true, std::memory_order_relaxed);
            continue;
        }
        searcher.changed.wait_for(guard, std::chrono::milliseconds(std::min(left, TIMER_POLL_MS)));
    }
}

bool Released(const Searcher& searcher) { return !searcher.waitsForStop || searcher.stopCommanded; }

}  // namespace

int64_t SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Searcher::~Searcher() {
    StopSearch(*this);
    {
        std::lock_guard<std::mutex> guard(lock);
        quitting = true;
        changed.notify_all();
    }
    if (searchThread.joinable()) searchThread.join();
    if (timerThread.joinable()) timerThread.join();
}

bool MakeSearcherThreads(Searcher& searcher, std::string& error) {
    if (searcher.threadsMade) return true;
    try {
        if (!searcher.searchThread.joinable())
            searcher.searchThread = std::thread(RunSearchThread, std::ref(searcher));
        if (!searcher.timerThread.joinable())
            searcher.timerThread = std::thread(RunTimerThread, std::ref(searcher));
    } catch (const std::system_error& failure) {
        error = std::string("the search thread could not be started (") + failure.what() +
                "); searching on the input thread";
        return false;
    }
    searcher.threadsMade = true;
    return true;
}

void StartSearch(Searcher& searcher, const SearchClock& clock, bool infinite, bool ponder,
                 std::function<void()> search) {
    {
        std::lock_guard<std::mutex> guard(searcher.lock);
        searcher.stop.requested.store(false, std::memory_order_relaxed);
        searcher.stop.nodes.store(0, std::memory_order_relaxed);
        searcher.clock = clock;
        searcher.infinite = infinite;
        searcher.pondering = ponder;
        searcher.stopCommanded = false;
        searcher.running = true;
        if (searcher.threadsMade) {
            searcher.waitsForStop = infinite || ponder;
            searcher.task = std::move(search);
            searcher.changed.notify_all();
            return;
        }
        // Without a search thread nobody could say stop while the search
        // waits for it, so this one answers as soon as it is done.
        searcher.waitsForStop = false;
    }
    search();
    std::lock_guard<std::mutex> guard(searcher.lock);
    searcher.running = false;
}

void AwaitRelease(Searcher& searcher) {
    std::unique_lock<std::mutex> guard(searcher.lock);
    searcher.changed.wait(guard, [&] { return Released(searcher); });
}

bool SoftLimitPassed(Searcher& searcher) {
    std::lock_guard<std::mutex> guard(searcher.lock);
    return !MayDeepen(searcher.clock, searcher.now());
}

void StopSearch(Searcher& searcher) {
    std::unique_lock<std::mutex> guard(searcher.lock);
    if (!searcher.running) return;
    searcher.stopCommanded = true;
    searcher.stop.requested.store(true, std::memory_order_relaxed);
    searcher.changed.notify_all();
    searcher.changed.wait(guard, [&] { return !searcher.running; });
}

void WaitForSearch(Searcher& searcher) {
    std::unique_lock<std::mutex> guard(searcher.lock);
    searcher.changed.wait(guard, [&] { return !searcher.running; });
}

bool SearchIsRunning(Searcher& searcher) {
    std::lock_guard<std::mutex> guard(searcher.lock);
    return searcher.running;
}

bool SearchWaitsForStop(Searcher& searcher) {
    std::lock_guard<std::mutex> guard(searcher.lock);
    return searcher.running && searcher.waitsForStop;
}

void PonderHit(Searcher& searcher) {
    std::lock_guard<std::mutex> guard(searcher.lock);
    if (!searcher.running || !searcher.pondering) return;
    searcher.pondering = false;
    searcher.waitsForStop = searcher.infinite;
    searcher.clock.running = true;
    searcher.clock.start = searcher.now();
    searcher.changed.notify_all();
}
