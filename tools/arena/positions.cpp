#include "tools/arena/positions.h"

namespace arena {

std::string PositionLines(const GameRecord& game) {
    // A forfeit says nothing of the position, and an unfinished game has no result.
    const bool played =
        game.termination == Termination::NORMAL || game.termination == Termination::ADJUDICATION;
    const char* points = game.result == "1-0"       ? "1"
                         : game.result == "0-1"     ? "0"
                         : game.result == "1/2-1/2" ? "0.5"
                                                    : nullptr;
    std::string lines;
    if (!played || !points) return lines;
    for (const PlayedMove& move : game.moves) {
        if (!move.report.scored || move.report.score.mate) continue;
        lines += move.fen + ';' + std::to_string(move.report.score.value) + ';' + points + '\n';
    }
    return lines;
}

}  // namespace arena
