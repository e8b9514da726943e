// The position record: the whole state of a game as one fixed-size value,
// and the three readers every other part of the program uses.
#pragma once

#include <array>
#include <cstdint>

constexpr char EMPTY_SQUARE = '0';
constexpr char OFF_BOARD = static_cast<char>(0xFE);
constexpr char NO_SIDE = static_cast<char>(0xFF);

// A square as (file, rank), each 1..8; file 1 is the a-file, rank 1 White's back rank.
struct Square {
    int32_t file;
    int32_t rank;
};

inline bool operator==(Square a, Square b) { return a.file == b.file && a.rank == b.rank; }

// Every byte is significant: the record is copied and compared whole, so the
// two bytes before moveNumber are spelled out and always zero.
struct PositionRecord {
    char board[65];     // a1, b1, ..., h1, a2, ..., h8, then a zero byte
    char sideToMove;    // 'w' or 'b'
    char castling[5];   // "KQkq" with '-' for each right lost, then a zero byte
    char enPassant[3];  // e.g. "E3", or "--" / "00" for none, then a zero byte
    char reserved[2];
    int32_t moveNumber;
};
static_assert(sizeof(PositionRecord) == 80, "the record has no hidden padding");

bool operator==(const PositionRecord& a, const PositionRecord& b);

// The position at the start of a game, White to move.
PositionRecord InitialPosition();

// 1 when no square holds side's king ('w' or 'b'); 1 for any other side byte.
int IsKingMissing(const PositionRecord& position, char side);

// Index of a square in PositionRecord::board.
constexpr int SquareIndex(int file, int rank) { return (rank - 1) * 8 + (file - 1); }
constexpr bool OnBoard(int file, int rank) {
    return file >= 1 && file <= 8 && rank >= 1 && rank <= 8;
}

// The byte on (file, rank), or OFF_BOARD when the square lies outside the board.
inline char PieceAt(const PositionRecord& record, int file, int rank) {
    return OnBoard(file, rank) ? record.board[SquareIndex(file, rank)] : OFF_BOARD;
}

namespace position_detail {

constexpr std::array<char, 256> MakeSideTable() {
    std::array<char, 256> sides{};
    for (char& side : sides) side = NO_SIDE;
    for (char piece : {'K', 'Q', 'R', 'B', 'N', 'P'})
        sides[static_cast<unsigned char>(piece)] = 'w';
    for (char piece : {'k', 'q', 'r', 'b', 'n', 'p'})
        sides[static_cast<unsigned char>(piece)] = 'b';
    return sides;
}

// The side of every byte, indexed by the byte as unsigned: SideOf is on every hot path.
inline constexpr std::array<char, 256> SideTable = MakeSideTable();

}  // namespace position_detail

// 'w' for a White piece letter, 'b' for a Black one, NO_SIDE for anything else.
constexpr char SideOf(char piece) {
    return position_detail::SideTable[static_cast<unsigned char>(piece)];
}

// The kind of a piece as its lower-case letter ('k', 'q', 'r', 'b', 'n', 'p'),
// whatever its colour; other bytes are returned unchanged.
constexpr char PieceKind(char piece) {
    return piece >= 'A' && piece <= 'Z' ? static_cast<char>(piece - 'A' + 'a') : piece;
}

// 0 for 'w', 1 for 'b', -3 for any other byte.
inline int SideIndex(char side) { return side == 'w' ? 0 : side == 'b' ? 1 : -3; }

// Whether (file, rank) is the record's en passant square. "--", "00" and any
// other content that names no square of the board never match.
inline bool IsEnPassantSquare(const PositionRecord& record, int file, int rank) {
    return record.enPassant[0] - 64 == file && record.enPassant[1] - 48 == rank &&
           OnBoard(file, rank);
}
