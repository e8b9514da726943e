// go: a search on the search thread within the limits given, or go perft N,
// a count of move paths.
#include <sstream>

#include "uci/clock.h"
#include "uci/commands.h"
#include "uci/go_request.h"

namespace {

// The limits of the search; searchmoves keeps the legal moves it names.
SearchJob MakeJob(UciSession& session, const GoRequest& request, Words& errors) {
    SearchJob job;
    const int most = session.limits.maxSearchDepth;
    job.maxDepth = request.maxDepth > 0  ? request.maxDepth
                   : request.IsBounded() ? most
                                         : std::min(DEFAULT_SEARCH_DEPTH, most);
    if (request.mateIn > 0 && request.maxDepth == 0)
        job.maxDepth = std::min(2 * request.mateIn - 1, most);
    job.maxNodes = request.maxNodes;
    job.mateIn = request.mateIn;
    job.lines = static_cast<int>(session.multiPv);
    job.skillLevel = session.limitStrength ? chess::SkillLevelForElo(static_cast<int>(session.elo))
                                           : static_cast<int>(session.skillLevel);
    job.showWdl = session.showWdl;
    for (const std::string& text : request.searchMoves) {
        std::string error;
        if (session.rules->PlayableMoves({text}, error) == 1)
            job.searchMoves.push_back(text);
        else
            errors.push_back("searchmoves: " + error + "; skipped");
    }
    return job;
}

// "info depth ..." for one finished depth. Its line is cut where a move
// could not be played, so that every move a GUI reads is legal.
std::string InfoLine(const RuleSet& rules, const IterationInfo& info, int64_t microseconds) {
    std::string unused;
    const std::size_t playable = rules.PlayableMoves(info.pv, unused);
    std::ostringstream line;
    line << "info depth " << info.depth;
    if (info.selectiveDepth > 0) line << " seldepth " << info.selectiveDepth;
    if (info.line > 0) line << " multipv " << info.line;
    line << " score " << info.score << (info.wdl.empty() ? "" : " ") << info.wdl << " nodes "
         << info.nodes << " nps " << NodesPerSecond(info.totalNodes, microseconds) << " time "
         << microseconds / 1000;
    if (playable > 0) line << " pv";
    for (std::size_t i = 0; i < playable; ++i) line << ' ' << info.pv[i];
    return line.str();
}

// The move to ponder on, when the line gives one that is legal after the best move.
std::string PonderMove(const RuleSet& rules, const SearchResult& result) {
    std::string unused;
    if (result.pv.size() < 2 || result.pv[0] != result.bestMove) return "";
    return rules.PlayableMoves({result.pv[0], result.pv[1]}, unused) == 2 ? result.pv[1] : "";
}

// The search itself, on the search thread: info lines as depths finish,
// then bestmove once the search may answer.
void RunSearch(UciSession& session, std::ostream& out, const SearchJob& job) {
    const ClockTime start = Now();
    SearchResult result;
    std::string lastBest = "0000";
    try {
        result = session.rules->Search(job, session.searcher.stop, [&](const IterationInfo& info) {
            SendLines(session, out,
                      InfoLine(*session.rules, info, MicrosecondsSince(start)) + '\n');
            if (!info.pv.empty() && info.line <= 1) lastBest = info.pv[0];
            return !SoftLimitPassed(session.searcher);
        });
    } catch (const std::exception& failure) {
        ReportError(session, out, std::string("the search failed: ") + failure.what());
        result.bestMove = lastBest;
    }
    if (!result.noMoveScore.empty())
        SendLines(session, out, "info depth 0 score " + result.noMoveScore + '\n');
    if (!result.warning.empty()) ReportError(session, out, result.warning);
    AwaitRelease(session.searcher);
    const std::string ponder = PonderMove(*session.rules, result);
    SendLines(session, out,
              "bestmove " + result.bestMove + (ponder.empty() ? "" : " ponder " + ponder) + '\n');
}

void RunPerft(UciSession& session, const Words& words, std::ostream& out) {
    int64_t depth = 0;
    std::string error;
    if (words.size() != 3) {
        ReportError(session, out, "go perft needs exactly one number, the depth");
        return;
    }
    if (!ParseBoundedNumber(words[2], "the perft depth", 1, session.limits.maxPerftDepth, depth,
                            error)) {
        ReportError(session, out, error);
        return;
    }
    bool outOfMemory = false;
    int64_t total = 0;
    for (const PerftBranch& branch : session.rules->Perft(static_cast<int>(depth), outOfMemory)) {
        out << branch.move << ": " << branch.nodes << '\n';
        total += branch.nodes;
    }
    out << "\nNodes searched: " << total << '\n';
    if (outOfMemory) ReportError(session, out, "memory ran out; the counts are too small");
}

}  // namespace

void RunGo(UciSession& session, const Words& words, std::ostream& out) {
    if (words.size() >= 2 && words[1] == "perft") {
        RunPerft(session, words, out);
        return;
    }
    // A GUI waits for bestmove after every go: a bad word is reported and
    // skipped, and the search runs with the rest.
    Words errors;
    const GoRequest request = ReadGoRequest(words, session.limits.maxSearchDepth, errors);
    SearchJob job = MakeJob(session, request, errors);
    std::string threadError;
    if (!MakeSearcherThreads(session.searcher, threadError)) {
        // The search runs on this thread and answers when done: one that
        // would wait for stop gets the depth of a go without limits.
        errors.push_back(threadError);
        if (request.infinite || request.ponder)
            job.maxDepth = std::min(job.maxDepth, DEFAULT_SEARCH_DEPTH);
    }
    for (const std::string& error : errors) ReportError(session, out, error);

    // A ponder search is timed from ponderhit, when the opponent has moved.
    SearchClock clock;
    clock.plan =
        PlanTime(request, session.rules->Position().record.sideToMove, session.moveOverhead);
    clock.running = !request.ponder;
    clock.start = session.searcher.now();
    StartSearch(session.searcher, clock, request.infinite, request.ponder,
                [&session, &out, job] { RunSearch(session, out, job); });
}
