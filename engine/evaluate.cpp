#include "engine/evaluate.h"

#include <cstdint>
#include <cstring>

#if defined(_MSC_VER)
#include <intrin.h>
#endif

namespace {

constexpr int SIDE_TO_MOVE_BONUS = 15;
constexpr int CASTLING_RIGHTS_BONUS = 50;
constexpr int MINOR_AND_ROOK_WORTH = 30;  // per rook, knight or bishop, in the count term

// The value tables in relative coordinates: Black's are White's turned half a
// turn, so both rank and file are counted from Black's side.
constexpr int RelativeValue(char kind, int f, int r) {
    switch (kind) {
        case 'r': return 450;
        case 'q': return r == 1 ? 850 : 876;
        case 'b': return r == 1 ? 300 : r <= 3 ? 329 : 330;
        case 'n': {
            constexpr int byRank[9] = {0, 290, 320, 321, 348, 348, 376, 376, 290};
            return byRank[r] + (f == 1 || f == 8 ? 0 : 10);
        }
        case 'p':
            if ((f == 4 || f == 5) && r == 3) return 127;
            if ((f == 4 || f == 5) && (r == 4 || r == 5)) return 131;
            return 100;
        case 'k': {
            constexpr int backRank[9] = {0, 30, 200, 30, 0, 0, 0, 200, 30};
            return r == 1 ? backRank[f] : 0;
        }
        default: return 0;
    }
}

constexpr int SquareValue(char letter, int file, int rank) {
    const bool black = SideOf(letter) == 'b';
    return RelativeValue(PieceKind(letter), black ? 9 - file : file, black ? 9 - rank : rank);
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

int PieceSquareValue(char letter, int file, int rank) {
    if (file < 1 || file > 8 || rank < 1 || rank > 8) return 0;
    return SquareValue(letter, file, rank);
}

int PieceCountTerm(const PositionRecord& position, char side) {
    int count = 0;
    for (char letter : position.board) {
        if (SideOf(letter) == side && IsCountedPiece(letter)) ++count;
    }
    return MINOR_AND_ROOK_WORTH * (count - 3);
}

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
