#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "engine/memory.h"
#include "engine/tests/known_figures.h"
#include "session_helpers.h"
#include "uci/fen.h"

namespace {

// Lets the first few engine allocations through, then refuses every one.
std::atomic<int> AllocationsLeft{0};
void* FailingAllocate(std::size_t bytes) {
    return AllocationsLeft.fetch_sub(1) > 0 ? std::malloc(bytes) : nullptr;
}

}  // namespace

TEST(Session, HandshakeAndQuit) {
    UciSession session;
    const std::vector<std::string> lines = OutputLines(RunScript(session, "uci\nisready"));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], "option name Threads type spin default 1 min 1 max 64");
    EXPECT_EQ(lines[3], "uciok");
    EXPECT_EQ(lines[4], "readyok");
    std::ostringstream out;
    EXPECT_FALSE(RunCommand(session, "quit", out));
    EXPECT_TRUE(RunCommand(session, " \t\r", out));
    EXPECT_TRUE(RunCommand(session, "stop", out));
    EXPECT_EQ(out.str(), "");
}

TEST(Session, SetOptionReadsTheThreadCount) {
    const std::pair<const char*, int> CASES[] = {
        {"setoption name Threads value 1", 1},
        {"setoption name threads value 64", 64},
        {"setoption name THREADS value +2", 2},
        {"setoption name Threads value 007", 7},
    };
    for (const auto& [command, threads] : CASES) {
        UciSession session;
        EXPECT_EQ(RunScript(session, command), "") << command;
        EXPECT_EQ(session.threads, threads) << command;
    }
}

TEST(Session, PositionCommandsReachTheExpectedRecord) {
    const std::pair<const char*, const char*> CASES[] = {
        // Two en passant captures, castling on both wings, a promotion.
        {"startpos moves e2e4 d7d5 e4e5 f7f5 e5f6 e7f6 g1f3 f8d6 f1c4 g8e7 e1g1 e8g8 b2b4 a7a5 "
         "b4b5 c7c5 b5c6 h7h6 c6b7 h6h5 b7a8q",
         "Qnbq1rk1/4n1p1/3b1p2/p2p3p/2B5/5N2/P1PP1PPP/RNBQ1RK1 b - - 0 11"},
        {"fen r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1 moves e1g1 e8c8",
         "2kr3r/pppppppp/8/8/8/8/PPPPPPPP/R4RK1 w - - 0 2"},
        {"fen 4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1 moves b7b8 g2g1q",
         "1Q2k3/8/8/8/8/8/8/4K1q1 w - - 0 2"},
        {"fen 4k3/8/8/8/8/8/8/4K3 w - - 5 9 moves e1d2", "4k3/8/8/8/8/8/3K4/8 b - - 0 9"},
        {"startpos moves e2e4 a7a6 e4e5 d7d5",
         "rnbqkbnr/1pp1pppp/p7/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3"},
    };
    for (const auto& [arguments, fen] : CASES) {
        UciSession session;
        EXPECT_EQ(RunScript(session, std::string("position ") + arguments), "") << arguments;
        EXPECT_EQ(FormatFen(session.position), fen);
        RunScript(session, "ucinewgame");
        EXPECT_EQ(session.position, InitialPosition());
    }
}

