#include "chess/wdl.h"

#include <cmath>

#include "chess/wdl_model.h"

namespace chess {

namespace {

constexpr int FULL_MATERIAL = 78;

double Logistic(double x) { return 1 / (1 + std::exp(-x)); }

}  // namespace

int MaterialCount(const Board& board) {
    const int value[PIECE_TYPES] = {1, 3, 3, 5, 9, 0};
    int total = 0;
    for (int color : {WHITE, BLACK})
        for (int type = PAWN; type < KING; ++type)
            total += value[type] * PopCount(board.pieces[color][type]);
    return total;
}

WinDrawLoss ExpectedResult(const Board& board, int score, int mateIn) {
    if (mateIn > 0) return {1000, 0, 0};
    if (mateIn < 0) return {0, 0, 1000};
    const int material = MaterialCount(board);
    const double m = double(material < FULL_MATERIAL ? material : FULL_MATERIAL) / FULL_MATERIAL;
    const double centre = WDL_CENTER[0] + WDL_CENTER[1] * m;
    const double spread = WDL_SPREAD[0] + WDL_SPREAD[1] * m;
    WinDrawLoss chances;
    chances.win = int(std::lround(1000 * Logistic((score - centre) / spread)));
    chances.loss = int(std::lround(1000 * Logistic((-score - centre) / spread)));
    chances.draw = 1000 - chances.win - chances.loss;
    if (chances.draw < 0) chances.win += chances.draw, chances.draw = 0;  // both rounded up
    return chances;
}

}  // namespace chess
