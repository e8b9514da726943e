#include "engine/successors.h"

#include <cstring>

#include "engine/memory.h"
#include "rules/make_move.h"
#include "rules/targets.h"

namespace {

// Most positions fit in the buffer on the stack; a side with many queens can
// have more successors, which then move to a growing heap buffer.
constexpr int LOCAL_CAPACITY = 128;
constexpr int MOST_TARGETS_OF_ONE_PIECE = 27;

// Doubles the working buffer on the heap; false when memory runs out.
bool GrowBuffer(PositionRecord*& records, int& capacity, int used, PositionRecord* local) {
    const int grown = capacity * 2;
    auto* bigger = static_cast<PositionRecord*>(AllocateBlock(sizeof(PositionRecord) * grown));
    if (!bigger) return false;
    std::memcpy(bigger, records, sizeof(PositionRecord) * used);
    if (records != local) ReleaseBlock(records);
    records = bigger;
    capacity = grown;
    return true;
}

}  // namespace

int GenerateSuccessors(const PositionRecord& position, SuccessorList& list, bool& outOfMemory) {
    PositionRecord local[LOCAL_CAPACITY];
    PositionRecord* records = local;
    int capacity = LOCAL_CAPACITY;
    int total = 0;
    bool failed = false;

    for (int from = 0; from < 64 && !failed; ++from) {
        const char piece = position.board[from];
        if (piece == EMPTY_SQUARE || SideOf(piece) != position.sideToMove) continue;
        if (total + MOST_TARGETS_OF_ONE_PIECE > capacity &&
            !GrowBuffer(records, capacity, total, local)) {
            failed = true;
            break;
        }
        PieceTargets(position, from,
                     [&](int to) { MakeMoveFast(position, from, to, records[total++]); });
    }

    SuccessorList block = nullptr;
    if (!failed && total > 0) {
        block = static_cast<SuccessorList>(AllocateBlock(sizeof(PositionRecord) * total));
        if (block) std::memcpy(block, records, sizeof(PositionRecord) * total);
        failed = block == nullptr;
    }
    if (records != local) ReleaseBlock(records);
    if (failed) {
        outOfMemory = true;
        return 0;
    }
    if (total > 0) list = block;
    return total;
}

void ReleaseSuccessors(SuccessorList list) { ReleaseBlock(list); }
