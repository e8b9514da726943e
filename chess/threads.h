// The threads a search runs on: helpers made once and kept waiting between
// searches, and a worker for each thread, so that a search starts no thread
// and allocates no worker.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace chess {

struct Worker;        // chess/search.h
struct HelperThread;  // chess/threads.cpp

// Starts a thread running body, or throws (std::system_error) when none can
// be made. A pool starts its helpers with StartThread; tests put another in
// its place to count the starts or to refuse some.
using ThreadStarter = std::thread (*)(std::function<void()> body);
std::thread StartThread(std::function<void()> body);

// What the helpers do in one search: task(worker, helper, context) with the
// helper's own worker and its number, from 1.
using HelperTask = void (*)(Worker& worker, int helper, const void* context);

// The search's helper threads, made once and kept waiting between searches,
// each with its own Worker; also holds the calling thread's own Worker, so a
// search allocates nothing. Not copyable; the destructor ends the threads.
struct SearchThreads {
    SearchThreads();
    ~SearchThreads();
    SearchThreads(const SearchThreads&) = delete;
    SearchThreads& operator=(const SearchThreads&) = delete;

    std::unique_ptr<Worker> main;  // the calling thread's
    std::vector<std::unique_ptr<HelperThread>> helpers;
    ThreadStarter startThread = StartThread;

    // The hand-over between the calling thread and the helpers.
    std::mutex lock;
    std::condition_variable wake;  // helpers wait here for a task or their end
    std::condition_variable idle;  // the caller waits here for the task's end
    HelperTask task = nullptr;
    const void* context = nullptr;
    uint64_t round = 0;  // tasks handed out so far
    int busy = 0;        // helpers still running the current task
};

// Makes or ends helper threads so that searches run on `threads` threads in
// all (the caller's and threads - 1 helpers). A thread or worker that cannot
// be made is left out: returns the number of threads there are then (at least
// 1), and writes error when that is fewer than asked. Never throws. Not to be
// called while a search runs on the pool.
int SetSearchThreads(SearchThreads& pool, int threads, std::string& error);
int SearchThreadCount(const SearchThreads& pool);

// Gives task to every helper and returns at once; WaitForHelpers returns
// when each has finished it. Between the two, context must stay valid.
void StartHelpers(SearchThreads& pool, HelperTask task, const void* context);
void WaitForHelpers(SearchThreads& pool);

}  // namespace chess
