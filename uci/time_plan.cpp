#include "uci/time_plan.h"

#include <algorithm>

namespace {

constexpr int64_t SUDDEN_DEATH_MOVES = 20;  // moves a clock is spread over with no movestogo
constexpr int64_t MOST_MOVES_TO_GO = 40;

}  // namespace

TimePlan PlanTime(const GoRequest& request, char sideToMove, int64_t overhead) {
    if (request.infinite) return {};
    if (request.moveTime >= 0) {
        const int64_t time = std::max<int64_t>(request.moveTime - overhead, 1);
        return {time, time};
    }
    const int side = sideToMove == 'b' ? 1 : 0;
    if (request.time[side] < 0) return {};
    // What the clock can give: the rest of the time less the reserve for
    // the GUI, spread over the moves to the next time control (or a share of
    // it in sudden death), plus most of the increment. The hard limit lets
    // a depth run on, but never near the end of the clock; with nothing
    // left beyond the reserve, both limits come to the least, 1 ms.
    const int64_t left = request.time[side] - overhead;
    const int64_t moves = request.movesToGo > 0
                              ? std::min<int64_t>(request.movesToGo, MOST_MOVES_TO_GO)
                              : SUDDEN_DEATH_MOVES;
    const int64_t target = left / moves + request.increment[side] * 3 / 4;
    const int64_t ceiling = moves == 1 ? left * 3 / 4 : left / 4;
    const int64_t hard = std::max<int64_t>(std::min(target * 3, ceiling), 1);
    const int64_t soft = std::max<int64_t>(std::min(target / 2, hard), 1);
    return {soft, hard};
}

bool MayDeepen(const SearchClock& clock, int64_t now) {
    return !clock.running || clock.plan.soft <= 0 || now - clock.start < clock.plan.soft;
}

std::optional<int64_t> HardDeadline(const SearchClock& clock) {
    if (!clock.running || clock.plan.hard <= 0) return std::nullopt;
    return clock.start + clock.plan.hard;
}
