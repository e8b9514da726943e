#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <set>

#include "session_helpers.h"
#include "uci/bench.h"
#include "uci/fen.h"

namespace {

// The node total of the built-in set at depth 5. The search and the rules
// are fixed, so this changes only when one of them goes wrong.
constexpr int64_t BENCH_SIGNATURE = 23885140;

int64_t NodesSearched(const std::string& output) {
    std::smatch match;
    const bool found =
        std::regex_search(output, match, std::regex("\nNodes searched  : ([0-9]+)\n"));
    EXPECT_TRUE(found) << output;
    return found ? std::stoll(match[1].str()) : -1;
}

std::string WriteTemporaryFile(const std::string& name, const std::string& text) {
    const std::string unique = std::to_string(std::random_device{}());  // parallel runs
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / (unique + "_" + name);
    std::ofstream(path) << text;
    return path.string();
}

int PieceCount(const std::string& fen) {
    int pieces = 0;
    for (char c : fen.substr(0, fen.find(' ')))
        pieces += std::isalpha(static_cast<unsigned char>(c)) != 0;
    return pieces;
}

}  // namespace

TEST(Bench, BuiltInSetIsLargeVariedAndValid) {
    const std::vector<std::string>& fens = BuiltInBenchFens();
    EXPECT_GE(fens.size(), 40u);
    EXPECT_EQ(std::set<std::string>(fens.begin(), fens.end()).size(), fens.size());
    int openings = 0, endgames = 0;
    for (const std::string& fen : fens) {
        PositionRecord position{};
        std::string error;
        EXPECT_TRUE(ParseFen(fen, position, error)) << fen << ": " << error;
        openings += PieceCount(fen) >= 28 ? 1 : 0;
        endgames += PieceCount(fen) <= 10 ? 1 : 0;
    }
    EXPECT_GE(openings, 10);
    EXPECT_GE(endgames, 10);
}

// One run with two threads: the node count must not depend on the threads,
// so this also holds the threaded search to the signature.
TEST(Bench, DefaultRunPrintsEachPositionThenTheTotalsWithTheSignature) {
    UciSession session;
    session.threads = 2;
    const std::vector<std::string> lines = OutputLines(RunScript(session, "bench"));
    const std::size_t count = BuiltInBenchFens().size();
    ASSERT_EQ(lines.size(), count + 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string prefix =
            "Position " + std::to_string(i + 1) + "/" + std::to_string(count) + ": bestmove ";
        EXPECT_TRUE(StartsWith(lines[i], prefix)) << lines[i];
    }
    EXPECT_EQ(lines[0], "Position 1/46: bestmove d2d4 score cp 84 nodes 871850");
    EXPECT_EQ(lines[count], "===========================");
    EXPECT_TRUE(std::regex_match(lines[count + 1], std::regex("Total time \\(ms\\) : [0-9]+")));
    EXPECT_EQ(lines[count + 2], "Nodes searched  : " + std::to_string(BENCH_SIGNATURE));
    EXPECT_TRUE(std::regex_match(lines[count + 3], std::regex("Nodes/second    : [0-9]+")));
    EXPECT_EQ(session.position, InitialPosition());
}

TEST(Bench, ReadsPositionsFromAFileAndCountsTheirSearches) {
    const char* const FIRST = "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3";
    const char* const SECOND = "8/8/4k3/8/2K5/8/3P4/8 b - - 0 40";
    const std::string path = WriteTemporaryFile(
        "quillmate_bench_positions.fen",
        std::string("# two positions\n\n") + FIRST + "\n   \n" + SECOND + "\r\n");
    UciSession session;
    const std::string output = RunScript(session, "bench 3 " + path);
    EXPECT_EQ(OutputLines(output).size(), 6u) << output;
    UciSession single;
    const std::string searches =
        RunScript(single, std::string("position fen ") + FIRST + "\ngo depth 3\nposition fen " +
                              SECOND + "\ngo depth 3");
    std::smatch match;
    int64_t expected = 0;
    for (auto it = searches.cbegin();
         std::regex_search(it, searches.cend(), match, std::regex(" nodes ([0-9]+) "));
         it = match[0].second)
        expected += std::stoll(match[1].str());
    EXPECT_EQ(NodesSearched(output), expected);
    std::filesystem::remove(path);
}

TEST(Bench, RefusesABadFileBeforeSearchingAnything) {
    const std::string path = WriteTemporaryFile(
        "quillmate_bench_bad.fen", "8/8/4k3/8/2K5/8/3P4/8 b - - 0 40\n8/8/8 w - - 0 1\n");
    UciSession session;
    const std::vector<std::string> lines = OutputLines(RunScript(session, "bench 2 " + path));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(StartsWith(lines[0], "info string error: bench position 2: bad FEN")) << lines[0];
    std::filesystem::remove(path);

    UciSession fileless;
    fileless.limits.filesAllowed = false;
    EXPECT_TRUE(StartsWith(RunScript(fileless, "bench 1 " + path), "info string error: "));
}
