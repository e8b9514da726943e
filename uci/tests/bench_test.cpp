#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

#include "engine/tests/known_figures.h"
#include "session_helpers.h"
#include "uci/bench.h"

// Two threads: the node count must not depend on them, so this also holds
// the threaded search to the signature.
TEST(Bench, DefaultRunPrintsEachPositionThenTheTotalsWithTheSignature) {
    KingCaptureSession session;
    const std::vector<std::string> lines =
        OutputLines(RunScript(session, "setoption name Threads value 2\nbench"));
    const std::size_t count = BuiltInBenchFens().size();
    ASSERT_EQ(lines.size(), count + 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string number = std::to_string(i + 1) + "/" + std::to_string(count);
        EXPECT_TRUE(std::regex_match(lines[i], std::regex("Position " + number +
                                                          ": bestmove [a-h1-8q]{4,5} score cp "
                                                          "-?[0-9]+ nodes [0-9]+")))
            << lines[i];
    }
    EXPECT_EQ(lines[count], "===========================");
    EXPECT_TRUE(std::regex_match(lines[count + 1], std::regex("Total time \\(ms\\) : [0-9]+")));
    EXPECT_EQ(lines[count + 2], "Nodes searched  : " + std::to_string(known::BENCH_SIGNATURE));
    EXPECT_TRUE(std::regex_match(lines[count + 3], std::regex("Nodes/second    : [1-9][0-9]*")));
}

// Files of positions: comments, blank lines and CR are skipped, and a bad
// file is refused before anything is searched.
TEST(Bench, ReadsPositionsFromAFile) {
    const std::pair<std::string, std::string> CASES[] = {
        {"# two\n\n8/8/4k3/8/2K5/8/3P4/8 b - - 0 40\n \t\n4k3/8/8/8/8/8/8/4K3 w - -\r\n",
         "Position 1/2: bestmove "},
        {"8/8/4k3/8/2K5/8/3P4/8 b - - 0 40\n8/8/8 w - - 0 1\n",
         "info string error: bench position 2: bad FEN"},
        {"# nothing\n\n", "info string error: bench found no position in the file"},
    };
    for (const auto& [text, first] : CASES) {
        const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                           ("quillmate_" + std::to_string(std::random_device{}()));
        std::ofstream(path) << text;
        KingCaptureSession session;
        const std::vector<std::string> lines =
            OutputLines(RunScript(session, "bench 2 " + path.string()));
        EXPECT_TRUE(StartsWith(lines.at(0), first)) << lines[0];
        EXPECT_EQ(lines.size(), StartsWith(first, "info") ? 1u : 6u);
        session.limits.filesAllowed = false;
        EXPECT_NE(RunScript(session, "bench 1 " + path.string()).find("may not read"),
                  std::string::npos);
        std::filesystem::remove(path);
    }
}

// Standard chess has its own signature: one thread, each position from an
// empty hash table, so the same total every run.
TEST(Bench, StandardChessHasItsOwnSignature) {
    const std::string SIGNATURE = "Nodes searched  : 461562";
    for (int run = 0; run < 2; ++run) {
        UciSession session;
        const std::vector<std::string> lines = OutputLines(RunScript(session, "bench 8"));
        ASSERT_EQ(lines.size(), BuiltInBenchFens().size() + 4);
        EXPECT_EQ(lines[lines.size() - 2], SIGNATURE);
    }
}
