#include "uci/bench.h"

#include <cstdint>

#include "engine/search.h"
#include "uci/clock.h"
#include "uci/notation.h"

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
    const int64_t microseconds = MicrosecondsSince(start);
    out << "===========================\n"
        << "Total time (ms) : " << microseconds / 1000 << '\n'
        << "Nodes searched  : " << nodes << '\n'
        << "Nodes/second    : " << NodesPerSecond(nodes, microseconds) << '\n';
}
