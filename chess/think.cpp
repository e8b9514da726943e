// Iterative deepening with aspiration windows on the calling thread, and
// helper threads that search the same position on their own workers and
// share only the transposition table (lazy SMP).
#include <algorithm>
#include <cstring>

#include "chess/chess.h"
#include "chess/search.h"
#include "chess/search_margins.h"

namespace chess {

namespace {

bool Listed(const std::vector<Move>& moves, Move move) {
    for (Move listed : moves)
        if (listed == move) return true;
    return false;
}

// The legal root moves, restricted to searchMoves when any of them is legal.
int RootMoves(const Game& game, const SearchLimits& limits, Move* out) {
    MoveList legal;
    GenerateLegalMoves(game.board, legal);
    int count = 0;
    for (int i = 0; i < legal.count; ++i)
        if (Listed(limits.searchMoves, legal.moves[i])) out[count++] = legal.moves[i];
    if (count > 0) return count;
    for (int i = 0; i < legal.count; ++i) out[i] = legal.moves[i];
    return legal.count;
}

int MateIn(int score) {
    if (score >= MATE_BOUND) return (MATE_SCORE - score + 1) / 2;
    if (score <= -MATE_BOUND) return -(MATE_SCORE + score) / 2;
    return 0;
}

// One depth with an aspiration window around the previous score.
int SearchDepth(Worker& worker, int depth, int previous) {
    int delta = ASPIRATION_WINDOW;
    int alpha = -INFINITE_SCORE, beta = INFINITE_SCORE;
    if (depth >= ASPIRATION_MIN_DEPTH && previous > -MATE_BOUND && previous < MATE_BOUND) {
        alpha = previous - delta;
        beta = previous + delta;
    }
    for (;;) {
        int score = SearchRoot(worker, alpha, beta, depth);
        if (worker.stopped) return score;
        if (score <= alpha) {
            beta = (alpha + beta) / 2;
            alpha = score - delta > -INFINITE_SCORE ? score - delta : -INFINITE_SCORE;
        } else if (score >= beta) {
            beta = score + delta < INFINITE_SCORE ? score + delta : INFINITE_SCORE;
        } else {
            return score;
        }
        delta *= 2;
        if (delta > ASPIRATION_WIDEST) alpha = -INFINITE_SCORE, beta = INFINITE_SCORE;
    }
}

// One depth's lines on the main worker: the best root move, then the best
// of the others, and so on, each with its own aspiration window around its
// last score. The lines are ranked by score and the root moves put in their
// order. Returns false, leaving lines and scores as they were, when stopped.
bool SearchLines(Worker& worker, int depth, std::vector<int>& scores,
                 std::vector<Iteration>& lines) {
    const int count = int(lines.size());
    int found[MAX_MOVES];
    for (int k = 0; k < count; ++k) {
        worker.rootStart = k;
        found[k] = SearchDepth(worker, depth, scores[k]);
        if (worker.stopped) break;
        Iteration& line = lines[k];
        line.pv.assign(worker.pv[0], worker.pv[0] + worker.pvLength[0]);
        if (line.pv.empty()) line.pv.push_back(worker.rootMoves[k]);
    }
    worker.rootStart = 0;
    if (worker.stopped) return false;
    // A later line searched deeper can come out better than an earlier one.
    int order[MAX_MOVES];
    for (int k = 0; k < count; ++k) order[k] = k;
    std::stable_sort(order, order + count, [&](int a, int b) { return found[a] > found[b]; });
    std::vector<Iteration> ranked(count);
    for (int k = 0; k < count; ++k) {
        Iteration& line = ranked[k];
        line = std::move(lines[order[k]]);
        line.depth = depth;
        line.line = k + 1;
        line.mateIn = MateIn(found[order[k]]);
        line.score = line.mateIn ? 0 : found[order[k]];
        scores[k] = found[order[k]];
        worker.rootMoves[k] = line.pv[0];
    }
    lines.swap(ranked);
    return true;
}

// Where every thread of one search starts from.
struct SearchStart {
    SharedSearch* shared;
    const Game* game;
    const Move* rootMoves;
    int rootMoveCount;
    int maxDepth;
};

void PrepareWorker(Worker& worker, const SearchStart& start) {
    worker.shared = start.shared;
    const Game& game = *start.game;
    StartWorker(worker, game.board, game.history.data(), int(game.history.size()));
    for (int i = 0; i < start.rootMoveCount; ++i) worker.rootMoves[i] = start.rootMoves[i];
    worker.rootMoveCount = start.rootMoveCount;
}

// A helper deepens on its own until told to stop; half of them start a
// depth further on, so that the threads spread over two depths.
void RunHelper(Worker& worker, int helper, const void* context) {
    const SearchStart& start = *static_cast<const SearchStart*>(context);
    const std::atomic<bool>& over = start.shared->helpersStop;
    PrepareWorker(worker, start);
    int previous = 0;
    for (int depth = 1 + (helper & 1);
         depth <= start.maxDepth && !worker.stopped && !over.load(std::memory_order_relaxed);
         ++depth) {
        worker.canStop = true;
        previous = SearchDepth(worker, depth, previous);
    }
}

// While it lives the helpers search; however Think ends, it stops them and
// waits until none touches the search's state any more.
struct HelpersRunning {
    SearchThreads& pool;
    SharedSearch& shared;
    ~HelpersRunning() {
        shared.helpersStop.store(true, std::memory_order_relaxed);
        WaitForHelpers(pool);
    }
};

}  // namespace

Move Think(SearchTables& tables, SearchThreads& pool, const Game& game, const SearchLimits& limits,
           const std::atomic<bool>& stop,
           const std::function<bool(const Iteration&)>& onIteration) {
    Move rootMoves[MAX_MOVES];
    int rootMoveCount = RootMoves(game, limits, rootMoves);
    if (rootMoveCount == 0) return NO_MOVE;
    tables.generation = (tables.generation + 1) & 63;

    SharedSearch shared;
    shared.tables = &tables;
    shared.stop = &stop;
    shared.maxNodes = limits.maxNodes;
    shared.alone = SearchThreadCount(pool) <= 1;
    int maxDepth = limits.maxDepth < 1             ? 1
                   : limits.maxDepth > MAX_PLY - 1 ? MAX_PLY - 1
                                                   : limits.maxDepth;
    const SearchStart start{&shared, &game, rootMoves, rootMoveCount, maxDepth};
    Worker& main = *pool.main;
    main.isMain = true;
    PrepareWorker(main, start);

    const int lineCount = std::clamp(limits.multiPv, 1, rootMoveCount);
    std::vector<Iteration> lines(lineCount);
    std::vector<int> scores(lineCount, 0);  // each line's score at the last depth
    Move best = rootMoves[0];
    {
        StartHelpers(pool, RunHelper, &start);
        HelpersRunning running{pool, shared};
        for (int depth = 1; depth <= maxDepth; ++depth) {
            if (depth > 1 && stop.load(std::memory_order_relaxed)) break;
            main.canStop = depth > 1;
            main.selectiveDepth = 0;
            if (!SearchLines(main, depth, scores, lines)) {
                // A move that took the lead in the unfinished depth was
                // searched to the end and beat the last depth's best there.
                if (lineCount == 1) best = main.rootMoves[0];
                break;
            }
            best = main.rootMoves[0];
            bool more = true;
            for (Iteration& line : lines) {
                line.selectiveDepth = main.selectiveDepth;
                line.nodes = shared.alone ? main.nodes
                                          : shared.nodes.load(std::memory_order_relaxed) +
                                                main.unflushedNodes;
                if (onIteration && !onIteration(line)) more = false;
            }
            if (!more) break;
        }
    }
    std::memcpy(tables.history, main.history, sizeof tables.history);
    std::memcpy(tables.captureHistory, main.captureHistory, sizeof tables.captureHistory);
    std::memcpy(tables.counterMoves, main.counterMoves, sizeof tables.counterMoves);
    std::memcpy(tables.continuation.get(), &main.continuation, sizeof main.continuation);
    std::memcpy(tables.correction.get(), &main.correction, sizeof main.correction);
    return best;
}

}  // namespace chess
