#include "uci/notation.h"

#include "rules/legality.h"
#include "rules/make_move.h"
#include "uci/text.h"

namespace {

bool IsPromotion(char mover, Square to) {
    return (mover == 'P' && to.rank == 8) || (mover == 'p' && to.rank == 1);
}

bool ReadSquare(const std::string& text, std::size_t at, Square& square) {
    const char file = text[at], rank = text[at + 1];
    if (file < 'a' || file > 'h' || rank < '1' || rank > '8') return false;
    square = Square{file - 'a' + 1, rank - '0'};
    return true;
}

const char* PieceName(char piece) {
    switch (piece) {
        case 'K':
        case 'k': return "king";
        case 'Q':
        case 'q': return "queen";
        case 'R':
        case 'r': return "rook";
        case 'B':
        case 'b': return "bishop";
        case 'N':
        case 'n': return "knight";
        default: return "pawn";
    }
}

const char* SideName(char side) { return side == 'w' ? "White" : "Black"; }

// "e2" for Square{5, 2}.
std::string SquareText(Square square) {
    return {static_cast<char>('a' + square.file - 1), static_cast<char>('0' + square.rank)};
}

// The squares and the promotion mark of a move's text, checked for form only.
bool ReadMoveText(const std::string& text, Square& from, Square& to, bool& queen,
                  std::string& error) {
    const bool shaped = (text.size() == 4 || text.size() == 5) && ReadSquare(text, 0, from) &&
                        ReadSquare(text, 2, to);
    if (!shaped) {
        error = "malformed move " + Quoted(text) +
                ": expected two squares such as e2e4, and q on a promotion";
        return false;
    }
    queen = text.size() == 5;
    if (queen && text[4] != 'q') {
        error = "bad promotion in " + Quoted(text) +
                (text[4] == 'r' || text[4] == 'b' || text[4] == 'n'
                     ? ": the rules promote only to a queen (q)"
                     : ": the letter after the squares may only be q");
        return false;
    }
    return true;
}

}  // namespace

std::string MoveText(const PositionRecord& position, Square from, Square to) {
    std::string text = SquareText(from) + SquareText(to);
    if (IsPromotion(PieceAt(position, from.file, from.rank), to)) text += 'q';
    return text;
}

std::string SuccessorMoveText(const PositionRecord& position, const PositionRecord& successor) {
    Square from{}, to{};
    DeriveMove(position, successor, from, to);
    return MoveText(position, from, to);
}

bool PlayMoveText(const PositionRecord& position, const std::string& text, PositionRecord& next,
                  std::string& error) {
    Square from{}, to{};
    bool queen = false;
    if (!ReadMoveText(text, from, to, queen, error)) return false;
    const char mover = PieceAt(position, from.file, from.rank);
    const std::string move = Quoted(text);
    if (SideOf(mover) == NO_SIDE) {
        error = "illegal move " + move + ": there is no piece on " + SquareText(from);
        return false;
    }
    if (SideOf(mover) != position.sideToMove) {
        error = "illegal move " + move + ": the " + PieceName(mover) + " on " + SquareText(from) +
                " is " + SideName(SideOf(mover)) + "'s, and " + SideName(position.sideToMove) +
                " is to move";
        return false;
    }
    if (queen && !IsPromotion(mover, to)) {
        error = "illegal move " + move + ": only a pawn move to the last rank may carry q";
        return false;
    }
    if (CheckMove(position, from.file, from.rank, to.file, to.rank) != MOVE_LEGAL) {
        error = "illegal move " + move + ": the " + PieceName(mover) + " on " + SquareText(from) +
                " cannot move to " + SquareText(to);
        return false;
    }
    MakeMove(position, from.file, from.rank, to.file, to.rank, next);
    return true;
}
