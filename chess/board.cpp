#include "chess/board.h"

namespace chess {

namespace {

uint64_t SplitMix(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

ZobristKeys MakeZobrist() {
    ZobristKeys keys{};
    uint64_t state = 0x5175696C6C6D6174ULL;
    for (auto& piece : keys.piece)
        for (uint64_t& key : piece) key = SplitMix(state);
    // Each right has its own key; a set of rights is the xor of its members.
    uint64_t rights[4];
    for (uint64_t& key : rights) key = SplitMix(state);
    for (int set = 0; set < 16; ++set)
        for (int right = 0; right < 4; ++right)
            if (set & (1 << right)) keys.castling[set] ^= rights[right];
    for (uint64_t& key : keys.enPassantFile) key = SplitMix(state);
    keys.side = SplitMix(state);
    return keys;
}

// The rights that stay when a piece leaves or arrives on a square: moving
// the king or a rook, or capturing a rook on its corner, loses rights.
constexpr int CastlingKept(int square) {
    switch (square) {
        case 0: return ~WHITE_LONG & 15;
        case 4: return ~(WHITE_SHORT | WHITE_LONG) & 15;
        case 7: return ~WHITE_SHORT & 15;
        case 56: return ~BLACK_LONG & 15;
        case 60: return ~(BLACK_SHORT | BLACK_LONG) & 15;
        case 63: return ~BLACK_SHORT & 15;
        default: return 15;
    }
}

void RemovePiece(Board& board, int piece, int square) {
    Bitboard bit = Bit(square);
    board.pieces[ColorOfPiece(piece)][TypeOfPiece(piece)] ^= bit;
    board.colors[ColorOfPiece(piece)] ^= bit;
    board.occupied ^= bit;
    board.squares[square] = NO_PIECE;
    board.key ^= kZobrist.piece[piece][square];
}

void MovePiece(Board& board, int piece, int from, int to) {
    Bitboard bits = Bit(from) | Bit(to);
    board.pieces[ColorOfPiece(piece)][TypeOfPiece(piece)] ^= bits;
    board.colors[ColorOfPiece(piece)] ^= bits;
    board.occupied ^= bits;
    board.squares[from] = NO_PIECE;
    board.squares[to] = static_cast<uint8_t>(piece);
    board.key ^= kZobrist.piece[piece][from] ^ kZobrist.piece[piece][to];
}

// Records the en passant square after a double push only when an enemy pawn
// stands ready to capture, so that equal positions get equal keys.
void SetEnPassant(Board& board, int square) {
    if (PawnAttacks(board.side ^ 1, square) & board.pieces[board.side][PAWN]) {
        board.enPassant = square;
        board.key ^= kZobrist.enPassantFile[FileOf(square)];
    }
}

}  // namespace

const ZobristKeys kZobrist = MakeZobrist();

Board EmptyBoard() {
    Board board;
    for (uint8_t& square : board.squares) square = NO_PIECE;
    return board;
}

void PutPiece(Board& board, int piece, int square) {
    Bitboard bit = Bit(square);
    board.pieces[ColorOfPiece(piece)][TypeOfPiece(piece)] |= bit;
    board.colors[ColorOfPiece(piece)] |= bit;
    board.occupied |= bit;
    board.squares[square] = static_cast<uint8_t>(piece);
}

uint64_t ComputeKey(const Board& board) {
    uint64_t key = 0;
    for (int square = 0; square < 64; ++square)
        if (board.squares[square] != NO_PIECE) key ^= kZobrist.piece[board.squares[square]][square];
    key ^= kZobrist.castling[board.castling];
    if (board.enPassant != NO_SQUARE) key ^= kZobrist.enPassantFile[FileOf(board.enPassant)];
    if (board.side == BLACK) key ^= kZobrist.side;
    return key;
}

Bitboard AttackersOf(const Board& board, int square, Bitboard occupied) {
    const auto& p = board.pieces;
    Bitboard diagonal = p[WHITE][BISHOP] | p[BLACK][BISHOP] | p[WHITE][QUEEN] | p[BLACK][QUEEN];
    Bitboard straight = p[WHITE][ROOK] | p[BLACK][ROOK] | p[WHITE][QUEEN] | p[BLACK][QUEEN];
    return (PawnAttacks(BLACK, square) & p[WHITE][PAWN]) |
           (PawnAttacks(WHITE, square) & p[BLACK][PAWN]) |
           (KnightAttacks(square) & (p[WHITE][KNIGHT] | p[BLACK][KNIGHT])) |
           (KingAttacks(square) & (p[WHITE][KING] | p[BLACK][KING])) |
           (BishopAttacks(square, occupied) & diagonal) |
           (RookAttacks(square, occupied) & straight);
}

bool IsAttacked(const Board& board, int square, int byColor) {
    const Bitboard* p = board.pieces[byColor];
    if (PawnAttacks(byColor ^ 1, square) & p[PAWN]) return true;
    if (KnightAttacks(square) & p[KNIGHT]) return true;
    if (KingAttacks(square) & p[KING]) return true;
    Bitboard diagonal = p[BISHOP] | p[QUEEN];
    if (diagonal && (BishopAttacks(square, board.occupied) & diagonal)) return true;
    Bitboard straight = p[ROOK] | p[QUEEN];
    return straight && (RookAttacks(square, board.occupied) & straight);
}

bool PlayOnBoard(const Board& board, Move move, Board& next) {
    next = board;
    int us = board.side, from = FromOf(move), to = ToOf(move), kind = KindOf(move);
    int piece = board.squares[from];
    int captured = board.squares[to];

    if (next.enPassant != NO_SQUARE) {
        next.key ^= kZobrist.enPassantFile[FileOf(next.enPassant)];
        next.enPassant = NO_SQUARE;
    }
    ++next.halfMoveClock;
    ++next.reversiblePlies;
    if (captured != NO_PIECE) RemovePiece(next, captured, to);
    MovePiece(next, piece, from, to);
    if (captured != NO_PIECE || TypeOfPiece(piece) == PAWN)
        next.halfMoveClock = next.reversiblePlies = 0;

    switch (kind) {
        case EN_PASSANT: RemovePiece(next, MakePiece(us ^ 1, PAWN), to ^ 8); break;
        case CASTLE: {
            bool shortSide = to > from;
            int rookFrom = shortSide ? from + 3 : from - 4;
            int rookTo = shortSide ? from + 1 : from - 1;
            MovePiece(next, MakePiece(us, ROOK), rookFrom, rookTo);
            break;
        }
        case PROMOTE_KNIGHT:
        case PROMOTE_BISHOP:
        case PROMOTE_ROOK:
        case PROMOTE_QUEEN:
            RemovePiece(next, piece, to);
            PutPiece(next, MakePiece(us, PromotionType(move)), to);
            next.key ^= kZobrist.piece[MakePiece(us, PromotionType(move))][to];
            break;
        default: break;
    }

    int rights = next.castling & CastlingKept(from) & CastlingKept(to);
    if (rights != next.castling) {
        next.key ^= kZobrist.castling[next.castling] ^ kZobrist.castling[rights];
        next.castling = rights;
    }
    next.side = us ^ 1;
    next.key ^= kZobrist.side;
    if (kind == DOUBLE_PUSH) SetEnPassant(next, (from + to) / 2);

    return !IsAttacked(next, KingSquare(next, us), us ^ 1);
}

void PlayNullMove(const Board& board, Board& next) {
    next = board;
    if (next.enPassant != NO_SQUARE) {
        next.key ^= kZobrist.enPassantFile[FileOf(next.enPassant)];
        next.enPassant = NO_SQUARE;
    }
    next.reversiblePlies = 0;
    next.side ^= 1;
    next.key ^= kZobrist.side;
}

}  // namespace chess
