#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

#include "engine/tests/known_figures.h"
#include "session_helpers.h"
#include "uci/bench.h"

namespace {

// A file of its own, so that parallel runs never share one.
std::string WriteTemporaryFile(const std::string& text) {
    const std::string name = "quillmate_bench_" + std::to_string(std::random_device{}());
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path) << text;
    return path.string();
}

int64_t NodesSearched(const std::string& output) {
    std::smatch match;
    if (!std::regex_search(output, match, std::regex("\nNodes searched  : ([0-9]+)\n"))) return -1;
    return std::stoll(match[1].str());
}

}  // namespace

// Two threads: the node count must not depend on them, so this also holds
// the threaded search to the signature.
TEST(Bench, DefaultRunPrintsEachPositionThenTheTotalsWithTheSignature) {
    UciSession session;
    const std::string output = RunScript(session, "setoption name Threads value 2\nbench");
    const std::vector<std::string> lines = OutputLines(output);
    const std::size_t count = BuiltInBenchFens().size();
    ASSERT_EQ(lines.size(), count + 4);
    const std::regex position("Position ([0-9]+)/" + std::to_string(count) +
                              ": bestmove [a-h1-8q]{4,5} score cp -?[0-9]+ nodes [0-9]+");
    std::smatch match;
    for (std::size_t i = 0; i < count; ++i) {
        ASSERT_TRUE(std::regex_match(lines[i], match, position)) << lines[i];
        EXPECT_EQ(match[1].str(), std::to_string(i + 1));
    }
    EXPECT_EQ(lines[count], "===========================");
    EXPECT_TRUE(std::regex_match(lines[count + 1], std::regex("Total time \\(ms\\) : [0-9]+")));
    EXPECT_EQ(NodesSearched(output), known_figures::BENCH_SIGNATURE);
    EXPECT_TRUE(std::regex_match(lines[count + 3], std::regex("Nodes/second    : [1-9][0-9]*")));
    EXPECT_EQ(session.position, InitialPosition());
}

TEST(Bench, ReadsPositionsFromAFileAndCountsTheirSearches) {
    const std::string FIRST = "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3";
    const std::string SECOND = "8/8/4k3/8/2K5/8/3P4/8 b - - 0 40";
    const std::string path =
        WriteTemporaryFile("# two positions\n\n" + FIRST + "\n \t\n" + SECOND + "\r\n");
    UciSession session;
    const std::string output = RunScript(session, "bench 3 " + path);
    EXPECT_EQ(OutputLines(output).size(), 6u) << output;
    int64_t expected = 0;
    for (const std::string& fen : {FIRST, SECOND}) {
        const std::string search = RunScript(session, "position fen " + fen + "\ngo depth 3");
        expected += std::stoll(search.substr(search.find(" nodes ") + 7));
    }
    EXPECT_EQ(NodesSearched(output), expected);
    std::filesystem::remove(path);
}

TEST(Bench, RefusesABadFileBeforeSearchingAnything) {
    const std::pair<std::string, std::string> CASES[] = {
        {"8/8/4k3/8/2K5/8/3P4/8 b - - 0 40\n8/8/8 w - - 0 1\n", "bench position 2: bad FEN"},
        {"# nothing\n\n", "bench found no position in the file"},
    };
    for (const auto& [text, reason] : CASES) {
        const std::string path = WriteTemporaryFile(text);
        UciSession session;
        const std::string output = RunScript(session, "bench 2 " + path);
        EXPECT_TRUE(StartsWith(output, "info string error: " + reason)) << output;
        EXPECT_EQ(output.find('\n'), output.size() - 1);  // one line: nothing was searched
        session.limits.filesAllowed = false;
        EXPECT_NE(RunScript(session, "bench 1 " + path).find("may not read"), std::string::npos);
        std::filesystem::remove(path);
    }
}
