#include "chess/transposition.h"

#include <cstring>
#include <exception>

#include "chess/chess.h"

#if defined(_MSC_VER)
#include <xmmintrin.h>
#endif

namespace chess {

namespace {

uint64_t Pack(Move move, int score, int eval, int depth, int bound, int generation) {
    return (move & 0xFFFFull) | (uint64_t(uint16_t(int16_t(score))) << 16) |
           (uint64_t(uint16_t(int16_t(eval))) << 32) | (uint64_t(uint8_t(depth)) << 48) |
           (uint64_t(bound) << 56) | (uint64_t(generation & 63) << 58);
}

int DepthOf(uint64_t data) { return int(uint8_t(data >> 48)); }
int GenerationOf(uint64_t data) { return int(data >> 58); }

TableEntry* BucketOf(const SearchTables& tables, uint64_t key) {
    return const_cast<TableEntry*>(tables.entries.data()) + (key & tables.bucketMask) * BUCKET_SIZE;
}

// A cleared table of buckets buckets, or false with tables as they were:
// the old table goes only once the new one is had.
bool MakeTable(SearchTables& tables, uint64_t buckets) {
    try {
        if (tables.entries.size() != buckets * BUCKET_SIZE)
            tables.entries = decltype(tables.entries)(buckets * BUCKET_SIZE);
    } catch (const std::exception&) {
        return false;
    }
    tables.bucketMask = buckets - 1;
    ClearSearchTables(tables);
    return true;
}

std::string SizeText(uint64_t bytes) {
    return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MB"
                               : std::to_string(bytes) + " bytes";
}

}  // namespace

void PrefetchTable(const SearchTables& tables, uint64_t key) {
    if (tables.entries.empty()) return;
    const TableEntry* bucket = BucketOf(tables, key);
#if defined(_MSC_VER)
    _mm_prefetch(reinterpret_cast<const char*>(bucket), _MM_HINT_T0);
#else
    __builtin_prefetch(bucket);
#endif
}

bool ProbeTable(const SearchTables& tables, uint64_t key, TableHit& hit) {
    if (tables.entries.empty()) return false;
    TableEntry* bucket = BucketOf(tables, key);
    for (int i = 0; i < BUCKET_SIZE; ++i) {
        uint64_t data = bucket[i].data.load(std::memory_order_relaxed);
        uint64_t check = bucket[i].check.load(std::memory_order_relaxed);
        if ((check ^ data) != key || data == 0) continue;
        hit.move = Move(data & 0xFFFF);
        hit.score = int16_t(uint16_t(data >> 16));
        hit.eval = int16_t(uint16_t(data >> 32));
        hit.depth = DepthOf(data);
        hit.bound = int((data >> 56) & 3);
        return true;
    }
    return false;
}

void StoreInTable(SearchTables& tables, uint64_t key, Move move, int score, int eval, int depth,
                  int bound) {
    if (tables.entries.empty()) return;
    TableEntry* bucket = BucketOf(tables, key);
    TableEntry* victim = &bucket[0];
    int worst = 1 << 30;
    for (int i = 0; i < BUCKET_SIZE; ++i) {
        uint64_t data = bucket[i].data.load(std::memory_order_relaxed);
        uint64_t check = bucket[i].check.load(std::memory_order_relaxed);
        if ((check ^ data) == key) {
            // Same position: keep a deeper result of this search, and its move.
            if (bound != BOUND_EXACT && depth + 2 < DepthOf(data) &&
                GenerationOf(data) == (tables.generation & 63))
                return;
            if (move == NO_MOVE) move = Move(data & 0xFFFF);
            victim = &bucket[i];
            break;
        }
        int age = (tables.generation - GenerationOf(data)) & 63;
        int value = data == 0 ? -1000 : DepthOf(data) - 8 * age;
        if (value < worst) {
            worst = value;
            victim = &bucket[i];
        }
    }
    uint64_t data = Pack(move, score, eval, depth < 0 ? 0 : depth, bound, tables.generation);
    victim->data.store(data, std::memory_order_relaxed);
    victim->check.store(key ^ data, std::memory_order_relaxed);
}

bool ResizeSearchTables(SearchTables& tables, int hashMegabytes, std::string& error) {
    uint64_t bytes = uint64_t(hashMegabytes < 1 ? 1 : hashMegabytes) << 20;
    uint64_t buckets = 1;
    while (buckets * 2 * BUCKET_SIZE * sizeof(TableEntry) <= bytes) buckets *= 2;
    if (MakeTable(tables, buckets)) return true;
    if (tables.entries.empty())
        for (uint64_t smaller = buckets / 2; smaller > 0 && !MakeTable(tables, smaller);
             smaller /= 2) {
        }
    error = "no memory for a transposition table of " + std::to_string(hashMegabytes) +
            " MB; the table has " + SizeText(tables.entries.size() * sizeof(TableEntry));
    return false;
}

void ClearSearchTables(SearchTables& tables) {
    for (TableEntry& entry : tables.entries) {
        entry.check.store(0, std::memory_order_relaxed);
        entry.data.store(0, std::memory_order_relaxed);
    }
    tables.generation = 0;
    std::memset(tables.history, 0, sizeof tables.history);
    std::memset(tables.captureHistory, 0, sizeof tables.captureHistory);
    for (auto& piece : tables.counterMoves)
        for (Move& move : piece) move = NO_MOVE;
    std::memset(tables.continuation.get(), 0, sizeof(ContinuationHistory));
    std::memset(tables.correction.get(), 0, sizeof(CorrectionHistory));
}

}  // namespace chess
