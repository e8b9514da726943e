#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "engine/memory.h"
#include "session_helpers.h"
#include "uci/fen.h"

namespace {

// The output of a command must be one error line, and the position must stay.
void ExpectRefused(const std::string& setup, const std::string& command) {
    UciSession session;
    RunScript(session, setup);
    ASSERT_EQ(session.errorCount, 0) << setup;
    const PositionRecord before = session.position;
    const std::string display = RunScript(session, "d");
    const std::vector<std::string> lines = OutputLines(RunScript(session, command));
    ASSERT_EQ(lines.size(), 1u) << command;
    EXPECT_TRUE(StartsWith(lines[0], "info string error: ")) << lines[0];
    EXPECT_EQ(session.errorCount, 1) << command;
    EXPECT_EQ(session.position, before) << command;
    EXPECT_EQ(RunScript(session, "d"), display) << command;
}

// Lets the first few engine allocations through, then refuses every one.
std::atomic<int> AllocationsLeft{0};
void* FailingAllocate(std::size_t bytes) {
    return AllocationsLeft.fetch_sub(1) > 0 ? std::malloc(bytes) : nullptr;
}

}  // namespace

TEST(Session, HandshakeAnnouncesTheEngineAndItsOption) {
    UciSession session;
    EXPECT_EQ(RunScript(session, "uci\nisready"),
              "id name Quillmate\n"
              "id author the Quillmate developers\n"
              "option name Threads type spin default 1 min 1 max 64\n"
              "uciok\n"
              "readyok\n");
    std::ostringstream out;
    EXPECT_FALSE(RunCommand(session, "quit", out));
    EXPECT_TRUE(RunCommand(session, "   ", out));
    EXPECT_EQ(out.str(), "");
}

TEST(Session, ThreadsOptionIgnoresCaseAndKeepsResultsIdentical) {
    UciSession one, four;
    RunScript(four, "setoption name threads value 4");
    EXPECT_EQ(four.threads, 4);
    const std::string script = "position startpos moves d2d4 g8f6 c2c4\ngo depth 4";
    auto withoutTimes = [](const std::string& output) {
        std::vector<std::string> lines = OutputLines(output);
        lines[0] = lines[0].substr(0, lines[0].find(" nps "));
        return lines;
    };
    EXPECT_EQ(withoutTimes(RunScript(one, script)), withoutTimes(RunScript(four, script)));
}

TEST(Session, PositionWithMovesReachesTheExpectedRecord) {
    UciSession session;
    // Two en passant captures, castling on both sides of the board, a promotion.
    RunScript(session,
              "position startpos moves e2e4 d7d5 e4e5 f7f5 e5f6 e7f6 g1f3 f8d6 f1c4 g8e7 "
              "e1g1 e8g8 b2b4 a7a5 b4b5 c7c5 b5c6 h7h6 c6b7 h6h5 b7a8q");
    EXPECT_EQ(session.errorCount, 0);
    EXPECT_EQ(FormatFen(session.position),
              "Qnbq1rk1/4n1p1/3b1p2/p2p3p/2B5/5N2/P1PP1PPP/RNBQ1RK1 b - - 0 11");
    RunScript(session, "position startpos");
    EXPECT_EQ(session.position, InitialPosition());
    RunScript(session, "position fen 4k3/8/8/8/8/8/8/4K3 w - - 5 9 moves e1d2");
    EXPECT_EQ(FormatFen(session.position), "4k3/8/8/8/8/8/3K4/8 b - - 0 9");
    RunScript(session, "ucinewgame");
    EXPECT_EQ(session.position, InitialPosition());
}

TEST(Session, EveryKindOfBadInputGetsOneLineAndChangesNothing) {
    const std::string setup = "position startpos moves e2e4 c7c5";
    const std::string BAD[] = {
        "position",
        "position startpos e2e4",
        "position startpos moves g1f3 b8c6 f3g5 c6d4 g5f7 e8f7 zz",
        "position startpos moves e2e5",
        "position startpos moves e7e5",
        "position startpos moves e2e4 e7e5 e4e5",
        "position startpos moves e2e4q",
        "position startpos moves e2e4 e7e5 g1f3 b8c6 e1g1",
        "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0",
        "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 moves e2e5",
        "position fen 8/8/8/8/8/8/8/8 w - - 0 1 e2e4",
        "position fen",
        "position fen moves",
        "go depth 0",
        "go depth -3",
        "go depth five",
        "go depth 11",
        "go depth 99999999999999999999999",
        "go depth",
        "go wtime",
        "go wtime soon",
        "go sideways",
        "go perft 0",
        "go perft 9",
        "go perft x",
        "go perft",
        "go perft 1 2",
        "setoption name Threads value 0",
        "setoption name Threads value 65",
        "setoption name Threads value two",
        "setoption name Threads",
        "setoption name Hash value 16",
        "setoption Threads 2",
        "bench 0",
        "bench 11",
        "bench 1 /nonexistent/quillmate/positions.fen",
        "Go depth 3",
        "xyzzy",
        std::string("\x01\x02\xff", 3),
    };
    for (const std::string& bad : BAD) ExpectRefused(setup, bad);
}

