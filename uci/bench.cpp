#include "uci/bench.h"

#include <atomic>
#include <cstdint>

#include "engine/search.h"
#include "uci/clock.h"
#include "uci/notation.h"

namespace {

void WriteTotals(int64_t nodes, ClockTime start, std::ostream& out) {
    const int64_t microseconds = MicrosecondsSince(start);
    out << "===========================\n"
        << "Total time (ms) : " << microseconds / 1000 << '\n'
        << "Nodes searched  : " << nodes << '\n'
        << "Nodes/second    : " << NodesPerSecond(nodes, microseconds) << '\n';
}

}  // namespace

void RunBenchPositions(const std::vector<PositionRecord>& positions, int depth, int threads,
                       std::ostream& out) {
    int64_t nodes = 0;
    const ClockTime start = Now();
    for (std::size_t i = 0; i < positions.size(); ++i) {
        Square from{}, to{};
        SearchReport report;
        const int found =
            FindBestMove(positions[i], depth, from, to, SearchSettings{threads}, &report);
        out << "Position " << i + 1 << '/' << positions.size() << ": bestmove "
            << (found ? MoveText(positions[i], from, to) : "0000") << " score cp "
            << static_cast<int>(report.score) << " nodes " << report.nodes << '\n';
        nodes += report.nodes;
    }
    WriteTotals(nodes, start, out);
}

void RunChessBench(const std::vector<chess::Game>& games, int depth, chess::SearchThreads& threads,
                   chess::SearchTables& tables, std::ostream& out) {
    int64_t nodes = 0;
    const ClockTime start = Now();
    const std::atomic<bool> never{false};
    chess::SearchLimits limits;
    limits.maxDepth = depth;
    for (std::size_t i = 0; i < games.size(); ++i) {
        chess::ClearSearchTables(tables);
        chess::Iteration last;
        const chess::Move best = chess::Think(tables, threads, games[i], limits, never,
                                              [&](const chess::Iteration& iteration) {
                                                  last = iteration;
                                                  return true;
                                              });
        out << "Position " << i + 1 << '/' << games.size() << ": bestmove "
            << (best == chess::NO_MOVE ? "0000" : chess::MoveText(best)) << " score "
            << (last.mateIn != 0 ? "mate " + std::to_string(last.mateIn)
                                 : "cp " + std::to_string(last.score))
            << " nodes " << last.nodes << '\n';
        nodes += last.nodes;
    }
    WriteTotals(nodes, start, out);
}
