#include "tools/tuner/quiet.h"

#include "chess/evaluate.h"
#include "chess/movegen.h"
#include "chess/see.h"

namespace tuner {

namespace {

using namespace chess;

int Quiesce(const Board& board, int alpha, int beta, Board& leaf) {
    int standPat = EvaluateBoard(board);
    leaf = board;
    if (standPat >= beta) return standPat;
    if (standPat > alpha) alpha = standPat;
    MoveList list;
    GenerateNoisyMoves(board, list);
    for (int i = 0; i < list.count; ++i) {
        Move move = list.moves[i];
        Board next, nextLeaf;
        if (StaticExchange(board, move) < 0 || !PlayOnBoard(board, move, next)) continue;
        int score = -Quiesce(next, -beta, -alpha, nextLeaf);
        if (score > alpha) {
            alpha = score;
            leaf = nextLeaf;
            if (score >= beta) break;
        }
    }
    return alpha;
}

}  // namespace

Board QuietLeaf(const Board& board) {
    Board leaf = board;
    Quiesce(board, -100000, 100000, leaf);
    return leaf;
}

}  // namespace tuner
