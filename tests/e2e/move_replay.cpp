#include "move_replay.h"

#include <cctype>

#include "rules/legality.h"
#include "rules/make_move.h"

namespace {

constexpr char BLACK_PREFIX[] = "             ";  // 13 spaces

bool ParseSquare(const std::string& text, size_t at, Square& square) {
    if (at + 2 > text.size()) return false;
    const char file = text[at], rank = text[at + 1];
    if (file < 'A' || file > 'H' || rank < '1' || rank > '8') return false;
    square = Square{file - 'A' + 1, rank - '0'};
    return true;
}

// "E2 - E4" at the end of text, from position at.
bool ParseMoveText(const std::string& text, size_t at, RecordedMove& move) {
    return text.size() == at + 7 && ParseSquare(text, at, move.from) &&
           text.compare(at + 2, 3, " - ") == 0 && ParseSquare(text, at + 5, move.to);
}

}  // namespace

bool ParseEntry(const std::string& text, RecordedMove& move) {
    if (text.compare(0, 13, BLACK_PREFIX) == 0) {
        move.white = false;
        move.number = 0;
        return ParseMoveText(text, 13, move);
    }
    size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
    if (digits == 0 || text[0] == '0' || text.compare(digits, 2, ". ") != 0) return false;
    move.white = true;
    move.number = std::stoi(text.substr(0, digits));
    return ParseMoveText(text, digits + 2, move);
}

bool ReplayEntries(const std::vector<std::string>& entries, PositionRecord& position,
                   std::string& error) {
    position = InitialPosition();
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string where = "entry " + std::to_string(i + 1) + " \"" + entries[i] + "\"";
        RecordedMove move{};
        if (!ParseEntry(entries[i], move)) {
            error = where + " is not a move entry";
            return false;
        }
        const char side = move.white ? 'w' : 'b';
        if (side != position.sideToMove) {
            error = where + " is a move of the side not to move";
            return false;
        }
        if (move.white && move.number != position.moveNumber) {
            error = where + " should carry the number " + std::to_string(position.moveNumber);
            return false;
        }
        const char piece = PieceAt(position, move.from.file, move.from.rank);
        if (SideOf(piece) != side || CheckMove(position, move.from.file, move.from.rank,
                                               move.to.file, move.to.rank) != MOVE_LEGAL) {
            error = where + " is not a legal move";
            return false;
        }
        MakeMove(position, move.from.file, move.from.rank, move.to.file, move.to.rank, position);
    }
    return true;
}

bool FindLegalMove(const PositionRecord& position, Square& from, Square& to) {
    for (int origin = 0; origin < 64; ++origin) {
        if (SideOf(position.board[origin]) != position.sideToMove) continue;
        for (int target = 0; target < 64; ++target) {
            if (PieceKind(position.board[target]) == 'k') continue;
            const Square a{origin % 8 + 1, origin / 8 + 1}, b{target % 8 + 1, target / 8 + 1};
            if (CheckMove(position, a.file, a.rank, b.file, b.rank) == MOVE_LEGAL) {
                from = a;
                to = b;
                return true;
            }
        }
    }
    return false;
}

bool SideToMoveHasKing(const PositionRecord& position) {
    const char king = position.sideToMove == 'w' ? 'K' : 'k';
    for (char square : position.board)
        if (square == king) return true;
    return false;
}