// Every malformed command answers with one error line that says what is
// wrong, and the position stays as it was.
TEST(Session, EveryKindOfBadInputGetsOneLineAndChangesNothing) {
    const std::string LONG(41, 'x');
    const std::pair<std::string, std::string> BAD[] = {
        {"position", "needs 'startpos' or 'fen"},
        {"position startpos e2e4", "unexpected 'e2e4'"},
        {"position fen", "has 0"},
        {"position fen moves", "has 0"},
        {"position fen 8/8/8/8/8/8/8/8 w - - 0 1 e2e4", "has 7"},
        {"position startpos moves g1f3 b8c6 f3g5 zz", "malformed move 'zz'"},
        {"position startpos moves g1f3 b8c6 f3g5 c6d4 e2", "(move 5 of the list)"},
        {"position startpos moves E2E4", "malformed"},
        {"position startpos moves e2i4", "malformed"},
        {"position startpos moves e0e4", "malformed"},
        {"position startpos moves e2e4e", "may only be q"},
        {"position startpos moves e3e4", "no piece on e3"},
        {"position startpos moves e7e5", "the pawn on e7 is Black's, and White is to move"},
        {"position startpos moves e2e4 g1f3", "the knight on g1 is White's, and Black"},
        {"position startpos moves e2e5", "the pawn on e2 cannot move to e5"},
        {"position startpos moves e1g1", "king on e1 cannot move to g1"},
        {"position startpos moves e2e4q", "only a pawn move to the last rank may carry q"},
        {"position fen 4k3/1P6/8/8/8/8/8/4K3 w - - 0 1 moves b7b8n", "only to a queen"},
        {"position fen 4k3/1P6/8/8/8/8/8/4K3 w - - 0 1 moves b7b8x", "may only be q"},
        {"position fen 4k3/8/b7/8/8/8/8/4K2R w K - 0 1 moves e1g1", "cannot move to g1"},
        {"go depth 0", "the search depth must be a whole number from 1 to 10, not '0'"},
        {"go depth 11", "from 1 to 10"},
        {"go depth five", "not 'five'"},
        {"go depth 99999999999999999999999", "whole number"},
        {"go depth", "go depth needs a number"},
        {"go wtime soon", "go wtime must be"},
        {"go wtime +-5", "go wtime must be"},
        {"go sideways", "unknown word 'sideways' after go"},
        {"go perft 0", "the perft depth must be a whole number from 1 to 8"},
        {"go perft 9", "from 1 to 8"},
        {"go perft", "exactly one number"},
        {"go perft 1 2", "exactly one number"},
        {"setoption name Threads value 0", "Threads must be a whole number from 1 to 64"},
        {"setoption name Threads value 65", "not '65'"},
        {"setoption name Threads value 2 3", "not '2 3'"},
        {"setoption name Threads value +", "not '+'"},
        {"setoption name Threads value", "not ''"},
        {"setoption name value 2", "needs the form"},
        {"setoption name Thread value 2", "unknown option 'Thread'"},
        {"setoption name Hash value 16", "unknown option 'Hash'"},
        {"setoption Threads 2", "needs the form"},
        {"bench 0", "the bench depth must be a whole number from 1 to 10"},
        {"bench 11", "from 1 to 10"},
        {"bench 1 /nonexistent/quillmate.fen", "cannot open the file '/nonexistent/quillmate.fen'"},
        {"Go depth 3", "unknown command 'Go'; the commands are uci, isready"},
        {"xyzzy~", "unknown command 'xyzzy~'"},
        {std::string("\x01\x7f\xff", 3), "unknown command '?\?\?'"},
        {"setoption name Hash Size value 1", "unknown option 'Hash Size'"},
        {LONG, "'" + LONG.substr(0, 40) + "...'"},
        {LONG.substr(1), "'" + LONG.substr(1) + "'"},
    };
    for (const auto& [command, reason] : BAD) {
        UciSession session;
        RunScript(session, "position startpos moves e2e4 c7c5");
        const PositionRecord before = session.position;
        const std::vector<std::string> lines = OutputLines(RunScript(session, command));
        ASSERT_EQ(lines.size(), 1u) << command;
        EXPECT_TRUE(StartsWith(lines[0], "info string error: ")) << lines[0];
        EXPECT_NE(lines[0].find(reason), std::string::npos) << command << " gave: " << lines[0];
        EXPECT_EQ(session.errorCount, 1) << command;
        EXPECT_EQ(session.position, before) << command;
        EXPECT_EQ(session.threads, 1) << command;
    }
}

