// The move generators, one per kind of piece, as templates over what is done
// with each target: the engine makes its successors straight from the walk.
// Each lists the pseudo-legal targets of the piece on from, in a fixed order.
// Squares here are board indexes (0 = a1).
#pragma once

#include "rules/board_geometry.h"
#include "rules/legality.h"
#include "rules/position.h"

// Walks each direction from near to far: empty squares, then at most one capture.
template <typename Emit>
inline void SlideTargets(const PositionRecord& record, int from, const int* directions, int count,
                         Emit&& emit) {
    const char side = SideOf(record.board[from]);
    for (int d = 0; d < count; ++d) {
        const int direction = directions[d];
        const int step = geometry::DIRECTION_STEP[direction];
        int to = from;
        for (int n = geometry::TABLES.rayLength[from][direction]; n > 0; --n) {
            to += step;
            const char piece = record.board[to];
            if (piece == EMPTY_SQUARE) {
                emit(to);
                continue;
            }
            if (SideOf(piece) != side) emit(to);
            break;
        }
    }
}

template <typename Emit>
inline void RookTargets(const PositionRecord& record, int from, Emit&& emit) {
    SlideTargets(record, from, geometry::ROOK_DIRECTIONS, 4, emit);
}

template <typename Emit>
inline void BishopTargets(const PositionRecord& record, int from, Emit&& emit) {
    SlideTargets(record, from, geometry::BISHOP_DIRECTIONS, 4, emit);
}

template <typename Emit>
inline void QueenTargets(const PositionRecord& record, int from, Emit&& emit) {
    static constexpr int ALL[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    SlideTargets(record, from, ALL, 8, emit);
}

template <typename Emit>
inline void KnightTargets(const PositionRecord& record, int from, Emit&& emit) {
    const char side = SideOf(record.board[from]);
    const auto& tables = geometry::TABLES;
    for (int jump = 0; jump < tables.knightCount[from]; ++jump) {
        const int to = tables.knightTarget[from][jump];
        if (SideOf(record.board[to]) != side) emit(to);
    }
}

// The eight neighbours, then the castling destinations, king side first.
template <typename Emit>
inline void KingTargets(const PositionRecord& record, int from, Emit&& emit) {
    const char side = SideOf(record.board[from]);
    for (int direction = 0; direction < 8; ++direction) {
        if (geometry::TABLES.rayLength[from][direction] == 0) continue;
        const int to = from + geometry::DIRECTION_STEP[direction];
        if (SideOf(record.board[to]) != side) emit(to);
    }
    // Castling starts from the king's own square, e1 or e8, and needs its
    // right's letter. A king elsewhere on a record that still holds a right
    // (only a record made by hand can be so) would otherwise "castle" onto
    // its own square or onto one of its own pieces.
    const int rights = side == 'w' ? 0 : 2;
    if (from != (side == 'w' ? 4 : 60)) return;
    if (record.castling[rights] == '-' && record.castling[rights + 1] == '-') return;
    const int options = CastlingOptions(record, side);
    const int rankBase = from - from % 8;
    if (options & CASTLE_KING_SIDE) emit(rankBase + 6);
    if (options & CASTLE_QUEEN_SIDE) emit(rankBase + 2);
}

// Single step, double step from the home rank, left capture, right capture.
template <typename Emit>
inline void PawnTargets(const PositionRecord& record, int from, Emit&& emit) {
    const char side = SideOf(record.board[from]);
    const bool white = side == 'w';
    const int file = from % 8 + 1, rank = from / 8 + 1;
    const int up = white ? 1 : -1;
    const int homeRank = white ? 2 : 7;
    const int step = 8 * up;
    if (PieceAt(record, file, rank + up) == EMPTY_SQUARE) {
        emit(from + step);
        if (rank == homeRank && PieceAt(record, file, rank + 2 * up) == EMPTY_SQUARE)
            emit(from + 2 * step);
    }
    for (int df = -1; df <= 1; df += 2) {
        const char piece = PieceAt(record, file + df, rank + up);
        if (piece == OFF_BOARD) continue;
        if (piece == EMPTY_SQUARE) {
            if (IsEnPassantSquare(record, file + df, rank + up) && record.sideToMove == side)
                emit(from + step + df);
        } else if (SideOf(piece) != side) {
            emit(from + step + df);
        }
    }
}

// Calls the walk for the piece on from; nothing for a byte that is not a piece.
template <typename Emit>
inline void PieceTargets(const PositionRecord& record, int from, Emit&& emit) {
    switch (PieceKind(record.board[from])) {
        case 'r': RookTargets(record, from, emit); break;
        case 'n': KnightTargets(record, from, emit); break;
        case 'b': BishopTargets(record, from, emit); break;
        case 'q': QueenTargets(record, from, emit); break;
        case 'k': KingTargets(record, from, emit); break;
        case 'p': PawnTargets(record, from, emit); break;
        default: break;
    }
}
