// Making a move: the one operation of the rules that writes a record.
#pragma once

#include <cstdlib>

#include "rules/position.h"

// Writes into successor the position after the piece on (fromFile, fromRank)
// moves to (toFile, toRank): castling's rook, the pawn taken en passant,
// promotion to a queen, the castling rights, the en passant square, the side
// to move and the move number. The move must be one that CheckMove accepts or
// a generator lists. record and successor may be the same object.
void MakeMove(PositionRecord record, int fromFile, int fromRank, int toFile, int toRank,
              PositionRecord& successor);

// The squares of the move that leads from position to successor, which must
// be one move apart; castling is given as the king's move.
void DeriveMove(PositionRecord position, PositionRecord successor, Square& from, Square& to);

namespace make_move_detail {

inline void LoseRightsOnRookSquare(char rook, int file, char* castling) {
    if (rook == 'R') {
        if (file == 8) castling[0] = '-';
        if (file == 1) castling[1] = '-';
    } else if (rook == 'r') {
        if (file == 8) castling[2] = '-';
        if (file == 1) castling[3] = '-';
    }
}

inline void MovePawn(const PositionRecord& record, char pawn, int from, int to,
                     PositionRecord& successor) {
    const bool white = pawn == 'P';
    const int toFile = to % 8 + 1, toRank = to / 8 + 1, fromRank = from / 8 + 1;
    if (std::abs(toRank - fromRank) == 2) {
        const char enemyPawn = white ? 'p' : 'P';
        if (PieceAt(record, toFile - 1, toRank) == enemyPawn ||
            PieceAt(record, toFile + 1, toRank) == enemyPawn) {
            successor.enPassant[0] = static_cast<char>('A' + from % 8);
            successor.enPassant[1] = white ? '3' : '6';
        }
    } else if (IsEnPassantSquare(record, toFile, toRank)) {
        successor.board[SquareIndex(toFile, fromRank)] = EMPTY_SQUARE;
    } else if (toRank == (white ? 8 : 1)) {
        successor.board[to] = white ? 'Q' : 'q';
    }
}

}  // namespace make_move_detail

// MakeMove on board indexes (0 = a1), for the engine's hot path. record and
// successor must be different objects.
inline void MakeMoveFast(const PositionRecord& record, int from, int to,
                         PositionRecord& successor) {
    using namespace make_move_detail;
    const char mover = record.board[from];
    const char taken = record.board[to];
    successor = record;
    successor.board[from] = EMPTY_SQUARE;
    successor.board[to] = mover;
    successor.enPassant[0] = '-';
    successor.enPassant[1] = '-';
    if (record.sideToMove == 'w') {
        successor.sideToMove = 'b';
    } else {
        successor.sideToMove = 'w';
        if (record.sideToMove == 'b') ++successor.moveNumber;
    }

    const int fromFile = from % 8 + 1, toFile = to % 8 + 1;
    switch (mover) {
        case 'K':
        case 'k': {
            const bool white = mover == 'K';
            char* rights = successor.castling + (white ? 0 : 2);
            rights[0] = rights[1] = '-';
            if (std::abs(toFile - fromFile) == 2) {
                const int base = white ? 0 : 56;
                const char rook = white ? 'R' : 'r';
                if (toFile == 7) {
                    successor.board[base + 7] = EMPTY_SQUARE;
                    successor.board[base + 5] = rook;
                } else if (toFile == 3) {
                    successor.board[base + 0] = EMPTY_SQUARE;
                    successor.board[base + 3] = rook;
                }
            }
            break;
        }
        case 'R':
        case 'r': LoseRightsOnRookSquare(mover, fromFile, successor.castling); break;
        case 'P':
        case 'p': MovePawn(record, mover, from, to, successor); break;
        default: break;
    }

    switch (taken) {
        case 'K': successor.castling[0] = successor.castling[1] = '-'; break;
        case 'k': successor.castling[2] = successor.castling[3] = '-'; break;
        default: LoseRightsOnRookSquare(taken, toFile, successor.castling); break;
    }
}
