// A go command's search on its own thread, so that the tool keeps reading
// commands: isready is answered at once, stop ends the search, ponderhit
// starts the clock of a ponder search.
#pragma once

#include <condition_variable>
#include <mutex>
#include <ostream>
#include <thread>

#include "engine/search.h"
#include "uci/clock.h"
#include "uci/deepening.h"
#include "uci/go_request.h"

struct UciSession;

struct RunningSearch {
    ~RunningSearch();  // stops the search and waits for its threads

    SearchStop stop;
    std::mutex lock;  // guards the fields below
    std::condition_variable changed;
    bool waitsForStop = false;  // go infinite, or go ponder before ponderhit
    bool clockRunning = false;  // the time plan counts from clockStart
    ClockTime clockStart{};
    bool finished = false;  // bestmove has been written
    TimePlan plan;
    char sideToMove = 'w';
    GoRequest request;

    std::thread searcher;
    std::thread timer;  // ends the search at the plan's hard limit, when there is one
};

// Starts job on its own thread, writing its info lines and bestmove to out.
// Any earlier search must have ended.
void StartSearch(UciSession& session, DeepeningJob job, const GoRequest& request,
                 std::ostream& out);

// Ends the running search now; returns once its bestmove is written.
void StopSearch(UciSession& session);

// Waits for the running search to end by itself.
void WaitForSearch(UciSession& session);

// Whether a search runs that ends only on stop (or ponderhit).
bool SearchWaitsForStop(UciSession& session);

// The opponent played the move pondered on: the search goes on as a normal one.
void PonderHit(UciSession& session);

// Writes text (whole lines) to out at once, between the lines of a search.
void SendLines(UciSession& session, std::ostream& out, const std::string& text);
