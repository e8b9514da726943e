// bench [depth [file]]: the positions come from the file, one FEN per line,
// or from the built-in set. All of them are read and checked before the
// first search, so a bad line costs no time and prints only its error.
#include <fstream>

#include "uci/bench.h"
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

// Reads every FEN, and in standard chess starts a game at each.
bool ReadPositions(const std::vector<std::string>& fens, bool standardChess,
                   std::vector<PositionRecord>& positions, std::vector<chess::Game>& games,
                   std::string& error) {
    for (std::size_t i = 0; i < fens.size(); ++i) {
        PositionRecord position{};
        int halfMoveClock = 0;
        chess::Game game;
        if (!ParseFenFields(SplitWords(fens[i]), position, error, &halfMoveClock) ||
            (standardChess && !chess::StartGame(position, halfMoveClock, game, error))) {
            error = "bench position " + std::to_string(i + 1) + ": " + error;
            return false;
        }
        positions.push_back(position);
        games.push_back(game);
    }
    return true;
}

bool ReadBenchArguments(const UciSession& session, const Words& words, int& depth,
                        std::vector<std::string>& fens, std::string& error) {
    const int most = session.limits.maxSearchDepth;
    const int usual =
        session.variant == Variant::CHESS ? DEFAULT_CHESS_BENCH_DEPTH : DEFAULT_BENCH_DEPTH;
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
    std::vector<PositionRecord> positions;
    std::vector<chess::Game> games;
    std::string error;
    const bool standardChess = session.variant == Variant::CHESS;
    if (!ReadBenchArguments(session, words, depth, fens, error) ||
        !ReadPositions(fens, standardChess, positions, games, error)) {
        ReportError(session, out, error);
        return;
    }
    const std::size_t most = static_cast<std::size_t>(session.limits.maxBenchPositions);
    if (positions.size() > most) positions.resize(most);
    if (games.size() > most) games.resize(most);
    if (!standardChess) return RunBenchPositions(positions, depth, session.threads, out);
    if (!session.tablesSized) {
        std::string tableError;  // a smaller table, or none, still searches
        chess::ResizeSearchTables(session.tables, session.hashMegabytes, tableError);
        session.tablesSized = true;
    }
    RunChessBench(games, depth, session.chessThreads, session.tables, out);
}
