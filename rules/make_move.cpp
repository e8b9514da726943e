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

void DeriveMove(PositionRecord position, PositionRecord successor, Square& from, Square& to) {
    const char side = position.sideToMove;
    // The squares the side to move leaves empty: one, or the king's and a
    // rook's in castling, which is reported as the king's move. Otherwise the
    // target is the one square the side newly holds: this covers captures,
    // en passant and promotion alike. The walk takes in the board's closing
    // zero byte, which is never a piece.
    int vacated = 0, fromIndex = 0, toIndex = 0, square = 0;
    for (const char before : position.board) {
        const char after = successor.board[square];
        if (SideOf(before) == side && after == EMPTY_SQUARE) {
            if (vacated == 0 || before == 'R' || before == 'r') fromIndex = square;
            ++vacated;
        }
        if (SideOf(before) != side && SideOf(after) == side) toIndex = square;
        ++square;
    }
    from = Square{fromIndex % 8 + 1, fromIndex / 8 + 1};
    to = Square{toIndex % 8 + 1, toIndex / 8 + 1};
    if (vacated == 2) {
        to = Square{from.file == 1 ? 3 : 7, from.rank};
        from.file = 5;
    }
}
