// bench [depth [file]]: the positions come from the file, one FEN per line,
// or from the built-in set. All of them are read and checked before the
// first search, so a bad line costs no time and prints only its error.
#include <fstream>

#include "uci/bench.h"
#include "uci/clock.h"
#include "uci/commands.h"
#include "uci/fen.h"

namespace {

// The FENs of a file; blank lines and lines starting with '#' are skipped.
bool ReadFenFile(const std::string& path, std::vector<std::string>& fens, std::string& error) {
    std::ifstream file(path);
    if (!file) {
        error = "bench cannot open the file " + Quoted(path);
        return false;
    }
    std::string line;
    while (std::getline(file, line)) {
        const Words words = SplitWords(line);
        if (!words.empty() && words[0][0] != '#') fens.push_back(line);
    }
    if (fens.empty()) {
        error = "bench found no position in the file " + Quoted(path);
        return false;
    }
    return true;
}

// Reads every FEN, and checks that the rules can start a game at each.
bool ReadPositions(const RuleSet& rules, const std::vector<std::string>& fens,
                   std::vector<FenPosition>& positions, std::string& error) {
    for (std::size_t i = 0; i < fens.size(); ++i) {
        FenPosition position;
        if (!ParseFen(SplitWords(fens[i]), rules.Chess960(), position, error) ||
            !rules.AcceptsPosition(position, error)) {
            error = "bench position " + std::to_string(i + 1) + ": " + error;
            return false;
        }
        positions.push_back(position);
    }
    return true;
}

void WriteTotals(int64_t nodes, ClockTime start, std::ostream& out) {
    const int64_t microseconds = MicrosecondsSince(start);
    out << "===========================\n"
        << "Total time (ms) : " << microseconds / 1000 << '\n'
        << "Nodes searched  : " << nodes << '\n'
        << "Nodes/second    : " << NodesPerSecond(nodes, microseconds) << '\n';
}

bool ReadBenchArguments(const UciSession& session, const Words& words, int& depth,
                        std::vector<std::string>& fens, std::string& error) {
    const int most = session.limits.maxSearchDepth;
    const int usual = session.rules->BenchDepth();
    depth = usual < most ? usual : most;
    if (words.size() >= 2) {
        int64_t value = 0;
        if (!ParseBoundedNumber(words[1], "the bench depth", 1, most, value, error)) return false;
        depth = static_cast<int>(value);
    }
    if (words.size() < 3) {
        fens = BuiltInBenchFens();
        return true;
    }
    if (!session.limits.filesAllowed) {
        error = "bench may not read files in this session";
        return false;
    }
    return ReadFenFile(JoinWords(words, 2, words.size()), fens, error);
}

}  // namespace

void RunBench(UciSession& session, const Words& words, std::ostream& out) {
    int depth = 0;
    std::vector<std::string> fens;
    std::vector<FenPosition> positions;
    std::string error;
    if (!ReadBenchArguments(session, words, depth, fens, error) ||
        !ReadPositions(*session.rules, fens, positions, error)) {
        ReportError(session, out, error);
        return;
    }
    const std::size_t most = static_cast<std::size_t>(session.limits.maxBenchPositions);
    if (positions.size() > most) positions.resize(most);
    int64_t nodes = 0;
    const ClockTime start = Now();
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const BenchLine line = session.rules->BenchSearch(positions[i], depth);
        out << "Position " << i + 1 << '/' << positions.size() << ": bestmove " << line.bestMove
            << " score " << line.score << " nodes " << line.nodes << '\n';
        nodes += line.nodes;
    }
    WriteTotals(nodes, start, out);
}
