#include "chess/movegen.h"

namespace chess {

namespace {

void AddPromotions(MoveList& list, int from, int to, bool underPromotions) {
    list.Add(EncodeMove(from, to, PROMOTE_QUEEN));
    if (!underPromotions) return;
    list.Add(EncodeMove(from, to, PROMOTE_KNIGHT));
    list.Add(EncodeMove(from, to, PROMOTE_ROOK));
    list.Add(EncodeMove(from, to, PROMOTE_BISHOP));
}

void AddTargets(MoveList& list, int from, Bitboard targets) {
    while (targets) list.Add(EncodeMove(from, PopLowest(targets)));
}

// Pawn moves: with quiet false only captures and promotions (queen only).
void GeneratePawnMoves(const Board& board, MoveList& list, bool quiet) {
    int us = board.side;
    Bitboard pawns = board.pieces[us][PAWN];
    Bitboard enemies = board.colors[us ^ 1];
    Bitboard empty = ~board.occupied;
    int forward = us == WHITE ? 8 : -8;
    Bitboard lastRank = RankMask(us == WHITE ? 7 : 0);
    Bitboard doubleRank = RankMask(us == WHITE ? 3 : 4);

    Bitboard single = us == WHITE ? (pawns << 8) & empty : (pawns >> 8) & empty;
    Bitboard promotions = single & lastRank;
    while (promotions) {
        int to = PopLowest(promotions);
        AddPromotions(list, to - forward, to, quiet);
    }
    if (quiet) {
        Bitboard pushes = single & ~lastRank;
        Bitboard doubles = (us == WHITE ? pushes << 8 : pushes >> 8) & empty & doubleRank;
        while (pushes) {
            int to = PopLowest(pushes);
            list.Add(EncodeMove(to - forward, to));
        }
        while (doubles) {
            int to = PopLowest(doubles);
            list.Add(EncodeMove(to - 2 * forward, to, DOUBLE_PUSH));
        }
    }
    Bitboard capturers = pawns;
    while (capturers) {
        int from = PopLowest(capturers);
        Bitboard targets = PawnAttacks(us, from) & enemies;
        while (targets) {
            int to = PopLowest(targets);
            if (Bit(to) & lastRank)
                AddPromotions(list, from, to, quiet);
            else
                list.Add(EncodeMove(from, to));
        }
        if (board.enPassant != NO_SQUARE && (PawnAttacks(us, from) & Bit(board.enPassant)))
            list.Add(EncodeMove(from, board.enPassant, EN_PASSANT));
    }
}

void GenerateCastling(const Board& board, MoveList& list) {
    int us = board.side;
    int king = us == WHITE ? 4 : 60;
    int shortRight = us == WHITE ? WHITE_SHORT : BLACK_SHORT;
    int longRight = us == WHITE ? WHITE_LONG : BLACK_LONG;
    if (!(board.castling & (shortRight | longRight))) return;
    if (IsAttacked(board, king, us ^ 1)) return;
    // The king's destination is checked when the move is played.
    if ((board.castling & shortRight) && !(board.occupied & (Bit(king + 1) | Bit(king + 2))) &&
        !IsAttacked(board, king + 1, us ^ 1))
        list.Add(EncodeMove(king, king + 2, CASTLE));
    if ((board.castling & longRight) &&
        !(board.occupied & (Bit(king - 1) | Bit(king - 2) | Bit(king - 3))) &&
        !IsAttacked(board, king - 1, us ^ 1))
        list.Add(EncodeMove(king, king - 2, CASTLE));
}

void GeneratePieceMoves(const Board& board, MoveList& list, Bitboard targets) {
    int us = board.side;
    Bitboard occupied = board.occupied;
    for (int type = KNIGHT; type <= KING; ++type) {
        Bitboard pieces = board.pieces[us][type];
        while (pieces) {
            int from = PopLowest(pieces);
            Bitboard attacks = type == KNIGHT   ? KnightAttacks(from)
                               : type == BISHOP ? BishopAttacks(from, occupied)
                               : type == ROOK   ? RookAttacks(from, occupied)
                               : type == QUEEN
                                   ? BishopAttacks(from, occupied) | RookAttacks(from, occupied)
                                   : KingAttacks(from);
            AddTargets(list, from, attacks & targets);
        }
    }
}

}  // namespace

void GenerateMoves(const Board& board, MoveList& list) {
    GeneratePawnMoves(board, list, true);
    GeneratePieceMoves(board, list, ~board.colors[board.side]);
    GenerateCastling(board, list);
}

void GenerateNoisyMoves(const Board& board, MoveList& list) {
    GeneratePawnMoves(board, list, false);
    GeneratePieceMoves(board, list, board.colors[board.side ^ 1]);
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
