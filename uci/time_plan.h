// How much of the clock a move may use, and the clock of one search: when
// no new depth may start, and when the search must end.
#pragma once

#include <cstdint>
#include <optional>

#include "uci/go_request.h"

// Limits in milliseconds from the start of the search's clock: no new depth
// starts after soft, and the search ends at hard. 0: no limit.
struct TimePlan {
    int64_t soft = 0;
    int64_t hard = 0;
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

// Whether a new depth may start at now.
bool MayDeepen(const SearchClock& clock, int64_t now);

// When the search must end, on the session's clock; none when it need not.
std::optional<int64_t> HardDeadline(const SearchClock& clock);
