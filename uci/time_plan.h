// How much of the clock a move may use, and the clock of one search: when
// no new depth may start, and when the search must end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "uci/go_request.h"

// Limits in milliseconds from the start of the search's clock: no new depth
// starts after soft, and the search ends at hard. 0: no limit. A flexible
// soft limit (one planned from the clock, not from movetime) stretches or
// shrinks with how the deepening goes, never past hard.
struct TimePlan {
    int64_t soft = 0;
    int64_t hard = 0;
    bool flexible = false;
};

// Plans the time of the side to move ('w' or 'b') from movetime or its
// clock, keeping overhead back for the way to and from the GUI. An infinite
// or ponder search has no plan of its own here: ponderhit starts the plan of
// the same request.
TimePlan PlanTime(const GoRequest& request, char sideToMove, int64_t overhead);

// The clock of one search. A ponder search's clock starts at ponderhit.
struct SearchClock {
    TimePlan plan;
    bool running = false;
    int64_t start = 0;  // milliseconds, on the session's clock
};

// Whether a new depth may start at now, with a flexible soft limit scaled
// to percent of itself.
bool MayDeepen(const SearchClock& clock, int64_t now, int percent = 100);

// However the deepening goes, its soft limit stays within these percents.
constexpr int LEAST_SOFT_PERCENT = 40;
constexpr int MOST_SOFT_PERCENT = 250;

// How the deepening has gone so far: whether its best move keeps changing,
// whether its score falls, and how clearly the best move stands out.
struct DeepeningTrend {
    std::string best;      // the best move of the last depth
    int stableDepths = 0;  // depths in a row since the best move last changed
    int scores[2] = {};    // the scores of the last two depths, the latest first
    int depths = 0;        // depths seen
};

// Takes in one finished depth (its best move, its score in centipawns, mates
// counted as large scores, and the best move's node share in permille) and
// returns the percent of the usual soft limit the search should now get:
// more while the best move changes or the score falls, less when the best
// move has stood for several depths and took nearly all the nodes.
int NextSoftPercent(DeepeningTrend& trend, const std::string& best, int score, int nodeShare);

// When the search must end, on the session's clock; none when it need not.
std::optional<int64_t> HardDeadline(const SearchClock& clock);
