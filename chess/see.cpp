#include "chess/see.h"

#include "chess/evaluate.h"

namespace chess {

namespace {

// What a pawn's promotion adds: the new piece in place of the pawn.
int PromotionGain(int type) { return PieceValue(type) - PieceValue(PAWN); }

}  // namespace

int StaticExchange(const Board& board, Move move) {
    if (KindOf(move) == CASTLE) return 0;
    int from = FromOf(move), to = ToOf(move);
    int gain[32];
    int depth = 0;
    int victim = board.squares[to];
    gain[0] = KindOf(move) == EN_PASSANT ? PieceValue(PAWN)
              : victim == NO_PIECE       ? 0
                                         : PieceValue(TypeOfPiece(victim));
    int onSquare = TypeOfPiece(board.squares[from]);
    if (IsPromotion(move)) {
        onSquare = PromotionType(move);
        gain[0] += PromotionGain(onSquare);
    }
    // Pawns recapturing on the last rank promote, to a queen.
    bool promotionRank = RankOf(to) == 0 || RankOf(to) == 7;
    Bitboard occupied = board.occupied ^ Bit(from);
    if (KindOf(move) == EN_PASSANT) occupied ^= Bit(to ^ 8);
    int side = board.side ^ 1;
    Bitboard attackers = AttackersOf(board, to, occupied) & occupied;
    while (depth < 30) {
        Bitboard mine = attackers & board.colors[side];
        if (!mine) break;
        int type = PAWN;
        Bitboard candidates = mine & board.pieces[side][PAWN];
        while (!candidates) candidates = mine & board.pieces[side][++type];
        // A king may recapture only onto a square nobody defends any more.
        if (type == KING && (attackers & board.colors[side ^ 1])) break;
        ++depth;
        gain[depth] = PieceValue(onSquare) - gain[depth - 1];
        if (type == PAWN && promotionRank) {
            type = QUEEN;
            gain[depth] += PromotionGain(QUEEN);
        }
        occupied ^= candidates & (~candidates + 1);
        attackers = AttackersOf(board, to, occupied) & occupied;
        onSquare = type;
        side ^= 1;
    }
    while (depth > 0) {
        int keep = -gain[depth - 1], take = gain[depth];
        gain[depth - 1] = -(keep > take ? keep : take);
        --depth;
    }
    return gain[0];
}

}  // namespace chess
