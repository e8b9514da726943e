#include "uci/running_search.h"

#include <chrono>
#include <sstream>

#include "uci/commands.h"
#include "uci/session.h"

namespace {

int64_t MillisecondsSince(ClockTime start) { return MicrosecondsSince(start) / 1000; }

void RequestStop(RunningSearch& run) {
    std::lock_guard<std::mutex> guard(run.lock);
    run.stop.requested.store(true, std::memory_order_relaxed);
    run.changed.notify_all();
}

// Whether the soft limit has passed: no new depth is begun after it.
bool SoftLimitPassed(RunningSearch& run) {
    std::lock_guard<std::mutex> guard(run.lock);
    return run.clockRunning && run.plan.soft > 0 &&
           MillisecondsSince(run.clockStart) >= run.plan.soft;
}

// Sleeps until the hard limit of the running clock, then stops the search.
void RunTimer(RunningSearch& run) {
    std::unique_lock<std::mutex> guard(run.lock);
    run.changed.wait(guard, [&] { return run.finished || run.clockRunning; });
    if (run.finished || run.plan.hard <= 0) return;
    const ClockTime deadline = run.clockStart + std::chrono::milliseconds(run.plan.hard);
    if (!run.changed.wait_until(guard, deadline, [&] { return run.finished; }))
        run.stop.requested.store(true, std::memory_order_relaxed);
}

void RunSearcher(UciSession& session, RunningSearch& run, const DeepeningJob& job,
                 std::ostream& out) {
    const DeepeningResult result = Deepen(job, run.stop, [&](const std::string& line) {
        SendLines(session, out, line + '\n');
        return !SoftLimitPassed(run);
    });
    {
        // go infinite and go ponder answer only when told to.
        std::unique_lock<std::mutex> guard(run.lock);
        run.changed.wait(guard, [&] {
            return !run.waitsForStop || run.stop.requested.load(std::memory_order_relaxed);
        });
    }
    if (result.outOfMemory) {
        std::ostringstream error;
        ReportError(session, error, "memory ran out during the search; the move may be weak");
        SendLines(session, out, error.str());
    }
    std::string reply = "bestmove " + result.bestMove;
    if (!result.ponderMove.empty()) reply += " ponder " + result.ponderMove;
    SendLines(session, out, reply + '\n');
    std::lock_guard<std::mutex> guard(run.lock);
    run.finished = true;
    run.changed.notify_all();
}

void JoinSearch(UciSession& session) {
    if (!session.search) return;
    RunningSearch& run = *session.search;
    if (run.searcher.joinable()) run.searcher.join();
    {
        std::lock_guard<std::mutex> guard(run.lock);
        run.finished = true;  // also when the searcher never started
        run.changed.notify_all();
    }
    if (run.timer.joinable()) run.timer.join();
    session.search.reset();
}

}  // namespace

RunningSearch::~RunningSearch() {
    RequestStop(*this);
    if (searcher.joinable()) searcher.join();
    {
        std::lock_guard<std::mutex> guard(lock);
        finished = true;
        changed.notify_all();
    }
    if (timer.joinable()) timer.join();
}

void SendLines(UciSession& session, std::ostream& out, const std::string& text) {
    std::lock_guard<std::mutex> guard(session.outputLock);
    out << text;
    out.flush();  // a GUI waits for each line on a pipe
}

void StartSearch(UciSession& session, DeepeningJob job, const GoRequest& request,
                 std::ostream& out) {
    session.search = std::make_unique<RunningSearch>();
    RunningSearch& run = *session.search;
    run.request = request;
    run.sideToMove =
        job.standardChess ? chess::RecordOf(job.game).sideToMove : job.position.sideToMove;
    run.plan = PlanTime(request, run.sideToMove);
    run.stop.maxNodes = job.standardChess ? 0 : job.maxNodes;
    run.waitsForStop = request.infinite || request.ponder;
    // A ponder search is timed from ponderhit, when the opponent has moved.
    run.clockRunning = !request.ponder;
    run.clockStart = Now();
    if (run.plan.hard > 0) run.timer = std::thread(RunTimer, std::ref(run));
    run.searcher =
        std::thread([&session, &run,
                     &out](const DeepeningJob& copied) { RunSearcher(session, run, copied, out); },
                    std::move(job));
}

void StopSearch(UciSession& session) {
    if (!session.search) return;
    RequestStop(*session.search);
    JoinSearch(session);
}

void WaitForSearch(UciSession& session) { JoinSearch(session); }

bool SearchWaitsForStop(UciSession& session) {
    if (!session.search) return false;
    std::lock_guard<std::mutex> guard(session.search->lock);
    return session.search->waitsForStop;
}

void PonderHit(UciSession& session) {
    if (!session.search) return;
    RunningSearch& run = *session.search;
    std::lock_guard<std::mutex> guard(run.lock);
    if (!run.request.ponder || !run.waitsForStop) return;
    run.waitsForStop = run.request.infinite;
    run.clockRunning = true;
    run.clockStart = Now();
    run.changed.notify_all();
}
