#include "engine/evaluate.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr int SIDE_TO_MOVE_BONUS = 15;
constexpr int CASTLING_RIGHTS_BONUS = 50;
constexpr int MINOR_AND_ROOK_WORTH = 30;  // per rook, knight or bishop, in the count term

constexpr char Lower(char letter) {
    return letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter + 32) : letter;
}

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

constexpr char SideOfLetter(char letter) {
    switch (letter) {
        case 'K': case 'Q': case 'R': case 'B': case 'N': case 'P': return 'w';
        case 'k': case 'q': case 'r': case 'b': case 'n': case 'p': return 'b';
        default: return NO_SIDE;
    }
}

constexpr int SquareValue(char letter, int file, int rank) {
    const bool black = SideOfLetter(letter) == 'b';
    return RelativeValue(Lower(letter), black ? 9 - file : file, black ? 9 - rank : rank);
}

constexpr bool IsCountedPiece(char letter) {
    const char kind = Lower(letter);
    return kind == 'r' || kind == 'n' || kind == 'b';
}

// For every byte and square, what a piece there adds to White's total minus
// Black's. The count term folds in as 30 per rook, knight and bishop: each
// side's -90 cancels in the difference.
struct EvaluationTables {
    int16_t balance[256][64];
    uint8_t kingBit[256];  // 1 for 'K', 2 for 'k'
};

constexpr EvaluationTables MakeTables() {
    EvaluationTables tables{};
    for (int byte = 0; byte < 256; ++byte) {
        const char letter = static_cast<char>(byte);
        const char side = SideOfLetter(letter);
        if (side == NO_SIDE) continue;
        for (int square = 0; square < 64; ++square) {
            int value = SquareValue(letter, square % 8 + 1, square / 8 + 1);
            if (IsCountedPiece(letter)) value += MINOR_AND_ROOK_WORTH;
            tables.balance[byte][square] = static_cast<int16_t>(side == 'w' ? value : -value);
        }
    }
    tables.kingBit[static_cast<unsigned char>('K')] = 1;
    tables.kingBit[static_cast<unsigned char>('k')] = 2;
    return tables;
}

constexpr EvaluationTables TABLES = MakeTables();

float KingLost(const PositionRecord& position, char loser) {
    return position.sideToMove == loser ? -KING_LOST_SCORE : KING_LOST_SCORE;
}

}  // namespace

int IsKingMissing(const PositionRecord& position, char side) {
    const char king = side == 'w' ? 'K' : side == 'b' ? 'k' : 0;
    return king == 0 || std::memchr(position.board, king, 64) == nullptr ? 1 : 0;
}

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

float EvaluatePosition(const PositionRecord& position) {
    int balance = 0;
    unsigned kings = 0;
    for (int square = 0; square < 64; ++square) {
        const auto byte = static_cast<unsigned char>(position.board[square]);
        balance += TABLES.balance[byte][square];
        kings |= TABLES.kingBit[byte];
    }
    if (!(kings & 1)) return KingLost(position, 'w');
    if (!(kings & 2)) return KingLost(position, 'b');

    const char* rights = position.castling;
    if (rights[0] != '-' || rights[1] != '-') balance += CASTLING_RIGHTS_BONUS;
    if (rights[2] != '-' || rights[3] != '-') balance -= CASTLING_RIGHTS_BONUS;
    const int score = (position.sideToMove == 'w' ? balance : -balance) + SIDE_TO_MOVE_BONUS;
    return static_cast<float>(score);
}
