#include "uci/go_request.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int64_t MAX_MILLISECONDS = int64_t{1} << 40;
constexpr int64_t UP_TO_MAX_DEPTH = -1;  // a high bound that is the session's deepest search

// A keyword that takes a number: its range and where the number goes.
struct NumberLimit {
    const char* name;
    int64_t low;
    int64_t high;
    void (*store)(GoRequest& request, int64_t value);
};

const NumberLimit NUMBER_LIMITS[] = {
    {"depth", 1, UP_TO_MAX_DEPTH,
     [](GoRequest& r, int64_t v) { r.maxDepth = static_cast<int>(v); }},
    {"mate", 1, UP_TO_MAX_DEPTH, [](GoRequest& r, int64_t v) { r.mateIn = static_cast<int>(v); }},
    {"nodes", 1, std::numeric_limits<int64_t>::max(),
     [](GoRequest& r, int64_t v) { r.maxNodes = v; }},
    {"movetime", 0, MAX_MILLISECONDS, [](GoRequest& r, int64_t v) { r.moveTime = v; }},
    // Some GUIs let a clock run below zero; it then means no time left.
    {"wtime", -MAX_MILLISECONDS, MAX_MILLISECONDS,
     [](GoRequest& r, int64_t v) { r.time[0] = std::max<int64_t>(v, 0); }},
    {"btime", -MAX_MILLISECONDS, MAX_MILLISECONDS,
     [](GoRequest& r, int64_t v) { r.time[1] = std::max<int64_t>(v, 0); }},
    {"winc", 0, MAX_MILLISECONDS, [](GoRequest& r, int64_t v) { r.increment[0] = v; }},
    {"binc", 0, MAX_MILLISECONDS, [](GoRequest& r, int64_t v) { r.increment[1] = v; }},
    {"movestogo", 1, 100000, [](GoRequest& r, int64_t v) { r.movesToGo = static_cast<int>(v); }},
};

const NumberLimit* FindNumberLimit(const std::string& word) {
    for (const NumberLimit& limit : NUMBER_LIMITS) {
        if (word == limit.name) return &limit;
    }
    return nullptr;
}

bool IsGoKeyword(const std::string& word) {
    return FindNumberLimit(word) != nullptr || word == "infinite" || word == "ponder" ||
           word == "searchmoves";
}

// The number after the keyword at words[i], read into request.
bool ReadLimit(const Words& words, std::size_t& i, const NumberLimit& limit, int maxDepth,
               GoRequest& request, std::string& error) {
    const std::string what = std::string("go ") + limit.name;
    if (i + 1 == words.size()) {
        error = what + " needs a number after it";
        return false;
    }
    const int64_t high = limit.high == UP_TO_MAX_DEPTH ? maxDepth : limit.high;
    int64_t value = 0;
    if (!ParseBoundedNumber(words[++i], what.c_str(), limit.low, high, value, error)) return false;
    limit.store(request, value);
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
        } else if (const NumberLimit* limit = FindNumberLimit(word)) {
            if (!ReadLimit(words, i, *limit, maxDepth, request, error)) return false;
        } else {
            error = "unknown word " + Quoted(word) + " after go";
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
