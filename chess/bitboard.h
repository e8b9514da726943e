// Bitboards: one bit per square (a1 = bit 0, h8 = bit 63), the attack sets of
// the pieces and the few bit operations the rest of the library needs.
#pragma once

#include <array>
#include <cstdint>

#if defined(_MSC_VER)
#include <intrin.h>
#endif

namespace chess {

using Bitboard = uint64_t;

enum Color : int { WHITE = 0, BLACK = 1 };
enum PieceType : int { PAWN = 0, KNIGHT, BISHOP, ROOK, QUEEN, KING, PIECE_TYPES };

constexpr Bitboard Bit(int square) { return Bitboard{1} << square; }
constexpr int FileOf(int square) { return square & 7; }
constexpr int RankOf(int square) { return square >> 3; }
constexpr int MakeSquare(int file, int rank) { return rank * 8 + file; }

constexpr Bitboard FILE_A = 0x0101010101010101ULL;
constexpr Bitboard RANK_1 = 0xFFULL;
constexpr Bitboard FileMask(int file) { return FILE_A << file; }
// b1, d1, ... h8: the squares of the colour of h1.
constexpr Bitboard LIGHT_SQUARES = 0x55AA55AA55AA55AAULL;
constexpr Bitboard RankMask(int rank) { return RANK_1 << (8 * rank); }

namespace bitboard_detail {

// Whether the processor has the one-instruction bit count, which is not
// part of the baseline x86-64 instruction set; found out before main, false
// until then.
extern bool hasPopCountInstruction;

// The bit count by arithmetic, for processors without the instruction.
inline int PopCountByArithmetic(Bitboard b) {
    b = b - ((b >> 1) & 0x5555555555555555ULL);
    b = (b & 0x3333333333333333ULL) + ((b >> 2) & 0x3333333333333333ULL);
    b = (b + (b >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((b * 0x0101010101010101ULL) >> 56);
}

}  // namespace bitboard_detail

// The number of squares in a set. A build for processors that all have the
// bit-count instruction uses it outright; a baseline x86-64 build asks the
// flag above, a predictable branch that costs far less than the arithmetic
// (the compiler's own fallback would be a call).
inline int PopCount(Bitboard b) {
#if defined(__POPCNT__)
    return __builtin_popcountll(b);
#elif defined(_MSC_VER) && defined(_M_X64)
    if (bitboard_detail::hasPopCountInstruction) return static_cast<int>(__popcnt64(b));
    return bitboard_detail::PopCountByArithmetic(b);
#elif defined(__GNUC__) && defined(__x86_64__)
    if (bitboard_detail::hasPopCountInstruction) {
        Bitboard count;
        __asm__("popcntq %1, %0" : "=r"(count) : "rm"(b));
        return static_cast<int>(count);
    }
    return bitboard_detail::PopCountByArithmetic(b);
#else
    return bitboard_detail::PopCountByArithmetic(b);
#endif
}

// The lowest and highest set bit; b must not be empty.
inline int LowestSquare(Bitboard b) {
#if defined(_MSC_VER)
    unsigned long index;
    _BitScanForward64(&index, b);
    return static_cast<int>(index);
#else
    return __builtin_ctzll(b);
#endif
}

inline int HighestSquare(Bitboard b) {
#if defined(_MSC_VER)
    unsigned long index;
    _BitScanReverse64(&index, b);
    return static_cast<int>(index);
#else
    return 63 - __builtin_clzll(b);
#endif
}

inline int PopLowest(Bitboard& b) {
    int square = LowestSquare(b);
    b &= b - 1;
    return square;
}

// The eight ray directions as (file, rank) steps; the first four point to
// higher squares, so their nearest blocker is the lowest set bit.
enum Direction : int { NORTH, EAST, NORTH_EAST, NORTH_WEST, SOUTH, WEST, SOUTH_WEST, SOUTH_EAST };

namespace bitboard_detail {

constexpr int kFileStep[8] = {0, 1, 1, -1, 0, -1, -1, 1};
constexpr int kRankStep[8] = {1, 0, 1, 1, -1, 0, -1, -1};

constexpr Bitboard Steps(int square, const int (&files)[8], const int (&ranks)[8], int count) {
    Bitboard b = 0;
    for (int i = 0; i < count; ++i) {
        int file = FileOf(square) + files[i], rank = RankOf(square) + ranks[i];
        if (file >= 0 && file < 8 && rank >= 0 && rank < 8) b |= Bit(MakeSquare(file, rank));
    }
    return b;
}

struct Tables {
    Bitboard knight[64] = {};
    Bitboard king[64] = {};
    Bitboard pawn[2][64] = {};
    Bitboard ray[8][64] = {};
};

constexpr Tables MakeTables() {
    Tables t{};
    constexpr int knightFiles[8] = {1, 2, 2, 1, -1, -2, -2, -1};
    constexpr int knightRanks[8] = {2, 1, -1, -2, -2, -1, 1, 2};
    constexpr int whitePawnFiles[8] = {-1, 1};
    constexpr int whitePawnRanks[8] = {1, 1};
    constexpr int blackPawnRanks[8] = {-1, -1};
    for (int sq = 0; sq < 64; ++sq) {
        t.knight[sq] = Steps(sq, knightFiles, knightRanks, 8);
        t.king[sq] = Steps(sq, kFileStep, kRankStep, 8);
        t.pawn[WHITE][sq] = Steps(sq, whitePawnFiles, whitePawnRanks, 2);
        t.pawn[BLACK][sq] = Steps(sq, whitePawnFiles, blackPawnRanks, 2);
        for (int dir = 0; dir < 8; ++dir) {
            int file = FileOf(sq) + kFileStep[dir], rank = RankOf(sq) + kRankStep[dir];
            for (; file >= 0 && file < 8 && rank >= 0 && rank < 8;
                 file += kFileStep[dir], rank += kRankStep[dir])
                t.ray[dir][sq] |= Bit(MakeSquare(file, rank));
        }
    }
    return t;
}

inline constexpr Tables kTables = MakeTables();

}  // namespace bitboard_detail

inline Bitboard KnightAttacks(int square) { return bitboard_detail::kTables.knight[square]; }
inline Bitboard KingAttacks(int square) { return bitboard_detail::kTables.king[square]; }
inline Bitboard PawnAttacks(int color, int square) {
    return bitboard_detail::kTables.pawn[color][square];
}
// Every square a set of color's pawns attacks.
inline Bitboard PawnAttackSpan(int color, Bitboard pawns) {
    return color == WHITE ? ((pawns << 9) & ~FILE_A) | ((pawns << 7) & ~FileMask(7))
                          : ((pawns >> 7) & ~FILE_A) | ((pawns >> 9) & ~FileMask(7));
}
inline Bitboard Ray(int direction, int square) {
    return bitboard_detail::kTables.ray[direction][square];
}

// The squares a slider sees along one ray, up to and including the first
// occupied square.
inline Bitboard RayAttacks(int direction, int square, Bitboard occupied) {
    Bitboard ray = Ray(direction, square);
    Bitboard blockers = ray & occupied;
    if (!blockers) return ray;
    int blocker = direction < SOUTH ? LowestSquare(blockers) : HighestSquare(blockers);
    return ray ^ Ray(direction, blocker);
}

// Slider attacks by magic multiplication: the occupied squares on a piece's
// lines (edges left out, since a blocker there hides nothing behind it),
// multiplied by the square's magic number, give in their top bits the index
// of the attack set among those the square can have. The tables are filled
// when the program starts, before main: nothing may ask for slider attacks
// during static initialisation.
namespace bitboard_detail {

struct Magic {
    Bitboard mask;
    Bitboard magic;
    const Bitboard* attacks;
    int shift;
};
extern Magic rookMagics[64];
extern Magic bishopMagics[64];

inline Bitboard MagicAttacks(const Magic& m, Bitboard occupied) {
    return m.attacks[((occupied & m.mask) * m.magic) >> m.shift];
}

}  // namespace bitboard_detail

inline Bitboard RookAttacks(int square, Bitboard occupied) {
    return bitboard_detail::MagicAttacks(bitboard_detail::rookMagics[square], occupied);
}

inline Bitboard BishopAttacks(int square, Bitboard occupied) {
    return bitboard_detail::MagicAttacks(bitboard_detail::bishopMagics[square], occupied);
}

}  // namespace chess
