// Ending a decided game early: a resignation when both engines agree that
// one side is winning by far, a draw when both agree that nothing is left.
// Both look only at the scores the engines reported, turned to White's view.
#pragma once

#include <optional>
#include <vector>

namespace arena {

struct AdjudicationRules {
    // Resign: the last 2 * resignMoves plies (each engine's last resignMoves
    // moves) all scored at least resignScore for the same side. Off at 0.
    int resignScore = 0;
    int resignMoves = 3;
    // Draw: the last 2 * drawMoves plies all scored within drawScore of 0,
    // once drawAfter moves have been played in the game. Off while drawMoves is 0.
    int drawScore = 10;
    int drawMoves = 0;
    int drawAfter = 40;
};

enum class Verdict { NONE, WHITE_WINS, BLACK_WINS, DRAW };

// scores: one per ply played, in centipawns for White (mates count as large
// scores); a ply without a score breaks every run.
Verdict Adjudicate(const std::vector<std::optional<int>>& scores, const AdjudicationRules& rules);

}  // namespace arena
