// Piece-square tables from White's point of view (a1 = 0), made from a few
// ideas rather than typed in: knights and bishops want the centre, pawns want
// to advance in the centre, rooks want the seventh rank, the king hides in a
// corner while queens are about and walks to the centre in the end game.
#pragma once

#include "chess/bitboard.h"

namespace chess {

struct PieceSquareTables {
    int middle[PIECE_TYPES][64];
    int end[PIECE_TYPES][64];
};

namespace piece_square_detail {

// 0 on the four centre squares up to 3 on the rim.
constexpr int CentreRing(int square) {
    int file = FileOf(square), rank = RankOf(square);
    int df = file < 4 ? 3 - file : file - 4;
    int dr = rank < 4 ? 3 - rank : rank - 4;
    return df > dr ? df : dr;
}

constexpr PieceSquareTables Make() {
    PieceSquareTables t{};
    constexpr int pawnAdvanceMiddle[8] = {0, 0, 2, 6, 14, 28, 50, 0};
    constexpr int pawnAdvanceEnd[8] = {0, 0, 4, 10, 20, 35, 60, 0};
    constexpr int kingShelter[8] = {20, 30, 10, 0, 0, 10, 30, 20};
    for (int sq = 0; sq < 64; ++sq) {
        int file = FileOf(sq), rank = RankOf(sq), ring = CentreRing(sq);
        bool centreFile = file >= 2 && file <= 5;
        bool innerFile = file == 3 || file == 4;
        t.middle[PAWN][sq] = pawnAdvanceMiddle[rank] + (innerFile && rank >= 2 ? 12 : 0) +
                             (centreFile && rank == 1 ? -6 : 0);
        t.end[PAWN][sq] = pawnAdvanceEnd[rank];
        t.middle[KNIGHT][sq] = 18 - 12 * ring - (rank == 0 ? 8 : 0);
        t.end[KNIGHT][sq] = 15 - 12 * ring;
        t.middle[BISHOP][sq] = 10 - 6 * ring - (rank == 0 ? 6 : 0);
        t.end[BISHOP][sq] = 8 - 6 * ring;
        t.middle[ROOK][sq] = (rank == 6 ? 18 : 0) + (innerFile ? 6 : 0);
        t.end[ROOK][sq] = rank == 6 ? 12 : 0;
        t.middle[QUEEN][sq] = 4 - 3 * ring;
        t.end[QUEEN][sq] = 12 - 8 * ring;
        t.middle[KING][sq] = rank == 0 ? kingShelter[file] : rank == 1 ? -10 : -25 - 12 * rank;
        t.end[KING][sq] = 30 - 18 * ring;
    }
    return t;
}

}  // namespace piece_square_detail

inline constexpr PieceSquareTables kPieceSquare = piece_square_detail::Make();

}  // namespace chess
