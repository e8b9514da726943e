#include "uci/bench.h"

#include "engine/search.h"
#include "uci/clock.h"
#include "uci/notation.h"

BenchTotals RunBenchPositions(const std::vector<PositionRecord>& positions, int depth, int threads,
                              std::ostream& out) {
    BenchTotals totals;
    const ClockTime start = Now();
    for (std::size_t i = 0; i < positions.size(); ++i) {
        Square from{}, to{};
        SearchReport report;
        const int found =
            FindBestMove(positions[i], depth, from, to, SearchSettings{threads}, &report);
        out << "Position " << i + 1 << '/' << positions.size() << ": bestmove "
            << (found ? MoveText(positions[i], from, to) : "0000") << " score cp "
            << static_cast<int>(report.score) << " nodes " << report.nodes << '\n';
        totals.nodes += report.nodes;
    }
    const int64_t microseconds = MicrosecondsSince(start);
    totals.milliseconds = microseconds / 1000;
    out << "===========================\n"
        << "Total time (ms) : " << totals.milliseconds << '\n'
        << "Nodes searched  : " << totals.nodes << '\n'
        << "Nodes/second    : " << NodesPerSecond(totals.nodes, microseconds) << '\n';
    return totals;
}