TEST(Session, SearchesTheInitialPositionAndTheReplyToE4) {
    UciSession session;
    std::vector<std::string> lines = OutputLines(RunScript(session, "go depth 5"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(StartsWith(lines[0], "info depth 5 score cp 88 nodes 139871 nps ")) << lines[0];
    EXPECT_NE(lines[0].find(" time "), std::string::npos);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 8), " pv e2e4");
    EXPECT_EQ(lines[1], "bestmove e2e4");

    // Depth 5 is the default, and limits of the clock are read and ignored.
    lines = OutputLines(RunScript(session,
                                  "position startpos moves e2e4\n"
                                  "go wtime 300000 btime 300000 winc 0 binc 0 movestogo 40 "
                                  "ponder searchmoves a7a6 b7b6 infinite"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(StartsWith(lines[0], "info depth 5 score cp 110 nodes ")) << lines[0];
    EXPECT_EQ(lines[1], "bestmove b8c6");
}

TEST(Session, ReportsNoMoveWithTheLostKingScore) {
    const char* const NO_MOVE[] = {
        "position fen 8/8/8/8/8/8/8/7K b - - 0 1",           // Black has no king
        "position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1",       // stalemate: every move loses the king
        "position fen 7K/8/8/8/8/8/pp6/kppppppp b - - 0 1",  // no piece of Black can move
    };
    for (const char* setup : NO_MOVE) {
        UciSession session;
        const std::vector<std::string> lines =
            OutputLines(RunScript(session, std::string(setup) + "\ngo depth 3"));
        ASSERT_EQ(lines.size(), 2u) << setup;
        EXPECT_TRUE(StartsWith(lines[0], "info depth 3 score cp -9000 nodes ")) << lines[0];
        EXPECT_EQ(lines[1], "bestmove 0000") << setup;
    }
}

TEST(Session, SearchesAbsurdPositionsSafely) {
    const char* const ABSURD[] = {
        "8/8/8/8/8/8/8/8 w - - 0 1",
        "QQQQQQQQ/QQQQQQQQ/8/8/8/8/qqqqqqqq/qqqqqqqq w - - 0 1",
        "QQQQQQQQ/Q3k3/8/8/8/8/8/4K3 b - - 0 1",
        "PPPPPPPP/8/8/4k3/8/8/8/pppppppK w - - 0 1",
        "KKKKKKKK/8/8/8/8/8/8/kkkkkkkk w - - 0 1",
    };
    for (const char* fen : ABSURD) {
        UciSession session;
        const std::string output = RunScript(
            session, std::string("position fen ") + fen + "\ngo depth 2\ngo perft 2\neval\nd");
        EXPECT_EQ(session.errorCount, 0) << fen << "\n" << output;
        EXPECT_NE(output.find("bestmove "), std::string::npos) << fen;
        EXPECT_NE(output.find(std::string("Fen: ") + fen), std::string::npos) << fen;
    }
}

TEST(Session, PromotionIsWrittenWithQInTheBestMove) {
    UciSession session;
    const std::string output =
        RunScript(session, "position fen 8/1P3k2/8/8/8/8/8/4K3 w - - 0 1\ngo depth 3");
    EXPECT_NE(output.find("bestmove b7b8q\n"), std::string::npos) << output;
}

TEST(Session, DisplaysTheBoardTheRecordAndItsFen) {
    UciSession session;
    const std::vector<std::string> lines =
        OutputLines(RunScript(session, "position startpos moves e2e4\nd"));
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[0], " +---+---+---+---+---+---+---+---+");
    EXPECT_EQ(lines[1], " | r | n | b | q | k | b | n | r | 8");
    EXPECT_EQ(lines[9], " |   |   |   |   | P |   |   |   | 4");
    EXPECT_EQ(lines[15], " | R | N | B | Q | K | B | N | R | 1");
    EXPECT_EQ(lines[17], "   a   b   c   d   e   f   g   h");
    EXPECT_EQ(lines[19], "Side to move: b");
    EXPECT_EQ(lines[20], "Castling: KQkq");
    EXPECT_EQ(lines[21], "En passant: --");
    EXPECT_EQ(lines[22], "Move number: 1");
    EXPECT_EQ(lines[23], "Fen: rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
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
    UciSession session;
    EXPECT_EQ(OutputLines(RunScript(session, "go depth 5")).back(), "bestmove e2e4");
}
