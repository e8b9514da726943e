#include "chess/chess.h"
#include "chess/movegen.h"

namespace chess {

namespace {

int64_t Perft(const Board& board, int depth) {
    MoveList list;
    GenerateMoves(board, list);
    Board next;
    int64_t nodes = 0;
    for (int i = 0; i < list.count; ++i) {
        if (!PlayOnBoard(board, list.moves[i], next)) continue;
        nodes += depth <= 1 ? 1 : Perft(next, depth - 1);
    }
    return nodes;
}

}  // namespace

std::vector<PerftBranch> DividedPerft(const Game& game, int depth) {
    std::vector<PerftBranch> branches;
    if (depth < 1) return branches;
    MoveList list;
    GenerateLegalMoves(game.board, list);
    Board next;
    for (int i = 0; i < list.count; ++i) {
        PlayOnBoard(game.board, list.moves[i], next);
        branches.push_back({list.moves[i], depth == 1 ? 1 : Perft(next, depth - 1)});
    }
    return branches;
}

}  // namespace chess
