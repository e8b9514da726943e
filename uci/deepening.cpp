#include "uci/deepening.h"

#include <sstream>

#include "uci/clock.h"
#include "uci/notation.h"

namespace {

// nodes is what the line reports; the speed counts all the nodes searched
// since the start, totalNodes.
std::string InfoLine(int depth, const std::string& extra, const std::string& score, int64_t nodes,
                     int64_t totalNodes, int64_t microseconds, const std::string& pv) {
    std::ostringstream line;
    line << "info depth " << depth << extra << " score " << score << " nodes " << nodes << " nps "
         << NodesPerSecond(totalNodes, microseconds) << " time " << microseconds / 1000 << " pv "
         << pv;
    return line.str();
}

// The game's search has no deepening of its own: each depth is a whole new
// search, whose move, score and nodes are exactly the game's at that depth.
DeepeningResult DeepenKingCapture(const DeepeningJob& job, SearchStop& stop, const InfoSink& sink) {
    DeepeningResult result;
    const ClockTime start = Now();
    int64_t total = 0;
    SearchSettings settings{job.threads, &stop, job.onlyMoves.data(),
                            static_cast<int>(job.onlyMoves.size())};
    for (int depth = 1; depth <= job.maxDepth; ++depth) {
        Square from{}, to{};
        SearchReport report;
        const int found = FindBestMove(job.position, depth, from, to, settings, &report);
        // Depth 1 scores every move by its evaluation alone and never stops.
        if (report.stopped && depth > 1) break;
        total += report.nodes;
        result.outOfMemory = result.outOfMemory || report.outOfMemory;
        result.bestMove = found ? MoveText(job.position, from, to) : "0000";
        const std::string score = "cp " + std::to_string(static_cast<int>(report.score));
        if (!sink(InfoLine(depth, "", score, report.nodes, total, MicrosecondsSince(start),
                           result.bestMove)))
            break;
        if (job.maxNodes > 0 && total >= job.maxNodes) break;
    }
    return result;
}

std::string ChessScore(const chess::Iteration& iteration) {
    if (iteration.mateIn != 0) return "mate " + std::to_string(iteration.mateIn);
    return "cp " + std::to_string(iteration.score);
}

DeepeningResult DeepenChess(const DeepeningJob& job, SearchStop& stop, const InfoSink& sink) {
    DeepeningResult result;
    const ClockTime start = Now();
    chess::SearchLimits limits;
    limits.maxDepth = job.maxDepth;
    limits.maxNodes = job.maxNodes;
    limits.searchMoves = job.onlyChessMoves;
    std::vector<chess::Move> pv;
    auto onIteration = [&](const chess::Iteration& iteration) {
        pv = iteration.pv;
        std::string moves;
        for (chess::Move move : iteration.pv)
            moves += (moves.empty() ? "" : " ") + chess::MoveText(move);
        const std::string extra = " seldepth " + std::to_string(iteration.selectiveDepth);
        const bool more =
            sink(InfoLine(iteration.depth, extra, ChessScore(iteration), iteration.nodes,
                          iteration.nodes, MicrosecondsSince(start), moves));
        const bool mateFound =
            job.mateIn > 0 && iteration.mateIn > 0 && iteration.mateIn <= job.mateIn;
        return more && !mateFound;
    };
    const chess::Move best =
        chess::Think(*job.tables, *job.chessThreads, job.game, limits, stop.requested, onIteration);
    if (best == chess::NO_MOVE) {
        // No legal move: the game is over, lost when in check, else drawn.
        sink(std::string("info depth 0 score ") + (chess::InCheck(job.game) ? "mate 0" : "cp 0"));
        return result;
    }
    result.bestMove = chess::MoveText(best);
    if (pv.size() >= 2 && pv[0] == best) result.ponderMove = chess::MoveText(pv[1]);
    return result;
}

}  // namespace

DeepeningResult Deepen(const DeepeningJob& job, SearchStop& stop, const InfoSink& sink) {
    return job.standardChess ? DeepenChess(job, stop, sink) : DeepenKingCapture(job, stop, sink);
}
