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
    auto ownedBy = [side](const PositionRecord& record, int i) {
        return SideOf(record.board[i]) == side;
    };
    // The squares the side to move leaves empty: one, or the king's and a
    // rook's in castling, which is reported as the king's move.
    int vacated = 0;
    int fromIndex = 0;
    for (int i = 0; i < 64 && vacated < 2; ++i) {
        if (!ownedBy(position, i) || successor.board[i] != EMPTY_SQUARE) continue;
        if (vacated == 0 || position.board[i] == 'R' || position.board[i] == 'r') fromIndex = i;
        ++vacated;
    }
    from = Square{fromIndex % 8 + 1, fromIndex / 8 + 1};
    if (vacated == 2) {
        to = Square{from.file == 1 ? 3 : 7, from.rank};
        from.file = 5;
        return;
    }
    // The target is the square the side to move newly holds: this covers
    // captures, en passant and promotion alike.
    to = from;
    for (int i = 0; i < 64; ++i) {
        if (!ownedBy(position, i) && ownedBy(successor, i)) {
            to = Square{i % 8 + 1, i / 8 + 1};
            return;
        }
    }
}
