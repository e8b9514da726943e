#include "chess/threads.h"

#include <exception>

#include "chess/search.h"

namespace chess {

struct HelperThread {
    Worker worker{};
    int number = 0;
    uint64_t round = 0;  // the last task taken; guarded by the pool's lock
    bool quit = false;   // guarded by the pool's lock
    std::thread thread;
};

namespace {

// A helper's life: wait for a task or the end, run the task, say it is done.
void RunHelperThread(SearchThreads& pool, HelperThread& helper) {
    std::unique_lock<std::mutex> guard(pool.lock);
    for (;;) {
        pool.wake.wait(guard, [&] { return helper.quit || pool.round != helper.round; });
        if (helper.quit) return;
        helper.round = pool.round;
        HelperTask task = pool.task;
        const void* context = pool.context;
        guard.unlock();
        task(helper.worker, helper.number, context);
        guard.lock();
        if (--pool.busy == 0) pool.idle.notify_all();
    }
}

// Adds one helper, or leaves the pool as it was and says why not.
bool AddHelper(SearchThreads& pool, std::string& why) {
    try {
        pool.helpers.reserve(pool.helpers.size() + 1);
        auto helper = std::make_unique<HelperThread>();
        helper->worker.isMain = false;
        helper->number = int(pool.helpers.size()) + 1;
        helper->round = pool.round;
        HelperThread* started = helper.get();
        helper->thread = pool.startThread([&pool, started] { RunHelperThread(pool, *started); });
        pool.helpers.push_back(std::move(helper));
        return true;
    } catch (const std::exception& failure) {
        why = failure.what();
        return false;
    }
}

void EndHelpers(SearchThreads& pool, std::size_t keep) {
    {
        std::lock_guard<std::mutex> guard(pool.lock);
        for (std::size_t i = keep; i < pool.helpers.size(); ++i) pool.helpers[i]->quit = true;
    }
    pool.wake.notify_all();
    for (std::size_t i = keep; i < pool.helpers.size(); ++i)
        if (pool.helpers[i]->thread.joinable()) pool.helpers[i]->thread.join();
    pool.helpers.resize(keep);
}

}  // namespace

std::thread StartThread(std::function<void()> body) { return std::thread(std::move(body)); }

SearchThreads::SearchThreads() : main(std::make_unique<Worker>()) {}

SearchThreads::~SearchThreads() { EndHelpers(*this, 0); }

int SetSearchThreads(SearchThreads& pool, int threads, std::string& error) {
    std::size_t wanted = threads > 1 ? std::size_t(threads - 1) : 0;
    if (pool.helpers.size() > wanted) EndHelpers(pool, wanted);
    std::string why;
    while (pool.helpers.size() < wanted && AddHelper(pool, why)) {
    }
    int count = SearchThreadCount(pool);
    if (count < threads)
        error = "only " + std::to_string(count) + " of " + std::to_string(threads) +
                " search threads could be started: " + why;
    return count;
}

int SearchThreadCount(const SearchThreads& pool) { return int(pool.helpers.size()) + 1; }

void StartHelpers(SearchThreads& pool, HelperTask task, const void* context) {
    if (pool.helpers.empty()) return;
    {
        std::lock_guard<std::mutex> guard(pool.lock);
        pool.task = task;
        pool.context = context;
        pool.busy = int(pool.helpers.size());
        ++pool.round;
    }
    pool.wake.notify_all();
}

void WaitForHelpers(SearchThreads& pool) {
    std::unique_lock<std::mutex> guard(pool.lock);
    pool.idle.wait(guard, [&] { return pool.busy == 0; });
}

}  // namespace chess
