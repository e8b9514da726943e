#include "rules/make_move.h"

void MakeMove(PositionRecord record, int fromFile, int fromRank, int toFile, int toRank,
              PositionRecord& successor) {
    // The move must come from CheckMove or a generator, so both squares are on
    // the board; anything else is refused rather than written out of bounds.
    if (!OnBoard(fromFile, fromRank) || !OnBoard(toFile, toRank)) {
        successor = record;
        return;
    }
    MakeMoveFast(record, SquareIndex(fromFile, fromRank), SquareIndex(toFile, toRank), successor);
}
