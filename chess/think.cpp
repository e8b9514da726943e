// Iterative deepening with aspiration windows on the calling thread, and
// helper threads that search the same position on their own copies and
// share only the transposition table (lazy SMP).
#include <cstring>
#include <memory>
#include <thread>

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

void RunHelper(Worker& worker, int maxDepth, int firstDepth) {
    int previous = 0;
    for (int depth = firstDepth; depth <= maxDepth && !worker.stopped; ++depth) {
        worker.canStop = true;
        previous = SearchDepth(worker, depth, previous);
    }
}

std::unique_ptr<Worker> MakeWorker(SharedSearch& shared, const Game& game, const Move* rootMoves,
                                   int rootMoveCount, bool isMain) {
    auto worker = std::make_unique<Worker>();
    worker->shared = &shared;
    worker->isMain = isMain;
    StartWorker(*worker, game.board, game.history.data(), int(game.history.size()));
    for (int i = 0; i < rootMoveCount; ++i) worker->rootMoves[i] = rootMoves[i];
    worker->rootMoveCount = rootMoveCount;
    std::memcpy(worker->history, shared.tables->history, sizeof worker->history);
    return worker;
}

}  // namespace

Move Think(SearchTables& tables, const Game& game, const SearchLimits& limits,
           const std::atomic<bool>& stop,
           const std::function<bool(const Iteration&)>& onIteration) {
    Move rootMoves[MAX_MOVES];
    int rootMoveCount = RootMoves(game, limits, rootMoves);
    if (rootMoveCount == 0) return NO_MOVE;
    if (tables.entries.empty()) ResizeSearchTables(tables, 16);
    tables.generation = (tables.generation + 1) & 63;

    SharedSearch shared;
    shared.tables = &tables;
    shared.stop = &stop;
    shared.maxNodes = limits.maxNodes;
    shared.alone = limits.threads <= 1;
    int maxDepth = limits.maxDepth < 1             ? 1
                   : limits.maxDepth > MAX_PLY - 1 ? MAX_PLY - 1
                                                   : limits.maxDepth;

    std::unique_ptr<Worker> main = MakeWorker(shared, game, rootMoves, rootMoveCount, true);
    std::vector<std::unique_ptr<Worker>> helpers;
    std::vector<std::thread> threads;
    for (int i = 1; i < limits.threads; ++i) {
        helpers.push_back(MakeWorker(shared, game, rootMoves, rootMoveCount, false));
        threads.emplace_back(RunHelper, std::ref(*helpers.back()), maxDepth, 1 + (i & 1));
    }

    Move best = rootMoves[0];
    int previous = 0;
    for (int depth = 1; depth <= maxDepth; ++depth) {
        if (depth > 1 && stop.load(std::memory_order_relaxed)) break;
        main->canStop = depth > 1;
        main->selectiveDepth = 0;
        int score = SearchDepth(*main, depth, previous);
        if (main->stopped) break;
        previous = score;
        best = main->rootMoves[0];
        Iteration iteration;
        iteration.depth = depth;
        iteration.selectiveDepth = main->selectiveDepth;
        iteration.mateIn = MateIn(score);
        iteration.score = iteration.mateIn ? 0 : score;
        iteration.nodes = shared.alone
                              ? main->nodes
                              : shared.nodes.load(std::memory_order_relaxed) + main->unflushedNodes;
        iteration.pv.assign(main->pv[0], main->pv[0] + main->pvLength[0]);
        if (iteration.pv.empty()) iteration.pv.push_back(best);
        if (onIteration && !onIteration(iteration)) break;
    }

    shared.helpersStop.store(true, std::memory_order_relaxed);
    for (std::thread& thread : threads) thread.join();
    std::memcpy(tables.history, main->history, sizeof tables.history);
    return best;
}

}  // namespace chess
