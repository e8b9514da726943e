// The pawn cache: what the evaluation makes of the pawns alone, kept by the
// pawns' key (Board::pawnKey). The pawns change far less often than the
// rest of the position, so most evaluations find their pawn structure here.
// Each search thread has its own, so none waits for or disturbs another.
#pragma once

#include <cstdint>

#include "chess/bitboard.h"

namespace chess {

// The terms of the pawns that depend on nothing else, summed White's minus
// Black's, and the passed pawns of both sides, whose other terms depend on
// the kings and pieces and are counted at each evaluation. A slot never
// filled holds key 0 and nothing else, which is right for a board without
// pawns.
struct PawnEntry {
    uint64_t key = 0;
    Bitboard passed = 0;
    int middle = 0;
    int end = 0;
};

constexpr int PAWN_CACHE_ENTRIES = 1 << 13;  // a power of two

struct PawnCache {
    PawnEntry entries[PAWN_CACHE_ENTRIES];
};

// The one slot where the entry for pawnKey may be; it holds that entry
// when its key is pawnKey.
inline PawnEntry& PawnSlot(PawnCache& cache, uint64_t pawnKey) {
    return cache.entries[pawnKey & (PAWN_CACHE_ENTRIES - 1)];
}

}  // namespace chess
