// go: a search to a fixed depth, or go perft N, a count of move paths.
#include <cstdint>
#include <limits>

#include "engine/evaluate.h"
#include "engine/search.h"
#include "uci/clock.h"
#include "uci/commands.h"
#include "uci/notation.h"
#include "uci/perft.h"

namespace {

// Limits of the protocol that take a number. The search is bounded by its
// depth alone, so they are read and then ignored.
const char* const NUMBER_LIMITS[] = {"wtime",     "btime", "winc", "binc",
                                     "movestogo", "nodes", "mate", "movetime"};
const char* const FLAG_LIMITS[] = {"infinite", "ponder"};

template <std::size_t N>
bool IsOneOf(const std::string& word, const char* const (&names)[N]) {
    for (const char* name : names) {
        if (word == name) return true;
    }
    return false;
}

bool IsGoKeyword(const std::string& word) {
    return word == "depth" || word == "searchmoves" || IsOneOf(word, NUMBER_LIMITS) ||
           IsOneOf(word, FLAG_LIMITS);
}

// Reads the words after go; only depth is used.
bool ReadGoLimits(const UciSession& session, const Words& words, int& depth, std::string& error) {
    const int most = session.limits.maxSearchDepth;
    depth = DEFAULT_SEARCH_DEPTH < most ? DEFAULT_SEARCH_DEPTH : most;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "searchmoves") {
            while (i + 1 < words.size() && !IsGoKeyword(words[i + 1])) ++i;
            continue;
        }
        if (IsOneOf(word, FLAG_LIMITS)) continue;
        if (word != "depth" && !IsOneOf(word, NUMBER_LIMITS)) {
            error = "unknown word " + Quoted(word) + " after go";
            return false;
        }
        if (i + 1 == words.size()) {
            error = "go " + word + " needs a number after it";
            return false;
        }
        int64_t value = 0;
        const bool isDepth = word == "depth";
        const std::string what = isDepth ? "the search depth" : "go " + word;
        if (!ParseBoundedNumber(
                words[++i], what.c_str(), isDepth ? 1 : std::numeric_limits<int64_t>::min(),
                isDepth ? most : std::numeric_limits<int64_t>::max(), value, error)) {
            return false;
        }
        if (isDepth) depth = static_cast<int>(value);
    }
    return true;
}

void Search(UciSession& session, int depth, std::ostream& out) {
    Square from{}, to{};
    SearchReport report;
    const ClockTime start = Now();
    const int found =
        FindBestMove(session.position, depth, from, to, SearchSettings{session.threads}, &report);
    const int64_t microseconds = MicrosecondsSince(start);
    const std::string move = found ? MoveText(session.position, from, to) : "0000";
    const int score = found ? static_cast<int>(report.score) : -static_cast<int>(KING_LOST_SCORE);
    out << "info depth " << depth << " score cp " << score << " nodes " << report.nodes << " nps "
        << NodesPerSecond(report.nodes, microseconds) << " time " << microseconds / 1000 << " pv "
        << move << '\n';
    if (report.outOfMemory) {
        ReportError(session, out, "memory ran out during the search; the move may be weak");
    }
    out << "bestmove " << move << '\n';
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
    for (const PerftBranch& branch :
         DividedPerft(session.position, static_cast<int>(depth), outOfMemory)) {
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
    int depth = 0;
    std::string error;
    if (!ReadGoLimits(session, words, depth, error)) {
        ReportError(session, out, error);
        return;
    }
    Search(session, depth, out);
}
