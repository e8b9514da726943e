#include "uci/time_plan.h"

#include <algorithm>

namespace {

constexpr int64_t SUDDEN_DEATH_MOVES = 20;  // moves a clock is spread over with no movestogo
constexpr int64_t MOST_MOVES_TO_GO = 40;

// The soft limit's percent by the depths in a row the best move has stood:
// a move that has just taken the lead gets more time, one that has stood
// for long gets less.
constexpr int STABILITY_PERCENT[] = {160, 135, 120, 110, 100, 95};
constexpr int STABILITY_STEPS = int(sizeof STABILITY_PERCENT / sizeof STABILITY_PERCENT[0]);

// Each centipawn the score fell since two depths before (the same parity,
// which the odd-even swing of the deepening leaves alone) adds this many
// permille, up to the most.
constexpr int SCORE_DROP_PERMILLE_PER_CP = 6;
constexpr int SCORE_DROP_MOST_PERCENT = 50;

// The best move's node share moves the percent by one point per so many
// permille away from the neutral share, within the bounds: a move that
// took nearly every node stands out, one that took few does not.
constexpr int NODE_SHARE_NEUTRAL = 800;
constexpr int NODE_SHARE_PERMILLE_PER_PERCENT = 4;
constexpr int NODE_SHARE_LEAST_PERCENT = 70;
constexpr int NODE_SHARE_MOST_PERCENT = 130;

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
    return {soft, hard, true};
}

bool MayDeepen(const SearchClock& clock, int64_t now, int percent) {
    if (!clock.running || clock.plan.soft <= 0) return true;
    int64_t soft = clock.plan.soft;
    if (clock.plan.flexible) soft = std::min(soft * percent / 100, clock.plan.hard);
    return now - clock.start < soft;
}

int NextSoftPercent(DeepeningTrend& trend, const std::string& best, int score, int nodeShare) {
    trend.stableDepths = best == trend.best ? trend.stableDepths + 1 : 0;
    trend.best = best;
    const int drop = trend.depths >= 2 ? trend.scores[1] - score : 0;
    trend.scores[1] = trend.scores[0];
    trend.scores[0] = score;
    ++trend.depths;

    const int stability = STABILITY_PERCENT[std::min(trend.stableDepths, STABILITY_STEPS - 1)];
    const int falling =
        100 + std::clamp(drop * SCORE_DROP_PERMILLE_PER_CP / 10, 0, SCORE_DROP_MOST_PERCENT);
    const int standing =
        std::clamp(100 + (NODE_SHARE_NEUTRAL - nodeShare) / NODE_SHARE_PERMILLE_PER_PERCENT,
                   NODE_SHARE_LEAST_PERCENT, NODE_SHARE_MOST_PERCENT);
    const int percent = int(int64_t(stability) * falling * standing / 10000);
    return std::clamp(percent, LEAST_SOFT_PERCENT, MOST_SOFT_PERCENT);
}

std::optional<int64_t> HardDeadline(const SearchClock& clock) {
    if (!clock.running || clock.plan.hard <= 0) return std::nullopt;
    return clock.start + clock.plan.hard;
}
