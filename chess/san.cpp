#include "chess/san.h"

namespace chess {

namespace {

constexpr char kTypeLetters[] = "PNBRQK";

std::string SquareName(int square) {
    return {static_cast<char>('a' + FileOf(square)), static_cast<char>('1' + RankOf(square))};
}

// The file, the rank or both of the origin, when another piece of the same
// type could go to the same square.
std::string Disambiguation(const Board& board, Move move, const MoveList& legal) {
    int from = FromOf(move), type = TypeOfPiece(board.squares[from]);
    bool clash = false, sameFile = false, sameRank = false;
    for (int i = 0; i < legal.count; ++i) {
        int other = FromOf(legal.moves[i]);
        if (other == from || ToOf(legal.moves[i]) != ToOf(move)) continue;
        if (TypeOfPiece(board.squares[other]) != type) continue;
        clash = true;
        sameFile |= FileOf(other) == FileOf(from);
        sameRank |= RankOf(other) == RankOf(from);
    }
    if (!clash) return "";
    if (!sameFile) return SquareName(from).substr(0, 1);
    if (!sameRank) return SquareName(from).substr(1, 1);
    return SquareName(from);
}

std::string PieceMove(const Board& board, Move move, const MoveList& legal) {
    int from = FromOf(move), to = ToOf(move), type = TypeOfPiece(board.squares[from]);
    if (KindOf(move) == CASTLE) return FileOf(to) > FileOf(from) ? "O-O" : "O-O-O";
    bool capture = board.squares[to] != NO_PIECE || KindOf(move) == EN_PASSANT;
    std::string text;
    if (type == PAWN) {
        if (capture) text = SquareName(from).substr(0, 1);
    } else {
        text = kTypeLetters[type] + Disambiguation(board, move, legal);
    }
    if (capture) text += 'x';
    text += SquareName(to);
    if (IsPromotion(move)) text += std::string("=") + kTypeLetters[PromotionType(move)];
    return text;
}

}  // namespace

std::string SanOf(const Game& game, Move move) {
    MoveList legal;
    GenerateLegalMoves(game.board, legal);
    std::string text = PieceMove(game.board, move, legal);
    Board next;
    PlayOnBoard(game.board, move, next);
    if (!InCheck(next)) return text;
    MoveList replies;
    GenerateLegalMoves(next, replies);
    return text + (replies.count == 0 ? '#' : '+');
}

}  // namespace chess
