#include "engine/evaluate.h"

#include <cstdint>
#include <cstring>

#include "engine/piece_square_tables.h"

#if defined(_MSC_VER)
#include <intrin.h>
#endif

namespace {

constexpr int SIDE_TO_MOVE_BONUS = 15;
constexpr int CASTLING_RIGHTS_BONUS = 50;
constexpr int MINOR_AND_ROOK_WORTH = 30;  // per rook, knight or bishop, in the count term

// The value of a piece letter of either colour on (file, rank), read from
// its kind's table; 0 for a byte that is no piece.
int SquareValue(char letter, int file, int rank) {
    const bool black = SideOf(letter) == 'b';
    const int row = black ? rank - 1 : 8 - rank;
    const int column = black ? 8 - file : file - 1;
    for (const PieceSquareTable& table : PIECE_SQUARE_TABLES) {
        if (table.kind == PieceKind(letter)) return table.values[row][column];
    }
    return 0;
}

constexpr bool IsCountedPiece(char letter) {
    const char kind = PieceKind(letter);
    return kind == 'r' || kind == 'n' || kind == 'b';
}

// For every byte and square, what a piece there adds to White's total minus
// Black's, with a count of each king above it so that one pass and one table
// read per square give both. The count term folds in as 30 per rook, knight
// and bishop: each side's -90 cancels in the difference.
//
// Layout of an entry: bits 0-31 the balance plus BALANCE_OFFSET (so that the
// sum of 64 entries never borrows from the king counts), bits 32-39 the white
// kings, bits 40-47 the black kings.
constexpr int64_t BALANCE_OFFSET = 1 << 15;
constexpr int64_t WHITE_KING = int64_t{1} << 32;
constexpr int64_t BLACK_KING = int64_t{1} << 40;

struct EvaluationTable {
    int64_t entry[256][64];
};

EvaluationTable MakeTable() {
    EvaluationTable table{};
    for (int byte = 0; byte < 256; ++byte) {
        const char letter = static_cast<char>(byte);
        const char side = SideOf(letter);
        for (int square = 0; square < 64; ++square) {
            int value = SquareValue(letter, square % 8 + 1, square / 8 + 1);
            if (IsCountedPiece(letter)) value += MINOR_AND_ROOK_WORTH;
            int64_t entry = BALANCE_OFFSET + (side == 'w' ? value : side == 'b' ? -value : 0);
            if (letter == 'K') entry += WHITE_KING;
            if (letter == 'k') entry += BLACK_KING;
            table.entry[byte][square] = entry;
        }
    }
    return table;
}

// Built when the program starts rather than by the compiler: 16,384 entries
// are more constant evaluation than every compiler allows by default.
const EvaluationTable TABLE = MakeTable();

int LowestSetBit(uint64_t bits) {
#if defined(_MSC_VER)
    unsigned long index;
    _BitScanForward64(&index, bits);
    return static_cast<int>(index);
#else
    return __builtin_ctzll(bits);
#endif
}

float KingLost(const PositionRecord& position, char loser) {
    return position.sideToMove == loser ? -KING_LOST_SCORE : KING_LOST_SCORE;
}

}  // namespace

BoardSum SumBoard(const PositionRecord& position) {
    int64_t sum = 0;
    for (int square = 0; square < 64; ++square)
        sum += TABLE.entry[static_cast<unsigned char>(position.board[square])][square];
    return sum;
}

// Compares the boards eight squares at a time; a move changes two to four.
BoardSum SumChildBoard(BoardSum parentSum, const PositionRecord& parent,
                       const PositionRecord& child) {
    BoardSum sum = parentSum;
    for (int word = 0; word < 8; ++word) {
        uint64_t before, after;
        std::memcpy(&before, parent.board + 8 * word, 8);
        std::memcpy(&after, child.board + 8 * word, 8);
        for (uint64_t changed = before ^ after; changed != 0;) {
            const int byte = LowestSetBit(changed) / 8;
            const int square = 8 * word + byte;
            sum += TABLE.entry[static_cast<unsigned char>(child.board[square])][square] -
                   TABLE.entry[static_cast<unsigned char>(parent.board[square])][square];
            changed &= ~(uint64_t{0xFF} << (8 * byte));
        }
    }
    return sum;
}

float EvaluateBoardSum(const PositionRecord& position, BoardSum sum) {
    if (((sum >> 32) & 0xFF) == 0) return KingLost(position, 'w');
    if (((sum >> 40) & 0xFF) == 0) return KingLost(position, 'b');

    int balance = static_cast<int>((sum & 0xFFFFFFFF) - 64 * BALANCE_OFFSET);
    const char* rights = position.castling;
    if (rights[0] != '-' || rights[1] != '-') balance += CASTLING_RIGHTS_BONUS;
    if (rights[2] != '-' || rights[3] != '-') balance -= CASTLING_RIGHTS_BONUS;
    const int score = (position.sideToMove == 'w' ? balance : -balance) + SIDE_TO_MOVE_BONUS;
    return static_cast<float>(score);
}

float EvaluatePosition(const PositionRecord& position) {
    return EvaluateBoardSum(position, SumBoard(position));
}
