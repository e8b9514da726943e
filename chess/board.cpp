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

void RemovePiece(Board& board, int piece, int square) {
    Bitboard bit = Bit(square);
    board.pieces[ColorOfPiece(piece)][TypeOfPiece(piece)] ^= bit;
    board.colors[ColorOfPiece(piece)] ^= bit;
    board.occupied ^= bit;
    board.squares[square] = NO_PIECE;
    board.key ^= kZobrist.piece[piece][square];
    if (TypeOfPiece(piece) == PAWN) board.pawnKey ^= kZobrist.piece[piece][square];
}

void AddPiece(Board& board, int piece, int square) {
    PutPiece(board, piece, square);
    board.key ^= kZobrist.piece[piece][square];
    if (TypeOfPiece(piece) == PAWN) board.pawnKey ^= kZobrist.piece[piece][square];
}

void MovePiece(Board& board, int piece, int from, int to) {
    Bitboard bits = Bit(from) | Bit(to);
    board.pieces[ColorOfPiece(piece)][TypeOfPiece(piece)] ^= bits;
    board.colors[ColorOfPiece(piece)] ^= bits;
    board.occupied ^= bits;
    board.squares[from] = NO_PIECE;
    board.squares[to] = static_cast<uint8_t>(piece);
    uint64_t change = kZobrist.piece[piece][from] ^ kZobrist.piece[piece][to];
    board.key ^= change;
    if (TypeOfPiece(piece) == PAWN) board.pawnKey ^= change;
}

// Lifts the king and the rook and sets them down on their castled squares:
// either may land where the other stood, or where it already stood.
void Castle(Board& board, int us, Move move) {
    int index = CastlingIndexOf(move);
    RemovePiece(board, MakePiece(us, KING), FromOf(move));
    RemovePiece(board, MakePiece(us, ROOK), board.castlingRooks[index]);
    AddPiece(board, MakePiece(us, KING), CastledKingSquare(index));
    AddPiece(board, MakePiece(us, ROOK), CastledRookSquare(index));
}

// The rights a move loses: both of its side's when the king moves, and a
// rook's own when a piece leaves or lands on that rook's start square.
int RightsLost(const Board& board, int piece, int from, int to) {
    int lost = 0;
    if (TypeOfPiece(piece) == KING)
        lost = ColorOfPiece(piece) == WHITE ? WHITE_SHORT | WHITE_LONG : BLACK_SHORT | BLACK_LONG;
    for (int index = 0; index < 4; ++index)
        if (board.castlingRooks[index] == from || board.castlingRooks[index] == to)
            lost |= 1 << index;
    return lost;
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

uint64_t ComputePawnKey(const Board& board) {
    uint64_t key = 0;
    for (int square = 0; square < 64; ++square) {
        int piece = board.squares[square];
        if (piece != NO_PIECE && TypeOfPiece(piece) == PAWN) key ^= kZobrist.piece[piece][square];
    }
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

Bitboard AttacksOf(const Board& board, int color) {
    const Bitboard* p = board.pieces[color];
    Bitboard attacks = PawnAttackSpan(color, p[PAWN]);
    for (Bitboard b = p[KING]; b;) attacks |= KingAttacks(PopLowest(b));
    for (Bitboard b = p[KNIGHT]; b;) attacks |= KnightAttacks(PopLowest(b));
    for (Bitboard b = p[BISHOP] | p[QUEEN]; b;)
        attacks |= BishopAttacks(PopLowest(b), board.occupied);
    for (Bitboard b = p[ROOK] | p[QUEEN]; b;) attacks |= RookAttacks(PopLowest(b), board.occupied);
    return attacks;
}

bool IsAttacked(const Board& board, int square, int byColor, Bitboard occupied) {
    const Bitboard* p = board.pieces[byColor];
    if (PawnAttacks(byColor ^ 1, square) & p[PAWN]) return true;
    if (KnightAttacks(square) & p[KNIGHT]) return true;
    if (KingAttacks(square) & p[KING]) return true;
    Bitboard diagonal = p[BISHOP] | p[QUEEN];
    if (diagonal && (BishopAttacks(square, occupied) & diagonal)) return true;
    Bitboard straight = p[ROOK] | p[QUEEN];
    return straight && (RookAttacks(square, occupied) & straight);
}

bool PlayOnBoard(const Board& board, Move move, Board& next) {
    next = board;
    int us = board.side, from = FromOf(move), to = ToOf(move), kind = KindOf(move);
    int piece = board.squares[from];

    if (next.enPassant != NO_SQUARE) {
        next.key ^= kZobrist.enPassantFile[FileOf(next.enPassant)];
        next.enPassant = NO_SQUARE;
    }
    ++next.halfMoveClock;
    ++next.reversiblePlies;
    if (kind == CASTLE) {
        Castle(next, us, move);
    } else {
        int captured = board.squares[to];
        if (captured != NO_PIECE) RemovePiece(next, captured, to);
        MovePiece(next, piece, from, to);
        if (captured != NO_PIECE || TypeOfPiece(piece) == PAWN)
            next.halfMoveClock = next.reversiblePlies = 0;
    }

    switch (kind) {
        case EN_PASSANT: RemovePiece(next, MakePiece(us ^ 1, PAWN), to ^ 8); break;
        case PROMOTE_KNIGHT:
        case PROMOTE_BISHOP:
        case PROMOTE_ROOK:
        case PROMOTE_QUEEN:
            RemovePiece(next, piece, to);
            AddPiece(next, MakePiece(us, PromotionType(move)), to);
            break;
        default: break;
    }

    // Only a move from or to a back rank can lose a right.
    constexpr Bitboard kBackRanks = RankMask(0) | RankMask(7);
    if (next.castling && ((Bit(from) | Bit(to)) & kBackRanks)) {
        int rights = next.castling & ~RightsLost(board, piece, from, to);
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
