#include "chess/game.h"

#include "chess/chess.h"
#include "chess/movegen.h"

namespace chess {

namespace {

constexpr char kPieceLetters[] = "PNBRQKpnbrqk";

int PieceOfLetter(char letter) {
    for (int piece = 0; piece < 12; ++piece)
        if (kPieceLetters[piece] == letter) return piece;
    return NO_PIECE;
}

// Whether the material could arise in a game: at most eight pawns, and no
// more extra queens, rooks, bishops and knights than missing pawns. This
// also bounds the number of moves in a position.
bool MaterialReachable(const Board& board, int color) {
    const Bitboard* p = board.pieces[color];
    int pawns = PopCount(p[PAWN]);
    int extra = 0;
    const int initial[PIECE_TYPES] = {8, 2, 2, 2, 1, 1};
    for (int type = KNIGHT; type <= QUEEN; ++type)
        if (PopCount(p[type]) > initial[type]) extra += PopCount(p[type]) - initial[type];
    return pawns <= 8 && extra <= 8 - pawns;
}

// A right needs its side's king on the back rank and a rook of that side
// on the right's file there, beyond the king on the right's side.
bool CastlingBacked(const Board& board, int index, int rookFile) {
    int color = index / 2, backRank = color == WHITE ? 0 : 7;
    int king = KingSquare(board, color);
    bool shortSide = index % 2 == 0;
    return RankOf(king) == backRank && rookFile >= 0 && rookFile < 8 &&
           board.squares[MakeSquare(rookFile, backRank)] == MakePiece(color, ROOK) &&
           (shortSide ? rookFile > FileOf(king) : rookFile < FileOf(king));
}

bool ReadEnPassant(const PositionRecord& record, Board& board, std::string& error) {
    if (record.enPassant[0] == '-' || record.enPassant[0] == '0') return true;
    int file = record.enPassant[0] - 'A', rank = record.enPassant[1] - '1';
    int them = board.side ^ 1;
    int expectedRank = board.side == WHITE ? 5 : 2;
    int square = MakeSquare(file, rank);
    if (file < 0 || file > 7 || rank != expectedRank ||
        board.squares[square - (board.side == WHITE ? 8 : -8)] != MakePiece(them, PAWN) ||
        (board.occupied & Bit(square))) {
        error = "the en passant square does not follow a double pawn push";
        return false;
    }
    if (PawnAttacks(them, square) & board.pieces[board.side][PAWN]) board.enPassant = square;
    return true;
}

bool ReadBoard(const PositionRecord& record, Board& board, std::string& error) {
    board = EmptyBoard();
    for (int square = 0; square < 64; ++square) {
        char letter = record.board[square];
        if (letter == EMPTY_SQUARE) continue;
        int piece = PieceOfLetter(letter);
        if (piece == NO_PIECE) {
            error = "the board holds an unknown piece";
            return false;
        }
        PutPiece(board, piece, square);
    }
    for (int color : {WHITE, BLACK}) {
        if (PopCount(board.pieces[color][KING]) != 1) {
            error = "each side needs exactly one king";
            return false;
        }
        if (!MaterialReachable(board, color)) {
            error = "too many pieces for one side";
            return false;
        }
    }
    if ((board.pieces[WHITE][PAWN] | board.pieces[BLACK][PAWN]) & (RankMask(0) | RankMask(7))) {
        error = "a pawn stands on the first or last rank";
        return false;
    }
    return true;
}

bool ReadState(const PositionRecord& record, const CastlingFiles& castling, Board& board,
               std::string& error) {
    if (record.sideToMove != 'w' && record.sideToMove != 'b') {
        error = "the side to move is neither white nor black";
        return false;
    }
    board.side = record.sideToMove == 'w' ? WHITE : BLACK;
    const char rightLetters[4] = {'K', 'Q', 'k', 'q'};
    for (int i = 0; i < 4; ++i) {
        if (record.castling[i] != rightLetters[i]) continue;
        if (!CastlingBacked(board, i, castling.rook[i])) {
            error = "a castling right without its king and rook";
            return false;
        }
        board.castling |= 1 << i;
        board.castlingRooks[i] = static_cast<uint8_t>(MakeSquare(castling.rook[i], i < 2 ? 0 : 7));
    }
    if (!ReadEnPassant(record, board, error)) return false;
    if (IsAttacked(board, KingSquare(board, board.side ^ 1), board.side)) {
        error = "the side not to move is in check";
        return false;
    }
    return true;
}

// The square a move's text names as its target. In Chess960 notation a
// castling king takes its own rook, which tells the move from a king step
// to the same square. The rooks' squares hold for the whole game, so this
// also reads and writes the moves of a line that starts at the game.
int TextTarget(const Game& game, Move move) {
    if (KindOf(move) != CASTLE || !game.chess960) return ToOf(move);
    return game.board.castlingRooks[CastlingIndexOf(move)];
}

std::string MoveTextTo(Move move, int to) {
    if (move == NO_MOVE) return "0000";
    std::string text = {static_cast<char>('a' + FileOf(FromOf(move))),
                        static_cast<char>('1' + RankOf(FromOf(move))),
                        static_cast<char>('a' + FileOf(to)), static_cast<char>('1' + RankOf(to))};
    // The letter of each move kind that promotes, in MoveKind's order.
    if (IsPromotion(move)) text += "    nbrq"[KindOf(move)];
    return text;
}

// When from and to name a legal castling in the other notation, how the
// game writes it.
std::string CastlingHint(const Game& game, const MoveList& legal, int from, int to) {
    for (int i = 0; i < legal.count; ++i) {
        Move move = legal.moves[i];
        if (KindOf(move) != CASTLE || FromOf(move) != from) continue;
        if (ToOf(move) == to || game.board.castlingRooks[CastlingIndexOf(move)] == to)
            return " (this game writes that castling " + MoveText(game, move) + ")";
    }
    return "";
}

}  // namespace

Game::Game() {
    std::string error;
    StartGame(InitialPosition(), 0, *this, error);
}

void GenerateLegalMoves(const Board& board, MoveList& list) {
    MoveList pseudo;
    GenerateMoves(board, pseudo);
    Board next;
    list.count = 0;
    for (int i = 0; i < pseudo.count; ++i)
        if (PlayOnBoard(board, pseudo.moves[i], next)) list.Add(pseudo.moves[i]);
}

bool StartGame(const PositionRecord& record, int halfMoveClock, Game& game, std::string& error,
               const CastlingFiles& castling) {
    Board board;
    if (!ReadBoard(record, board, error) || !ReadState(record, castling, board, error))
        return false;
    if (halfMoveClock < 0) {
        error = "the half-move clock is negative";
        return false;
    }
    board.halfMoveClock = board.reversiblePlies = halfMoveClock;
    board.key = ComputeKey(board);
    board.pawnKey = ComputePawnKey(board);
    game.board = board;
    game.moveNumber = record.moveNumber > 0 ? record.moveNumber : 1;
    game.history.clear();
    return true;
}

bool ReadMove(const Game& game, const std::string& text, Move& found, std::string& error) {
    bool shaped = (text.size() == 4 || text.size() == 5) && text[0] >= 'a' && text[0] <= 'h' &&
                  text[1] >= '1' && text[1] <= '8' && text[2] >= 'a' && text[2] <= 'h' &&
                  text[3] >= '1' && text[3] <= '8';
    if (!shaped) {
        error = "not a move: " + text;
        return false;
    }
    int from = MakeSquare(text[0] - 'a', text[1] - '1');
    int to = MakeSquare(text[2] - 'a', text[3] - '1');
    int promotion = NORMAL;
    if (text.size() == 5) {
        switch (text[4]) {
            case 'n':
            case 'N': promotion = PROMOTE_KNIGHT; break;
            case 'b':
            case 'B': promotion = PROMOTE_BISHOP; break;
            case 'r':
            case 'R': promotion = PROMOTE_ROOK; break;
            case 'q':
            case 'Q': promotion = PROMOTE_QUEEN; break;
            default: error = "unknown promotion piece in " + text; return false;
        }
    }
    MoveList legal;
    GenerateLegalMoves(game.board, legal);
    for (int i = 0; i < legal.count; ++i) {
        Move move = legal.moves[i];
        if (FromOf(move) != from || TextTarget(game, move) != to) continue;
        if (IsPromotion(move) && promotion == NORMAL) {
            error = "a pawn reaching the last rank needs a promotion letter: " + text;
            return false;
        }
        if (IsPromotion(move) ? KindOf(move) != promotion : promotion != NORMAL) continue;
        found = move;
        return true;
    }
    error = "illegal move: " + text + CastlingHint(game, legal, from, to);
    return false;
}

bool PlayMove(Game& game, const std::string& text, std::string& error) {
    Move move = NO_MOVE;
    if (!ReadMove(game, text, move, error)) return false;
    game.history.push_back(game.board.key);
    Board next;
    PlayOnBoard(game.board, move, next);
    game.board = next;
    if (next.halfMoveClock == 0) game.history.clear();
    if (next.side == WHITE) ++game.moveNumber;
    return true;
}

PositionRecord RecordOf(const Game& game) {
    PositionRecord record{};
    const Board& board = game.board;
    for (int square = 0; square < 64; ++square)
        record.board[square] =
            board.squares[square] == NO_PIECE ? EMPTY_SQUARE : kPieceLetters[board.squares[square]];
    record.sideToMove = board.side == WHITE ? 'w' : 'b';
    const char rightLetters[5] = "KQkq";
    for (int i = 0; i < 4; ++i)
        record.castling[i] = board.castling & (1 << i) ? rightLetters[i] : '-';
    bool none = board.enPassant == NO_SQUARE;
    record.enPassant[0] = none ? '-' : static_cast<char>('A' + FileOf(board.enPassant));
    record.enPassant[1] = none ? '-' : static_cast<char>('1' + RankOf(board.enPassant));
    record.moveNumber = game.moveNumber;
    return record;
}

int HalfMoveClock(const Game& game) { return game.board.halfMoveClock; }

bool InCheck(const Game& game) { return InCheck(game.board); }

std::string MoveText(Move move) { return MoveTextTo(move, ToOf(move)); }

std::string MoveText(const Game& game, Move move) {
    return MoveTextTo(move, TextTarget(game, move));
}

CastlingFiles CastlingOf(const Game& game) {
    CastlingFiles files = STANDARD_CASTLING;
    for (int i = 0; i < 4; ++i)
        if (game.board.castling & (1 << i))
            files.rook[i] = static_cast<int8_t>(FileOf(game.board.castlingRooks[i]));
    return files;
}

}  // namespace chess
