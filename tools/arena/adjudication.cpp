#include "tools/arena/adjudication.h"

#include <cstdlib>

namespace arena {

namespace {

// Whether the last plies scores all hold test (and there are that many).
template <typename Test>
bool LastPliesAll(const std::vector<std::optional<int>>& scores, int plies, Test test) {
    if (plies <= 0 || static_cast<int>(scores.size()) < plies) return false;
    for (size_t i = scores.size() - plies; i < scores.size(); ++i)
        if (!scores[i] || !test(*scores[i])) return false;
    return true;
}

}  // namespace

Verdict Adjudicate(const std::vector<std::optional<int>>& scores, const AdjudicationRules& rules) {
    if (rules.resignScore > 0) {
        int plies = 2 * rules.resignMoves;
        if (LastPliesAll(scores, plies, [&](int s) { return s >= rules.resignScore; }))
            return Verdict::WHITE_WINS;
        if (LastPliesAll(scores, plies, [&](int s) { return s <= -rules.resignScore; }))
            return Verdict::BLACK_WINS;
    }
    if (rules.drawMoves > 0 && static_cast<int>(scores.size()) >= 2 * rules.drawAfter &&
        LastPliesAll(scores, 2 * rules.drawMoves,
                     [&](int s) { return std::abs(s) <= rules.drawScore; }))
        return Verdict::DRAW;
    return Verdict::NONE;
}

}  // namespace arena
