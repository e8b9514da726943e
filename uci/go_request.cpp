#include "uci/go_request.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int64_t MAX_MILLISECONDS = int64_t{1} << 40;

bool IsGoKeyword(const std::string& word) {
    for (const char* keyword : {"depth", "nodes", "mate", "movetime", "wtime", "btime", "winc",
                                "binc", "movestogo", "infinite", "ponder", "searchmoves"}) {
        if (word == keyword) return true;
    }
    return false;
}

// Where the number after a keyword goes, with its range.
struct NumberLimit {
    const char* name;
    int64_t low;
    int64_t high;
};

bool ReadNumber(const Words& words, std::size_t& i, const NumberLimit& limit, int64_t& value,
                std::string& error) {
    if (i + 1 == words.size()) {
        error = std::string("go ") + limit.name + " needs a number after it";
        return false;
    }
    const std::string what = std::string("go ") + limit.name;
    return ParseBoundedNumber(words[++i], what.c_str(), limit.low, limit.high, value, error);
}

// The number-taking keyword at words[i], read into request.
bool ReadLimit(const Words& words, std::size_t& i, int maxDepth, GoRequest& request,
               std::string& error) {
    const std::string& word = words[i];
    int64_t value = 0;
    const int64_t most = std::numeric_limits<int64_t>::max();
    // A clock may run below zero in some GUIs; it then means no time left.
    const bool clock = word == "wtime" || word == "btime";
    const NumberLimit limit = word == "depth"       ? NumberLimit{"depth", 1, maxDepth}
                              : word == "mate"      ? NumberLimit{"mate", 1, maxDepth}
                              : word == "movestogo" ? NumberLimit{"movestogo", 1, 100000}
                              : word == "nodes"     ? NumberLimit{"nodes", 1, most}
                              : clock ? NumberLimit{word == "wtime" ? "wtime" : "btime",
                                                    -MAX_MILLISECONDS, MAX_MILLISECONDS}
                                      : NumberLimit{word == "winc"   ? "winc"
                                                    : word == "binc" ? "binc"
                                                                     : "movetime",
                                                    0, MAX_MILLISECONDS};
    if (!ReadNumber(words, i, limit, value, error)) return false;
    if (word == "depth") request.maxDepth = static_cast<int>(value);
    if (word == "mate") request.mateIn = static_cast<int>(value);
    if (word == "movestogo") request.movesToGo = static_cast<int>(value);
    if (word == "nodes") request.maxNodes = value;
    if (word == "movetime") request.moveTime = value;
    if (clock) request.time[word == "wtime" ? 0 : 1] = std::max<int64_t>(value, 0);
    if (word == "winc") request.increment[0] = value;
    if (word == "binc") request.increment[1] = value;
    return true;
}

}  // namespace

bool ReadGoRequest(const Words& words, int maxDepth, GoRequest& request, std::string& error) {
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "infinite" || word == "ponder") {
            (word == "infinite" ? request.infinite : request.ponder) = true;
        } else if (word == "searchmoves") {
            while (i + 1 < words.size() && !IsGoKeyword(words[i + 1]))
                request.searchMoves.push_back(words[++i]);
        } else if (!IsGoKeyword(word)) {
            error = "unknown word " + Quoted(word) + " after go";
            return false;
        } else if (!ReadLimit(words, i, maxDepth, request, error)) {
            return false;
        }
    }
    return true;
}

TimePlan PlanTime(const GoRequest& request, char sideToMove) {
    if (request.moveTime >= 0) {
        const int64_t time = std::max<int64_t>(request.moveTime - 5, 1);
        return {time, time};
    }
    const int side = sideToMove == 'b' ? 1 : 0;
    if (request.time[side] < 0) return {};
    // What the clock can give: the rest of the time, less a reserve for the
    // GUI on every move still to come, spread over the moves to the next
    // time control (or a share of it in sudden death), plus most of the
    // increment. The hard limit lets an iteration run on, but never near
    // the end of the clock.
    const int64_t left = std::max<int64_t>(request.time[side] - MOVE_OVERHEAD_MS, 1);
    const int64_t moves = request.movesToGo > 0 ? std::min(request.movesToGo, 40) : 30;
    const int64_t increment = request.increment[side];
    const int64_t target = left / moves + increment * 3 / 4;
    const int64_t ceiling = moves == 1 ? left * 3 / 4 : left / 4;
    const int64_t hard = std::max<int64_t>(std::min(target * 3, ceiling), 1);
    const int64_t soft = std::max<int64_t>(std::min(target / 2, hard), 1);
    return {soft, hard};
}
