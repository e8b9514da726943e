// The search of a go command runs on a thread of its own, so that the tool
// keeps reading commands: isready is answered at once, stop ends the search,
// ponderhit starts the clock of a ponder search. The search thread and a
// timer thread are made once and wait between searches.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "engine/search.h"
#include "uci/time_plan.h"

// Milliseconds on a steady clock; tests put in a clock of their own.
using MillisecondClock = std::function<int64_t()>;
int64_t SteadyMilliseconds();

struct Searcher {
    Searcher() = default;
    ~Searcher();  // stops a search and ends the threads
    Searcher(const Searcher&) = delete;
    Searcher& operator=(const Searcher&) = delete;

    MillisecondClock now = SteadyMilliseconds;

    std::mutex lock;  // guards everything below, the stop flag's writes included
    std::condition_variable changed;
    std::function<void()> task;  // the search to run, handed to the search thread
    bool running = false;        // from go until bestmove has been written
    bool waitsForStop = false;   // go infinite, or go ponder before ponderhit
    bool pondering = false;      // go ponder, until ponderhit
    bool infinite = false;
    bool stopCommanded = false;  // the GUI said stop
    bool quitting = false;
    SearchClock clock;
    SearchStop stop;  // the engines' stop: limits, the timer and the GUI set it

    bool threadsMade = false;
    std::thread searchThread;
    std::thread timerThread;
};

// Makes the two threads if they are not made yet. On failure writes error
// and returns false; searches then run on the caller's thread.
bool MakeSearcherThreads(Searcher& searcher, std::string& error);

// Starts search on the search thread (or runs it here when there is none).
// search must call FinishSearch once its answer may go out and write it.
void StartSearch(Searcher& searcher, const SearchClock& clock, bool infinite, bool ponder,
                 std::function<void()> search);

// Called by the search when it has no more to do: waits while the search
// must wait for stop (or ponderhit), so that the answer goes out only then.
void AwaitRelease(Searcher& searcher);

// Whether no new depth is to start now.
bool SoftLimitPassed(Searcher& searcher);

// Ends the running search now, and returns once its answer is written.
void StopSearch(Searcher& searcher);
// Waits for the running search to end by itself.
void WaitForSearch(Searcher& searcher);
bool SearchIsRunning(Searcher& searcher);
bool SearchWaitsForStop(Searcher& searcher);
// The opponent played the move pondered on: the search goes on as a normal one.
void PonderHit(Searcher& searcher);
