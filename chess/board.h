// The board: bitboards per colour and piece type, a square-to-piece array,
// the castling rights and their rooks, the en passant square, the half-move
// clock and the Zobrist keys, of the position and of its pawns alone, kept up
// to date move by move. Moves are made by
// copy: the caller keeps the board before the move.
#pragma once

#include <cstdint>

#include "chess/bitboard.h"
#include "chess/move.h"

namespace chess {

// A piece is color * 6 + type; NO_PIECE marks an empty square.
constexpr int NO_PIECE = 12;
constexpr int MakePiece(int color, int type) { return color * 6 + type; }
constexpr int ColorOfPiece(int piece) { return piece / 6; }
constexpr int TypeOfPiece(int piece) { return piece % 6; }

enum CastlingRight : int {
    WHITE_SHORT = 1,
    WHITE_LONG = 2,
    BLACK_SHORT = 4,
    BLACK_LONG = 8,
};

// A right's index is the bit it stands for: 0 White short, 1 White long,
// 2 Black short, 3 Black long.
constexpr int CastlingIndex(int color, bool shortSide) { return color * 2 + (shortSide ? 0 : 1); }
// Where castling puts the king and the rook, whatever their start: the g-
// and f-file when short, the c- and d-file when long, on their back rank.
constexpr int CastledKingSquare(int index) { return (index >= 2 ? 56 : 0) + (index % 2 ? 2 : 6); }
constexpr int CastledRookSquare(int index) { return (index >= 2 ? 56 : 0) + (index % 2 ? 3 : 5); }
// A castling move goes from the king's square to its destination, so that
// standard castling reads e1g1; the destination's file tells the side, even
// when the king does not move.
constexpr int CastlingIndexOf(Move move) {
    return (RankOf(FromOf(move)) == 7 ? 2 : 0) + (FileOf(ToOf(move)) == 6 ? 0 : 1);
}

constexpr int NO_SQUARE = -1;

struct Board {
    Bitboard pieces[2][PIECE_TYPES] = {};
    Bitboard colors[2] = {};
    Bitboard occupied = 0;
    uint8_t squares[64];
    int side = WHITE;
    int castling = 0;
    // Set only when a pawn of the side to move could capture there.
    int enPassant = NO_SQUARE;
    // Plies since the last capture or pawn move, for the fifty-move rule.
    int halfMoveClock = 0;
    // Plies since the last move that no earlier position can repeat across:
    // a capture, a pawn move or a null move. Repetitions are looked for only
    // this far back.
    int reversiblePlies = 0;
    // The start square of each right's rook, by right index; fixed for a
    // game, and kept in what would otherwise be padding.
    uint8_t castlingRooks[4] = {7, 0, 63, 56};
    uint64_t key = 0;
    // The pawns' part of the key alone, which the pawn cache is looked up by.
    uint64_t pawnKey = 0;
};

Board EmptyBoard();
void PutPiece(Board& board, int piece, int square);
// Recompute the key and the pawns' key from scratch (after setting up a
// board by hand).
uint64_t ComputeKey(const Board& board);
uint64_t ComputePawnKey(const Board& board);

inline int KingSquare(const Board& board, int color) {
    return LowestSquare(board.pieces[color][KING]);
}

// Every piece of either colour that attacks square, given the occupancy.
Bitboard AttackersOf(const Board& board, int square, Bitboard occupied);
// Every square a piece of color attacks, given the board's occupancy.
Bitboard AttacksOf(const Board& board, int color);
// Whether a piece of byColor attacks square, sliders seeing through every
// square outside occupied.
bool IsAttacked(const Board& board, int square, int byColor, Bitboard occupied);
inline bool IsAttacked(const Board& board, int square, int byColor) {
    return IsAttacked(board, square, byColor, board.occupied);
}
inline bool InCheck(const Board& board) {
    return IsAttacked(board, KingSquare(board, board.side), board.side ^ 1);
}

// Plays a pseudo-legal move of the side to move into next. Returns false,
// leaving next unusable, when the move leaves the mover's king attacked.
bool PlayOnBoard(const Board& board, Move move, Board& next);
// Passes the turn (for null-move pruning); the side to move is not in check.
// The half-move clock stands still and the positions before it become
// unrepeatable.
void PlayNullMove(const Board& board, Board& next);

// Zobrist keys, made once from a fixed seed so keys are the same every run.
struct ZobristKeys {
    uint64_t piece[12][64];
    uint64_t castling[16];
    uint64_t enPassantFile[8];
    uint64_t side;
};
extern const ZobristKeys kZobrist;

}  // namespace chess
