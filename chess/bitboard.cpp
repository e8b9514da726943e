#include "chess/bitboard.h"

#if !defined(_MSC_VER) && defined(__GNUC__) && defined(__x86_64__)
#include <cpuid.h>
#endif

namespace chess::bitboard_detail {

namespace {

// Bit 23 of ECX from CPUID leaf 1 says the processor has POPCNT.
bool ProcessorCountsBits() {
#if defined(_MSC_VER) && defined(_M_X64)
    int info[4];
    __cpuid(info, 1);
    return (info[2] >> 23) & 1;
#elif defined(__GNUC__) && defined(__x86_64__)
    unsigned eax, ebx, ecx, edx;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) && ((ecx >> 23) & 1);
#else
    return false;
#endif
}

}  // namespace

bool hasPopCountInstruction = ProcessorCountsBits();

Magic rookMagics[64];
Magic bishopMagics[64];

namespace {

// Each square's magic number, a1 first. Any number serves that maps no two
// occupancies with different attack sets to one index; these were found by
// trying sparse random numbers, which is too slow to repeat at every start.
// The tests check every occupancy of every square.
constexpr Bitboard kRookMagicNumbers[64] = {
    0x1080004008801020ull, 0x0840092002C03000ull, 0x1900200010400900ull, 0x0880100008000480ull,
    0x4200100420080200ull, 0x8100020100080400ull, 0x0200040110886200ull, 0x0200008040220411ull,
    0x0404800084400220ull, 0x0000401000402000ull, 0x0086001081220440ull, 0x0408800800100280ull,
    0x000A001201040820ull, 0x8848800200840080ull, 0x4001000100040200ull, 0x0442000102105084ull,
    0x9080010020804100ull, 0x0040404000201009ull, 0x0000808010002009ull, 0x2200090021D00100ull,
    0x0008008008040080ull, 0x0004004002010040ull, 0x0011040008015042ull, 0x00000A0001768104ull,
    0x0000800080204009ull, 0x2010004140002001ull, 0x9800200280100080ull, 0x1000100080080080ull,
    0x0442000A00049020ull, 0x2100040080020080ull, 0x0800120400900148ull, 0x0010040A00128541ull,
    0x2800804000800030ull, 0x1010002000400041ull, 0x4000200011004100ull, 0x0610008410800800ull,
    0x0400802402800800ull, 0xC100020080800400ull, 0x0002000802000401ull, 0x0182085882000401ull,
    0x0220204000808000ull, 0x2860100040024022ull, 0x0001002004110040ull, 0x99101042000A0020ull,
    0x0004080004008080ull, 0x0010040002008080ull, 0x2012004881020004ull, 0x8300842444820011ull,
    0x0088403882010200ull, 0x0820400080210100ull, 0x0110910040A00300ull, 0x0801100280080480ull,
    0x0242009008200600ull, 0x1002000489500200ull, 0x0040800200010080ull, 0x0091800041000080ull,
    0x0000209300488001ull, 0x04C1002414824001ull, 0x020020000B001041ull, 0x7000100004200901ull,
    0x8002002004100802ull, 0x30010002084C0007ull, 0x0888221800813004ull, 0x4000002840840112ull,
};
constexpr Bitboard kBishopMagicNumbers[64] = {
    0x10102002004A1420ull, 0x8020040400584008ull, 0x10510800811201C8ull, 0x5204042080000088ull,
    0x2204106880000002ull, 0x1401042004000000ull, 0x0400880410042004ull, 0x0028208200A02020ull,
    0x1500241990010E00ull, 0x8001200182020A40ull, 0x40004101030B0000ull, 0x8002041042000100ull,
    0x4010011041020038ull, 0x0000010421044000ull, 0x1500210808020A00ull, 0x8000088400880520ull,
    0x0405004010040100ull, 0x1005823210040108ull, 0x2708008102040011ull, 0x4048200404009100ull,
    0x0018104101400024ull, 0x0003000601190101ull, 0x8004803108491000ull, 0x8014241200820800ull,
    0x0006E080100C3040ull, 0x0501044A11041800ull, 0x9020300008004045ull, 0x0894080000220040ull,
    0x1001010083104000ull, 0x5004030040900080ull, 0x000400422C012400ull, 0x0002128698404812ull,
    0x1010108404900440ull, 0x0928021182084100ull, 0x2006080409020024ull, 0x1010202020180080ull,
    0xA010008200202200ull, 0x2098015100019004ull, 0x0002041440810811ull, 0x802A02020000B098ull,
    0x0009015090004060ull, 0x4000821082081001ull, 0x0100210040420800ull, 0x0800004010488A00ull,
    0x2000081104004040ull, 0x4C8E029015000082ull, 0x0420340322224842ull, 0x1298260043400210ull,
    0x0000822802400008ull, 0x00008A0101600000ull, 0x3040003412080021ull, 0x3040290220884800ull,
    0x4A1500401041004Aull, 0x8010200282020781ull, 0x0020203142209091ull, 0x0070300600902110ull,
    0x0040808800B62048ull, 0x0000810400C44420ull, 0x00080400440C0441ull, 0x8340080020840411ull,
    0x0000000104208200ull, 0x0000800810D00080ull, 0x0400530411080200ull, 0x4040702400932244ull,
};

// Every attack set of every square, each square's sets in one block: 2^12
// at most a square for a rook, 2^9 for a bishop.
Bitboard rookTable[102400];
Bitboard bishopTable[5248];

constexpr Direction kRookDirections[4] = {NORTH, EAST, SOUTH, WEST};
constexpr Direction kBishopDirections[4] = {NORTH_EAST, NORTH_WEST, SOUTH_EAST, SOUTH_WEST};

Bitboard RayWalk(const Direction (&directions)[4], int square, Bitboard occupied) {
    Bitboard attacks = 0;
    for (Direction direction : directions) attacks |= RayAttacks(direction, square, occupied);
    return attacks;
}

void FillMagics(Magic* magics, const Bitboard* numbers, Bitboard* table,
                const Direction (&directions)[4]) {
    for (int square = 0; square < 64; ++square) {
        const Bitboard edges = ((RankMask(0) | RankMask(7)) & ~RankMask(RankOf(square))) |
                               ((FileMask(0) | FileMask(7)) & ~FileMask(FileOf(square)));
        Magic& m = magics[square];
        m.mask = RayWalk(directions, square, 0) & ~edges;
        m.magic = numbers[square];
        m.shift = 64 - PopCount(m.mask);
        m.attacks = table;
        Bitboard subset = 0;
        do {  // every subset of the mask, by the carry-rippler
            table[(subset * m.magic) >> m.shift] = RayWalk(directions, square, subset);
            subset = (subset - m.mask) & m.mask;
        } while (subset);
        table += Bitboard{1} << (64 - m.shift);
    }
}

struct MagicFiller {
    MagicFiller() {
        FillMagics(rookMagics, kRookMagicNumbers, rookTable, kRookDirections);
        FillMagics(bishopMagics, kBishopMagicNumbers, bishopTable, kBishopDirections);
    }
};
const MagicFiller filler;

}  // namespace

}  // namespace chess::bitboard_detail