TEST(Session, SearchesToDepthFiveByDefault) {
    using namespace known_figures;
    UciSession session;
    std::vector<std::string> lines = OutputLines(RunScript(session, "go depth 5"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(StartsWith(lines[0], "info depth 5 score cp " + std::to_string(START_DEPTH5_SCORE) +
                                         " nodes " + std::to_string(START_DEPTH5_NODES) + " nps "))
        << lines[0];
    EXPECT_NE(lines[0].find(" time "), std::string::npos);
    EXPECT_EQ(lines[1], std::string("bestmove ") + START_DEPTH5_MOVE);
    // The clock's limits are read and ignored.
    lines = OutputLines(RunScript(session,
                                  "go wtime 300000 btime -5 winc 0 binc 0 movestogo 40 "
                                  "ponder searchmoves a7a6 b7b6 infinite"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(
        StartsWith(lines[0], "info depth 5 score cp " + std::to_string(START_DEPTH5_SCORE)));
    EXPECT_EQ(lines[1], std::string("bestmove ") + START_DEPTH5_MOVE);
}

TEST(Session, BestMovesOfOddPositions) {
    const std::pair<const char*, const char*> CASES[] = {
        {"8/1P3k2/8/8/8/8/8/4K3 w - - 0 1", "bestmove b7b8q"},
        {"4k3/8/8/8/8/8/6p1/4K3 b - - 0 1", "bestmove g2g1q"},
        {"8/8/8/8/8/8/8/7K b - - 0 1", "bestmove 0000"},           // Black has no king
        {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "bestmove 0000"},       // every move loses the king
        {"7K/8/8/8/8/8/pp6/kppppppp b - - 0 1", "bestmove 0000"},  // nothing can move
        {"8/8/8/8/8/8/8/8 w - - 0 1", "bestmove 0000"},
        {"QQQQQQQQ/QQQQQQQQ/8/8/8/8/qqqqqqqq/qqqqqqqq w - - 0 1", "bestmove 0000"},
        {"KKKKKKKK/8/8/8/8/8/8/kkkkkkkk w - - 0 1", "bestmove a8b7"},
    };
    for (const auto& [fen, bestmove] : CASES) {
        UciSession session;
        const std::vector<std::string> lines = OutputLines(
            RunScript(session, std::string("position fen ") + fen + "\ngo depth 3\ngo perft 2\nd"));
        EXPECT_EQ(session.errorCount, 0) << fen;
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[1], bestmove) << fen;
        if (std::string(bestmove) == "bestmove 0000") {
            EXPECT_TRUE(StartsWith(lines[0], "info depth 3 score cp -9000 ")) << lines[0];
        }
        EXPECT_EQ(lines.back(), std::string("Fen: ") + fen);
    }
}

TEST(Session, DisplaysTheBoardAndTheRecord) {
    UciSession session;
    const std::vector<std::string> lines =
        OutputLines(RunScript(session, "position startpos moves e2e4 d7d5 e4e5 f7f5\nd"));
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[0], " +---+---+---+---+---+---+---+---+");
    EXPECT_EQ(lines[1], " | r | n | b | q | k | b | n | r | 8");
    EXPECT_EQ(lines[7], " |   |   |   | p | P | p |   |   | 5");
    EXPECT_EQ(lines[17], "   a   b   c   d   e   f   g   h");
    EXPECT_EQ(lines[19], "Side to move: w");
    EXPECT_EQ(lines[20], "Castling: KQkq");
    EXPECT_EQ(lines[21], "En passant: F6");
    EXPECT_EQ(lines[22], "Move number: 3");
    EXPECT_EQ(lines[23], "Fen: rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3");
}

TEST(Session, EvalGivesTheStaticScoreForTheSideToMove) {
    UciSession session;
    EXPECT_EQ(RunScript(session, "eval"), "Evaluation: 15\n");
    EXPECT_EQ(RunScript(session, "position startpos moves e2e4\neval"), "Evaluation: -16\n");
    EXPECT_EQ(RunScript(session, "position fen 8/8/8/8/8/8/8/4k3 w - - 0 1\neval"),
              "Evaluation: -9000\n");
}

TEST(Session, MemoryRunningOutIsReportedOnceAndTheAnswersStayWellFormed) {
    SetBlockAllocator(FailingAllocate, nullptr);
    for (int allowed : {0, 3}) {
        AllocationsLeft = allowed;
        UciSession session;
        const std::vector<std::string> search = OutputLines(RunScript(session, "go depth 3"));
        ASSERT_EQ(search.size(), 3u) << allowed;
        EXPECT_TRUE(StartsWith(search[0], "info depth 3 score cp ")) << search[0];
        EXPECT_TRUE(StartsWith(search[1], "info string error: memory ran out")) << search[1];
        EXPECT_TRUE(StartsWith(search[2], "bestmove ")) << search[2];
        AllocationsLeft = allowed;
        const std::vector<std::string> perft = OutputLines(RunScript(session, "go perft 2"));
        ASSERT_GE(perft.size(), 3u);
        EXPECT_TRUE(StartsWith(perft.back(), "info string error: memory ran out")) << allowed;
        EXPECT_EQ(session.errorCount, 2);
    }
    SetBlockAllocator(nullptr, nullptr);
}
