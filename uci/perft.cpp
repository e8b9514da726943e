#include "uci/perft.h"

#include "engine/successors.h"
#include "uci/notation.h"

int64_t Perft(const PositionRecord& position, int depth, bool& outOfMemory) {
    if (depth <= 0) return 1;
    SuccessorList list = nullptr;
    const int count = GenerateSuccessors(position, list, outOfMemory);
    if (count == 0) return 0;
    int64_t nodes = 0;
    if (depth == 1) {
        nodes = count;  // each successor is one leaf
    } else {
        for (int i = 0; i < count; ++i) nodes += Perft(list[i], depth - 1, outOfMemory);
    }
    ReleaseSuccessors(list);
    return nodes;
}

std::vector<PerftBranch> DividedPerft(const PositionRecord& position, int depth,
                                      bool& outOfMemory) {
    std::vector<PerftBranch> branches;
    SuccessorList list = nullptr;
    const int count = GenerateSuccessors(position, list, outOfMemory);
    try {
        for (int i = 0; i < count; ++i) {
            branches.push_back(PerftBranch{SuccessorMoveText(position, list[i]),
                                           Perft(list[i], depth - 1, outOfMemory)});
        }
    } catch (...) {
        ReleaseSuccessors(list);  // the list is ours even when the text could not be stored
        throw;
    }
    if (count > 0) ReleaseSuccessors(list);
    return branches;
}
