#include "engine/search.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "engine/evaluate.h"
#include "engine/memory.h"
#include "engine/successors.h"

namespace {

// Counters of one thread's share of a search.
struct SearchCounters {
    int64_t nodes = 0;
    int64_t evaluations = 0;
    bool outOfMemory = false;
};

// The null window sits just below -alpha: -alpha - 0.1 is formed in double
// precision and rounded once to float.
float ScoutBound(float alpha) { return static_cast<float>(-static_cast<double>(alpha) - 0.1); }

float SearchNode(SearchCounters& counters, PositionRecord position, int depth, float alpha,
                 float beta) {
    ++counters.nodes;
    if (depth == 0) {
        ++counters.evaluations;
        return EvaluatePosition(position);
    }
    if (IsKingMissing(position, 'w')) return position.sideToMove == 'w' ? -KING_LOST_SCORE : KING_LOST_SCORE;
    if (IsKingMissing(position, 'b')) return position.sideToMove == 'b' ? -KING_LOST_SCORE : KING_LOST_SCORE;

    SuccessorList list = nullptr;
    const int count = GenerateSuccessorsQuietly(position, list, counters.outOfMemory);
    if (count == 0) return -KING_LOST_SCORE;

    for (int i = 0; i < count; ++i) {
        float v = -SearchNode(counters, list[i], depth - 1, ScoutBound(alpha), -alpha);
        if (v <= alpha) continue;
        if (v >= beta) {
            ReleaseSuccessors(list);
            return v;
        }
        v = -SearchNode(counters, list[i], depth - 1, -beta, -v);
        if (v <= alpha) continue;
        if (v > beta) {
            ReleaseSuccessors(list);
            return v;
        }
        alpha = v;
    }
    ReleaseSuccessors(list);
    return alpha;
}

// The root's work arrays, one entry per root successor, in one block.
struct RootWork {
    float* preScores;
    int32_t* taken;
    int32_t* order;
    float* scores;  // the main pass's result for each entry of order
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

// The main pass: every root move with the full window, so the moves are
// independent and threads can take them in order, each from a shared counter.
void SearchRootMoves(const SuccessorList list, int count, int depth, RootWork& work,
                     int threadCount, SearchCounters& total) {
    std::atomic<int> next{0};
    auto worker = [&](SearchCounters& counters) {
        for (int k = next.fetch_add(1); k < count; k = next.fetch_add(1)) {
            const int remaining = k < FULL_DEPTH_MOVES ? depth - 1 : REDUCED_DEPTH;
            work.scores[k] =
                -SearchNode(counters, list[work.order[k]], remaining, -SCORE_BOUND, SCORE_BOUND);
        }
    };
    threadCount = std::max(1, std::min(threadCount, count));
    std::vector<SearchCounters> counters(static_cast<std::size_t>(threadCount));
    std::vector<std::thread> helpers;
    for (int t = 1; t < threadCount; ++t) helpers.emplace_back(worker, std::ref(counters[t]));
    worker(counters[0]);
    for (std::thread& helper : helpers) helper.join();
    for (const SearchCounters& c : counters) {
        total.nodes += c.nodes;
        total.evaluations += c.evaluations;
        total.outOfMemory = total.outOfMemory || c.outOfMemory;
    }
}

// Picks the root move; returns its index in the list, or -1 when every move loses.
int ChooseRootMove(PositionRecord position, int depth, int threadCount, SuccessorList list,
                   int count, SearchCounters& counters, float& best) {
    RootWork work{};
    if (!AllocateRootWork(count, work)) {
        counters.outOfMemory = true;
        best = -KING_LOST_SCORE;
        return -1;
    }
    for (int i = 0; i < count; ++i)
        work.preScores[i] = -SearchNode(counters, list[i], 0, -SCORE_BOUND, SCORE_BOUND);
    OrderByPreScore(count, work);
    SearchRootMoves(list, count, depth, work, threadCount, counters);

    best = -SCORE_BOUND;
    int chosen = 0;
    for (int k = 0; k < count; ++k) {
        if (work.scores[k] > best) {
            best = work.scores[k];
            chosen = work.order[k];
        }
    }
    ReleaseBlock(work.block);
    (void)position;
    return best == -KING_LOST_SCORE ? -1 : chosen;
}

}  // namespace

int DefaultSearchThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min(cores, 64u));
}

int FindBestMove(PositionRecord position, int depth, Square& from, Square& to,
                 const SearchSettings& settings, SearchReport* report) {
    SearchCounters counters;
    float best = -KING_LOST_SCORE;
    int found = 0;
    const char side = position.sideToMove;
    const bool kingMissing = (side == 'w' && IsKingMissing(position, 'w')) ||
                             (side == 'b' && IsKingMissing(position, 'b'));
    SuccessorList list = nullptr;
    const int count =
        kingMissing ? 0 : GenerateSuccessorsQuietly(position, list, counters.outOfMemory);
    if (count > 0) {
        const int threads = settings.threads > 0 ? settings.threads : DefaultSearchThreads();
        const int chosen =
            ChooseRootMove(position, std::max(depth, 1), threads, list, count, counters, best);
        if (chosen >= 0) {
            DeriveMove(position, list[chosen], from, to);
            found = 1;
        }
        ReleaseSuccessors(list);
    }
    if (counters.outOfMemory) ReportOutOfMemory();
    if (report) {
        report->score = found ? best : -KING_LOST_SCORE;
        report->nodes = counters.nodes;
        report->evaluations = counters.evaluations;
        report->outOfMemory = counters.outOfMemory;
    }
    return found;
}

float SearchPosition(PositionRecord position, int depth, float alpha, float beta) {
    SearchCounters counters;
    const float score = SearchNode(counters, position, std::max(depth, 0), alpha, beta);
    if (counters.outOfMemory) ReportOutOfMemory();
    return score;
}

void DeriveMove(PositionRecord position, PositionRecord successor, Square& from, Square& to) {
    const char side = position.sideToMove;
    auto ownedBy = [side](const PositionRecord& record, int i) { return SideOf(record.board[i]) == side; };
    int vacated = 0;
    int fromIndex = 0;
    for (int i = 0; i < 64 && vacated < 2; ++i) {
        if (!ownedBy(position, i) || successor.board[i] != EMPTY_SQUARE) continue;
        if (vacated == 0 || position.board[i] == 'R' || position.board[i] == 'r') fromIndex = i;
        ++vacated;
    }
    from = Square{fromIndex % 8 + 1, fromIndex / 8 + 1};
    if (vacated == 2) {
        to = Square{from.file == 1 ? 3 : 7, from.rank};
        from.file = 5;
        return;
    }
    to = from;
    for (int i = 0; i < 64; ++i) {
        if (!ownedBy(position, i) && ownedBy(successor, i)) {
            to = Square{i % 8 + 1, i / 8 + 1};
            return;
        }
    }
}
