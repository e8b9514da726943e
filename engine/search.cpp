#include "engine/search.h"

#include <algorithm>
#include <thread>

#include "engine/evaluate.h"
#include "engine/memory.h"
#include "engine/root_moves.h"
#include "engine/search_node.h"
#include "engine/successors.h"
#include "rules/make_move.h"

namespace {

// The root's work arrays, one entry per root successor, in one block.
struct RootWork {
    float* preScores;
    int32_t* taken;
    int32_t* order;
    float* scores;  // the main pass's score of each entry of order
    void* block;
};

bool AllocateRootWork(int count, RootWork& work) {
    const std::size_t entries = static_cast<std::size_t>(count);
    work.block = AllocateBlock(entries * (2 * sizeof(float) + 2 * sizeof(int32_t)));
    if (!work.block) return false;
    auto* floats = static_cast<float*>(work.block);
    work.preScores = floats;
    work.scores = floats + entries;
    auto* integers = reinterpret_cast<int32_t*>(floats + 2 * entries);
    work.taken = integers;
    work.order = integers + entries;
    return true;
}

// Sorts by pre-score, highest first; equal pre-scores keep the list order.
void OrderByPreScore(int count, RootWork& work) {
    for (int i = 0; i < count; ++i) work.taken[i] = 0;
    for (int k = 0; k < count; ++k) {
        int best = -1;
        for (int i = 0; i < count; ++i) {
            if (work.taken[i]) continue;
            if (best < 0 || work.preScores[i] > work.preScores[best]) best = i;
        }
        work.order[k] = best;
        work.taken[best] = 1;
    }
}

// Picks the root move: its index in the list, or -1 when every move loses
// the king. best receives its score.
int ChooseRootMove(const SuccessorList list, int count, int depth, int threads,
                   SearchCounters& counters, float& best) {
    best = -KING_LOST_SCORE;
    RootWork work{};
    if (!AllocateRootWork(count, work)) {
        counters.outOfMemory = true;
        return -1;
    }
    // A one-ply look orders the moves; the first few are then searched deep.
    for (int i = 0; i < count; ++i)
        work.preScores[i] = -SearchPosition(counters, list[i], 0, -SCORE_BOUND, SCORE_BOUND);
    OrderByPreScore(count, work);
    const RootPass pass{list,          work.order,  count,       depth,        FULL_DEPTH_MOVES,
                        REDUCED_DEPTH, SCORE_BOUND, work.scores, counters.stop};
    SearchRootMoves(pass, threads, counters);

    // Only a strictly better score replaces the choice, so ties go to the move
    // searched first; the choice starts as the first move of the list.
    best = -SCORE_BOUND;
    int chosen = 0;
    for (int k = 0; k < count; ++k) {
        if (work.scores[k] > best) {
            best = work.scores[k];
            chosen = work.order[k];
        }
    }
    ReleaseBlock(work.block);
    return best == -KING_LOST_SCORE ? -1 : chosen;
}

// Keeps only the successors whose moves settings names, in list order, and
// returns how many remain.
int KeepOnlyMoves(const PositionRecord& position, SuccessorList list, int count,
                  const SearchSettings& settings) {
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        Square from{}, to{};
        DeriveMove(position, list[i], from, to);
        for (int m = 0; m < settings.onlyMoveCount; ++m) {
            if (settings.onlyMoves[m].from == from && settings.onlyMoves[m].to == to) {
                list[kept++] = list[i];
                break;
            }
        }
    }
    return kept;
}

int DefaultSearchThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, MAX_THREADS));
}

}  // namespace

int FindBestMove(PositionRecord position, int depth, Square& from, Square& to,
                 const SearchSettings& settings, SearchReport* report) {
    SearchCounters counters;
    counters.stop = settings.stop;
    float best = -KING_LOST_SCORE;
    int found = 0;
    SuccessorList list = nullptr;
    // Without its king (or with a side byte that names no side, which has no
    // pieces either) the side to move has nothing to play.
    int count = IsKingMissing(position, position.sideToMove)
                    ? 0
                    : GenerateSuccessors(position, list, counters.outOfMemory);
    if (count > 0 && settings.onlyMoveCount > 0)
        count = KeepOnlyMoves(position, list, count, settings);
    if (list != nullptr && count == 0) ReleaseSuccessors(list);
    if (count > 0) {
        const int threads = settings.threads > 0 ? settings.threads : DefaultSearchThreads();
        const int chosen = ChooseRootMove(list, count, std::max(depth, 1), threads, counters, best);
        if (chosen >= 0) {
            DeriveMove(position, list[chosen], from, to);
            found = 1;
        }
        ReleaseSuccessors(list);
    }
    // Worker threads only count failures; the one report is made here.
    if (counters.outOfMemory) ReportOutOfMemory();
    if (report) {
        report->score = found ? best : -KING_LOST_SCORE;
        report->nodes = counters.nodes;
        report->evaluations = counters.evaluations;
        report->outOfMemory = counters.outOfMemory;
        report->stopped =
            settings.stop != nullptr && settings.stop->requested.load(std::memory_order_relaxed);
    }
    return found;
}
