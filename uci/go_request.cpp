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

// The number after the keyword at words[i], read into request. A missing
// number leaves the next keyword to be read; a bad one is skipped.
void ReadLimit(const Words& words, std::size_t& i, const NumberLimit& limit, int maxDepth,
               GoRequest& request, Words& errors) {
    const std::string what = std::string("go ") + limit.name;
    if (i + 1 == words.size() || IsGoKeyword(words[i + 1])) {
        errors.push_back(what + " needs a number after it");
        return;
    }
    const int64_t high = limit.high == UP_TO_MAX_DEPTH ? maxDepth : limit.high;
    int64_t value = 0;
    std::string error;
    if (ParseBoundedNumber(words[++i], what.c_str(), limit.low, high, value, error))
        limit.store(request, value);
    else
        errors.push_back(error);
}

}  // namespace

GoRequest ReadGoRequest(const Words& words, int maxDepth, Words& errors) {
    GoRequest request;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "infinite" || word == "ponder") {
            (word == "infinite" ? request.infinite : request.ponder) = true;
        } else if (word == "searchmoves") {
            while (i + 1 < words.size() && !IsGoKeyword(words[i + 1]))
                request.searchMoves.push_back(words[++i]);
        } else if (const NumberLimit* limit = FindNumberLimit(word)) {
            ReadLimit(words, i, *limit, maxDepth, request, errors);
        } else {
            errors.push_back("unknown word " + Quoted(word) + " after go; skipped");
        }
    }
    return request;
}
