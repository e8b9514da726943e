#include "chess/movegen.h"

namespace chess {

namespace {

constexpr int kUnderPromotions[] = {PROMOTE_KNIGHT, PROMOTE_BISHOP, PROMOTE_ROOK};

void AddTargets(MoveList& list, int from, Bitboard targets) {
    while (targets) list.Add(EncodeMove(from, PopLowest(targets)));
}

int Forward(int color) { return color == WHITE ? 8 : -8; }

Bitboard LastRank(int color) { return RankMask(color == WHITE ? 7 : 0); }

Bitboard SinglePushes(const Board& board) {
    Bitboard pawns = board.pieces[board.side][PAWN];
    Bitboard pushed = board.side == WHITE ? pawns << 8 : pawns >> 8;
    return pushed & ~board.occupied;
}

// Calls addMove(from, to) for every pawn capture onto a square of targets.
template <typename AddMove>
void ForEachPawnCapture(const Board& board, Bitboard targets, AddMove addMove) {
    int us = board.side;
    Bitboard pawns = board.pieces[us][PAWN];
    while (pawns) {
        int from = PopLowest(pawns);
        Bitboard reached = PawnAttacks(us, from) & targets;
        while (reached) addMove(from, PopLowest(reached));
    }
}

Bitboard PieceAttacks(int type, int from, Bitboard occupied) {
    switch (type) {
        case KNIGHT: return KnightAttacks(from);
        case BISHOP: return BishopAttacks(from, occupied);
        case ROOK: return RookAttacks(from, occupied);
        case QUEEN: return BishopAttacks(from, occupied) | RookAttacks(from, occupied);
        default: return KingAttacks(from);
    }
}

void GeneratePieceMoves(const Board& board, MoveList& list, Bitboard targets) {
    for (int type = KNIGHT; type <= KING; ++type) {
        Bitboard pieces = board.pieces[board.side][type];
        while (pieces) {
            int from = PopLowest(pieces);
            AddTargets(list, from, PieceAttacks(type, from, board.occupied) & targets);
        }
    }
}

// The squares from a to b, both included, on one rank.
Bitboard Span(int a, int b) {
    int low = a < b ? a : b, high = a < b ? b : a;
    return (Bit(high) << 1) - Bit(low);
}

// Castling by the right of index, when every square the king and the rook
// cross or land on is empty but for the two of them, and no square the king
// crosses is attacked. The attacks are looked for with both lifted: the
// rook on its start square could otherwise hide an attack along the rank.
// The king's start square is checked by the caller, its destination when
// the move is played.
void AddCastling(const Board& board, int king, int index, MoveList& list) {
    int rook = board.castlingRooks[index];
    int kingTo = CastledKingSquare(index), rookTo = CastledRookSquare(index);
    Bitboard others = board.occupied ^ Bit(king) ^ Bit(rook);
    if ((Span(king, kingTo) | Span(rook, rookTo)) & others) return;
    Bitboard crossed = Span(king, kingTo) & ~(Bit(king) | Bit(kingTo));
    while (crossed)
        if (IsAttacked(board, PopLowest(crossed), board.side ^ 1, others)) return;
    list.Add(EncodeMove(king, kingTo, CASTLE));
}

void GenerateCastling(const Board& board, MoveList& list) {
    int us = board.side;
    int shortIndex = CastlingIndex(us, true), longIndex = CastlingIndex(us, false);
    int rights = board.castling & ((1 << shortIndex) | (1 << longIndex));
    if (!rights) return;
    int king = KingSquare(board, us);
    if (IsAttacked(board, king, us ^ 1)) return;
    if (rights & (1 << shortIndex)) AddCastling(board, king, shortIndex, list);
    if (rights & (1 << longIndex)) AddCastling(board, king, longIndex, list);
}

bool IsPseudoLegalPawnMove(const Board& board, Move move) {
    int us = board.side, from = FromOf(move), to = ToOf(move), kind = KindOf(move);
    if (kind == EN_PASSANT) return to == board.enPassant && (PawnAttacks(us, from) & Bit(to));
    if (kind == DOUBLE_PUSH) {
        int over = from + Forward(us);
        return to == over + Forward(us) && RankOf(from) == (us == WHITE ? 1 : 6) &&
               !(board.occupied & (Bit(over) | Bit(to)));
    }
    if (kind != NORMAL && !IsPromotion(move)) return false;
    if (IsPromotion(move) != bool(Bit(to) & LastRank(us))) return false;
    if (to == from + Forward(us)) return !(board.occupied & Bit(to));
    return PawnAttacks(us, from) & board.colors[us ^ 1] & Bit(to);
}

bool IsPseudoLegalCastling(const Board& board, Move move) {
    MoveList castles;
    GenerateCastling(board, castles);
    for (int i = 0; i < castles.count; ++i)
        if (castles.moves[i] == move) return true;
    return false;
}

}  // namespace

void GenerateMoves(const Board& board, MoveList& list) {
    GenerateNoisyMoves(board, list);
    GenerateQuietMoves(board, list);
    GenerateUnderPromotions(board, list);
}

void GenerateNoisyMoves(const Board& board, MoveList& list) {
    int us = board.side;
    Bitboard promotions = SinglePushes(board) & LastRank(us);
    while (promotions) {
        int to = PopLowest(promotions);
        list.Add(EncodeMove(to - Forward(us), to, PROMOTE_QUEEN));
    }
    ForEachPawnCapture(board, board.colors[us ^ 1], [&](int from, int to) {
        list.Add(EncodeMove(from, to, Bit(to) & LastRank(us) ? PROMOTE_QUEEN : NORMAL));
    });
    if (board.enPassant != NO_SQUARE)
        ForEachPawnCapture(board, Bit(board.enPassant),
                           [&](int from, int to) { list.Add(EncodeMove(from, to, EN_PASSANT)); });
    GeneratePieceMoves(board, list, board.colors[us ^ 1]);
}

void GenerateQuietMoves(const Board& board, MoveList& list) {
    int us = board.side, forward = Forward(us);
    Bitboard pushes = SinglePushes(board) & ~LastRank(us);
    Bitboard doubles =
        (us == WHITE ? pushes << 8 : pushes >> 8) & ~board.occupied & RankMask(us == WHITE ? 3 : 4);
    while (pushes) {
        int to = PopLowest(pushes);
        list.Add(EncodeMove(to - forward, to));
    }
    while (doubles) {
        int to = PopLowest(doubles);
        list.Add(EncodeMove(to - 2 * forward, to, DOUBLE_PUSH));
    }
    GeneratePieceMoves(board, list, ~board.occupied);
    GenerateCastling(board, list);
}

void GenerateUnderPromotions(const Board& board, MoveList& list) {
    int us = board.side;
    Bitboard lastRank = LastRank(us);
    if (!(board.pieces[us][PAWN] & (us == WHITE ? lastRank >> 8 : lastRank << 8))) return;
    auto addAll = [&](int from, int to) {
        for (int kind : kUnderPromotions) list.Add(EncodeMove(from, to, kind));
    };
    Bitboard promotions = SinglePushes(board) & lastRank;
    while (promotions) {
        int to = PopLowest(promotions);
        addAll(to - Forward(us), to);
    }
    ForEachPawnCapture(board, board.colors[us ^ 1] & lastRank, addAll);
}

bool IsPseudoLegal(const Board& board, Move move) {
    int from = FromOf(move), to = ToOf(move), kind = KindOf(move);
    int piece = board.squares[from];
    if (move == NO_MOVE || piece == NO_PIECE || ColorOfPiece(piece) != board.side) return false;
    int type = TypeOfPiece(piece);
    // The castling rook may stand on the king's destination.
    if (kind == CASTLE) return type == KING && IsPseudoLegalCastling(board, move);
    if (board.colors[board.side] & Bit(to)) return false;
    if (type == PAWN) return IsPseudoLegalPawnMove(board, move);
    return kind == NORMAL && (PieceAttacks(type, from, board.occupied) & Bit(to));
}

bool HasLegalMove(const Board& board) {
    MoveList list;
    GenerateMoves(board, list);
    Board next;
    for (int i = 0; i < list.count; ++i)
        if (PlayOnBoard(board, list.moves[i], next)) return true;
    return false;
}

}  // namespace chess
