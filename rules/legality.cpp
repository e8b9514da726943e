#include "rules/legality.h"

#include <cstdlib>

#include "rules/board_geometry.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

bool IsPawnMoveLegal(const PositionRecord& record, char pawn, int fromFile, int fromRank,
                     int toFile, int toRank) {
    const bool white = pawn == 'P';
    const int up = white ? 1 : -1;
    const int homeRank = white ? 2 : 7;
    const char target = PieceAt(record, toFile, toRank);
    const char enemy = white ? 'b' : 'w';
    if (toFile == fromFile) {
        if (target != EMPTY_SQUARE) return false;
        if (toRank == fromRank + up) return true;
        return fromRank == homeRank && toRank == fromRank + 2 * up &&
               PieceAt(record, fromFile, fromRank + up) == EMPTY_SQUARE;
    }
    if (std::abs(toFile - fromFile) != 1 || toRank != fromRank + up) return false;
    if (SideOf(target) == enemy) return true;
    return target == EMPTY_SQUARE && IsEnPassantSquare(record, toFile, toRank) &&
           record.sideToMove == (white ? 'w' : 'b');
}

bool IsKingMoveLegal(const PositionRecord& record, char king, int fromFile, int fromRank,
                     int toFile, int toRank) {
    if (std::abs(toFile - fromFile) <= 1 && std::abs(toRank - fromRank) <= 1) return true;
    const int homeRank = king == 'K' ? 1 : 8;
    if (fromFile != 5 || fromRank != homeRank || toRank != homeRank) return false;
    const int options = CastlingOptions(record, king == 'K' ? 'w' : 'b');
    if (toFile == 7) return (options & CASTLE_KING_SIDE) != 0;
    if (toFile == 3) return (options & CASTLE_QUEEN_SIDE) != 0;
    return false;
}

}  // namespace

int PathClear(const PositionRecord& record, int fromFile, int fromRank, int toFile, int toRank) {
    if (PieceAt(record, fromFile, fromRank) == OFF_BOARD) return -2;
    if (PieceAt(record, toFile, toRank) == OFF_BOARD) return -3;
    const int df = toFile - fromFile, dr = toRank - fromRank;
    if (df == 0 && dr == 0) return PATH_NOT_LINE;
    if (df != 0 && dr != 0 && std::abs(df) != std::abs(dr)) return PATH_NOT_LINE;
    const int stepFile = Sign(df), stepRank = Sign(dr);
    for (int f = fromFile + stepFile, r = fromRank + stepRank; f != toFile || r != toRank;
         f += stepFile, r += stepRank) {
        if (PieceAt(record, f, r) != EMPTY_SQUARE) return 0;
    }
    return 1;
}

int CheckMove(const PositionRecord& record, int fromFile, int fromRank, int toFile, int toRank) {
    const char mover = PieceAt(record, fromFile, fromRank);
    const char target = PieceAt(record, toFile, toRank);
    if (mover == OFF_BOARD || mover == EMPTY_SQUARE) return MOVE_BAD_ORIGIN;
    if (target == OFF_BOARD) return MOVE_BAD_TARGET;
    if (fromFile == toFile && fromRank == toRank) return MOVE_ILLEGAL;
    if (SideOf(target) == SideOf(mover)) return MOVE_ILLEGAL;

    const int df = std::abs(toFile - fromFile), dr = std::abs(toRank - fromRank);
    const bool straight = df == 0 || dr == 0;
    const bool diagonal = df == dr;
    auto lineIsClear = [&] { return PathClear(record, fromFile, fromRank, toFile, toRank) == 1; };
    bool legal = false;
    switch (PieceKind(mover)) {
        case 'r': legal = straight && lineIsClear(); break;
        case 'b': legal = diagonal && lineIsClear(); break;
        case 'q': legal = (straight || diagonal) && lineIsClear(); break;
        case 'n': legal = (df == 1 && dr == 2) || (df == 2 && dr == 1); break;
        case 'k': legal = IsKingMoveLegal(record, mover, fromFile, fromRank, toFile, toRank); break;
        case 'p': legal = IsPawnMoveLegal(record, mover, fromFile, fromRank, toFile, toRank); break;
        default: break;
    }
    return legal ? MOVE_LEGAL : MOVE_ILLEGAL;
}

int CastlingOptions(const PositionRecord& record, char side) {
    const bool white = side == 'w';
    const int home = white ? 1 : 8;
    const char enemy = white ? 'b' : 'w';
    const char kingSideRight = white ? record.castling[0] : record.castling[2];
    const char queenSideRight = white ? record.castling[1] : record.castling[3];
    auto empty = [&](int file) { return PieceAt(record, file, home) == EMPTY_SQUARE; };
    auto safe = [&](int file) { return !SquareAttacked(record, file, home, enemy); };

    int options = 0;
    if (kingSideRight == (white ? 'K' : 'k') && empty(6) && empty(7) && safe(5) && safe(6) &&
        safe(7)) {
        options |= CASTLE_KING_SIDE;
    }
    if (queenSideRight == (white ? 'Q' : 'q') && empty(4) && empty(3) && empty(2) && safe(5) &&
        safe(4) && safe(3)) {
        options |= CASTLE_QUEEN_SIDE;
    }
    return options;
}

// Looks outward from the square instead of visiting every piece of bySide:
// the first piece met on each line, the knight squares, the king's neighbours
// and the two pawn squares decide exactly as a move test from each piece would.
// A square holding a piece of bySide can only be attacked by that side's king
// and pawns, since no other piece may move onto its own side's piece.
int SquareAttacked(const PositionRecord& record, int file, int rank, char bySide) {
    if (!OnBoard(file, rank) || (bySide != 'w' && bySide != 'b')) return 0;
    const bool white = bySide == 'w';
    const char king = white ? 'K' : 'k', pawn = white ? 'P' : 'p';
    const int pawnRank = white ? rank - 1 : rank + 1;
    if (PieceAt(record, file - 1, pawnRank) == pawn || PieceAt(record, file + 1, pawnRank) == pawn)
        return 1;

    const int square = SquareIndex(file, rank);
    const auto& tables = geometry::TABLES;
    for (int direction = 0; direction < 8; ++direction) {
        if (tables.rayLength[square][direction] > 0 &&
            record.board[square + geometry::DIRECTION_STEP[direction]] == king)
            return 1;
    }
    if (SideOf(record.board[square]) == bySide) return 0;

    const char knight = white ? 'N' : 'n';
    for (int jump = 0; jump < tables.knightCount[square]; ++jump) {
        if (record.board[tables.knightTarget[square][jump]] == knight) return 1;
    }
    const char queen = white ? 'Q' : 'q', rook = white ? 'R' : 'r', bishop = white ? 'B' : 'b';
    for (int direction = 0; direction < 8; ++direction) {
        const char slider = direction % 2 == 0 ? rook : bishop;
        const int step = geometry::DIRECTION_STEP[direction];
        int at = square;
        for (int n = tables.rayLength[square][direction]; n > 0; --n) {
            at += step;
            const char piece = record.board[at];
            if (piece == EMPTY_SQUARE) continue;
            if (piece == slider || piece == queen) return 1;
            break;
        }
    }
    return 0;
}
