#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/memory.h"
#include "engine/tests/known_figures.h"
#include "session_helpers.h"
#include "uci/fen.h"

TEST(Session, HandshakeOptionsAndQuit) {
    UciSession session;
    const std::vector<std::string> lines = OutputLines(RunScript(session, "uci\nisready\nstop"));
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[2],
              "option name UCI_Variant type combo default chess var chess var kingcapture");
    EXPECT_EQ(lines[3], "option name UCI_Chess960 type check default false");
    EXPECT_EQ(lines[4], "option name Threads type spin default 1 min 1 max 64");
    EXPECT_EQ(lines[15] + lines[16], "uciokreadyok");
    std::ostringstream out;
    RunCommand(session, "go infinite", out);
    EXPECT_TRUE(RunCommand(session, "isready", out));  // answered during the search
    EXPECT_FALSE(RunCommand(session, "quit", out));
    EXPECT_FALSE(SearchIsRunning(session.searcher));  // quit ends the search at once
    EXPECT_TRUE(RunCommand(session, " \t\r", out));
    for (const auto& [value, threads] : {std::pair{"1", 1}, {"64", 64}, {"+2", 2}, {"007", 7}}) {
        RunScript(session, std::string("setoption name THREADS value ") + value);
        EXPECT_EQ(session.threads, threads) << value;
    }
    RunScript(session,
              "setoption name Ponder value true\nsetoption name ponder value FALSE\n"
              "setoption name UCI_AnalyseMode value true\n"
              "setoption name clear hash\nsetoption name Move Overhead value 5000\n"
              "setoption name multipv value 256");
    EXPECT_EQ(session.moveOverhead, 5000);
    EXPECT_EQ(session.multiPv, 256);
    EXPECT_EQ(session.errorCount, 0);
}

TEST(Session, PositionCommandsReachTheExpectedRecord) {
    const std::pair<const char*, const char*> CASES[] = {
        // Two en passant captures, castling on both wings, a promotion.
        {"startpos moves e2e4 d7d5 e4e5 f7f5 e5f6 e7f6 g1f3 f8d6 f1c4 g8e7 e1g1 e8g8 b2b4 a7a5 "
         "b4b5 c7c5 b5c6 h7h6 c6b7 h6h5 b7a8q",
         "Qnbq1rk1/4n1p1/3b1p2/p2p3p/2B5/5N2/P1PP1PPP/RNBQ1RK1 b - - 0 11"},
        {"fen r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1 moves e1c1 e8g8",
         "r4rk1/pppppppp/8/8/8/8/PPPPPPPP/2KR3R w - - 0 2"},
        {"fen 4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1 moves b7b8 g2g1q",
         "1Q2k3/8/8/8/8/8/8/4K1q1 w - - 0 2"},
    };
    for (const auto& [arguments, fen] : CASES) {
        KingCaptureSession session;
        EXPECT_EQ(RunScript(session, std::string("position ") + arguments), "") << arguments;
        EXPECT_EQ(FormatFen(session.rules->Position().record), fen);
        RunScript(session, "ucinewgame");
        EXPECT_EQ(session.rules->Position().record, InitialPosition());
    }
}

// Standard chess takes every promotion, in either case, and keeps the
// half-move clock; its own refusals leave the position as it was.
TEST(Session, StandardChessPositions) {
    const std::pair<const char*, const char*> CASES[] = {
        {"fen 4k3/1P6/8/8/8/8/6p1/4K3 w - - 3 1 moves b7b8n g2g1R e1d2",
         "Fen: 1N2k3/8/8/8/8/8/3K4/6r1 b - - 1 2"},
        {"fen 4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1 moves b7b8B g2g1b",
         "Fen: 1B2k3/8/8/8/8/8/8/4K1b1 w - - 0 2"},
        {"fen 4k3/1P6/8/8/8/8/8/4K3 w - - 0 1 moves b7b8", "needs a promotion letter"},
        {"fen 4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1 moves e2d3", "(move 1 of the list)"},  // pinned
        {"fen 4k3/8/8/8/8/8/5r2/4K2R w K - 0 1 moves e1g1", "illegal move: e1g1"},     // via f1
        {"fen 4k3/8/8/8/8/8/8/4R2K b - - 0 1 moves e8d7", ""},  // a way out of check
        {"fen 4k3/8/8/8/8/8/8/4R2K w - - 0 1", "check"},        // Black in check, White to move
        {"startpos moves g1f3", "Fen: rnbqkbnr/pppppppp/8/8/8/5N2/PPPPPPPP/RNBQKB1R b KQkq - 1 1"},
        {"fen 8/8/8/8/8/8/8/4K3 w - - 0 1", "king"},
        {"fen 4k3/8/8/8/8/8/8/4K2P w - - 0 1", "pawn"},
    };
    const std::string START = "Fen: rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    for (const auto& [arguments, expected] : CASES) {
        UciSession session;
        const std::string output = RunScript(session, std::string("position ") + arguments + "\nd");
        const bool good = StartsWith(expected, "Fen: ") || *expected == '\0';
        EXPECT_EQ(session.errorCount, good ? 0 : 1) << arguments << ": " << output;
        EXPECT_NE(output.find(expected), std::string::npos) << output;
        EXPECT_EQ(OutputLines(output).back() == START, !good) << output;
    }
}

// Every malformed command answers with one error line that says what is
// wrong, and the session stays as it was.
TEST(Session, EveryKindOfBadInputGetsOneLineAndChangesNothing) {
    const std::string LONG(41, 'x'), MOVES = "position startpos moves ", FEN = "position fen ";
    const std::string START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
    const std::pair<std::string, std::string> BAD[] = {
        {"position", "needs 'startpos' or 'fen"},
        {"position startpos e2e4", "unexpected 'e2e4'"},
        {FEN + "8/8/8/8/8/8/8/8 w - - 0 1 e2e4", "has 7"},
        {MOVES + "g1f3 b8c6 e2", "malformed move 'e2'"},
        {MOVES + "g1f3 b8c6 f3g5 E7E5", "(move 4 of the list)"},
        {MOVES + "e2i4", "malformed"},
        {MOVES + "e2e9", "malformed"},
        {MOVES + "e2e4e", "may only be q"},
        {MOVES + "e2e4r", "only to a queen"},
        {MOVES + "e2e4b", "only to a queen"},
        {MOVES + "e3e4", "no piece on e3"},
        {MOVES + "e7e5", "the pawn on e7 is Black's, and White is to move"},
        {MOVES + "b1b3", "the knight on b1 cannot move to b3"},
        {MOVES + "e2e4q", "only a pawn move to the last rank may carry q"},
        {FEN + "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1 moves b7b8n", "only to a queen"},
        {FEN + "8/8/8/8/8/8/8/8 w - - 0", "has 5"},
        {FEN + "8/8/8/8/8/8/8 w - - 0 1", "the board has 7 ranks"},
        {FEN + "8/8/8/8/8/8/8/8/8 w - - 0 1", "the board has 9 ranks"},
        {FEN + "8/8/8/8/8/8/8/7 w - - 0 1", "describes 7 squares"},
        {FEN + "8/8/8/8/72/8/8/8 w - - 0 1", "more than 8"},
        {FEN + "8/8/8/8/8/8/8/7X w - - 0 1", "holds 'X'"},
        {FEN + "8/8/8/8/8/8/8/8 W - - 0 1", "side to move"},
        {FEN + START + " w KQkA - 0 1", "only K, Q, k and q"},
        {FEN + START + " w KK - 0 1", "name K twice"},
        {FEN + "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN1 w K - 0 1", "rook on h1"},
        {FEN + "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQ1BNR w Q - 0 1", "king on e1"},
        {FEN + "1nbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w q - 0 1", "rook on a8"},
        {FEN + "4k3/8/8/8/4P3/8/8/4K3 b - e4 0 1", "rank 3 or 6"},
        {FEN + "4k3/8/8/8/4P3/8/8/4K3 w - e3 0 1", "needs Black to move"},
        {FEN + "4k3/8/8/8/4P3/8/8/4K3 b - d3 0 1", "just passed"},  // no pawn beyond d3
        {FEN + "4k3/8/8/8/4P3/4N3/8/4K3 b - e3 0 1", "just passed"},
        {FEN + "4k3/8/8/8/4P3/8/4N3/4K3 b - e3 0 1", "just passed"},
        {FEN + "4k3/8/8/4p3/8/8/8/4K3 b - e6 0 1", "needs White to move"},
        {FEN + START + " w - - -1 1", "half-move clock"},
        {FEN + START + " w - - 1000001 1", "half-move clock"},
        {FEN + START + " w - - 0 0", "full-move number"},
        {FEN + START + " w - - 0 1000001", "full-move number"},
        {"go perft 0", "the perft depth must be a whole number from 1 to 8"},
        {"go perft", "exactly one number"},
        {"setoption name Threads value 0", "Threads must be a whole number from 1 to 64"},
        {"setoption name Threads value 2 3", "not '2 3'"},
        {"setoption name Threads value", "not ''"},
        {"setoption name value 2", "needs the form"},
        {"setoption name Hash Size value 1", "unknown option 'Hash Size'"},
        {"setoption name UCI_Variant value xiangqi", "chess or kingcapture, not 'xiangqi'"},
        {"setoption name Hash value 0", "Hash must be a whole number from 1 to 4096"},
        {"setoption name Ponder value maybe", "Ponder must be true or false"},
        {"setoption name uci_analysemode value 1", "UCI_AnalyseMode must be true or false"},
        {"setoption name UCI_ShowWDL value yes", "UCI_ShowWDL must be true or false"},
        {"setoption name UCI_LimitStrength value on", "UCI_LimitStrength must be true or false"},
        {"setoption name UCI_Elo value 99", "UCI_Elo must be a whole number from "},
        {"setoption name MultiPV value 257", "MultiPV must be a whole number from 1 to 256"},
        {"setoption name Skill Level value 21", "Skill Level must be a whole number from 0 to 20"},
        {"bench 0", "the bench depth must be a whole number from 1 to 64"},
        {"bench 1 /nonexistent/x.fen", "cannot open the file '/nonexistent/x.fen'"},
        {"Go~ depth 3", "unknown command 'Go~'; the commands are uci, isready"},
        {std::string("\x01\x7f\xff", 3), "unknown command '?\?\?'"},
        {LONG, "'" + LONG.substr(0, 40) + "...'"},
        {LONG.substr(1), "'" + LONG.substr(1) + "'"},
    };
    for (const auto& [command, reason] : BAD) {
        KingCaptureSession session;
        RunScript(session, "position startpos moves e2e4 c7c5\nsetoption name Threads value 3");
        const PositionRecord before = session.rules->Position().record;
        const std::vector<std::string> lines = OutputLines(RunScript(session, command));
        ASSERT_EQ(lines.size(), 1u) << command;
        EXPECT_TRUE(StartsWith(lines[0], "info string error: ")) << lines[0];
        EXPECT_NE(lines[0].find(reason), std::string::npos) << command << " gave: " << lines[0];
        EXPECT_EQ(session.errorCount, 1) << command;
        EXPECT_EQ(session.rules->Position().record, before) << command;
        EXPECT_EQ(session.threads, 3) << command;
    }
}

// Each depth is the game's own search at that depth: the last line is the
// game's move, score and node count.
TEST(Session, SearchesToDepthFiveByDefault) {
    using namespace known;
    KingCaptureSession session;
    const std::vector<std::string> lines = OutputLines(RunScript(session, "go"));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(START_DEPTH + 1));
    const std::string info = "info depth " + std::to_string(START_DEPTH) + " score cp " +
                             std::to_string(START_SCORE) + " nodes " + std::to_string(START_NODES) +
                             " nps ";
    EXPECT_TRUE(StartsWith(lines[START_DEPTH - 1], info)) << lines[START_DEPTH - 1];
    EXPECT_EQ(lines.back(), std::string("bestmove ") + START_MOVE);
    // A node limit that a finished depth reaches starts no further depth.
    EXPECT_EQ(OutputLines(RunScript(session, "go nodes 1")).size(), 2u);
}

TEST(Session, SearchesOddPositionsSafely) {
    const std::pair<const char*, const char*> CASES[] = {
        {"8/1P3k2/8/8/8/8/8/4K3 w - - 0 1", "b7b8q"},
        {"KKKKKKKK/8/8/8/8/8/8/kkkkkkkk w - - 0 1", "a8b7"},
        {"8/8/8/8/8/8/8/7K b - - 0 1", "0000"},      // Black has no king
        {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "0000"},  // every move loses the king
        {"QQQQQQQQ/QQQQQQQQ/8/8/8/8/qqqqqqqq/qqqqqqqq w - - 0 1", "0000"},
    };
    for (const auto& [fen, move] : CASES) {
        KingCaptureSession session;
        const std::vector<std::string> lines = OutputLines(
            RunScript(session, std::string("position fen ") + fen + "\ngo depth 3\ngo perft 2\nd"));
        EXPECT_EQ(session.errorCount, 0) << fen;
        EXPECT_EQ(lines.at(3), std::string("bestmove ") + move);
        EXPECT_EQ(StartsWith(lines[2], "info depth 3 score cp -9000 "),
                  move == std::string("0000"));
        EXPECT_EQ(lines.back(), std::string("Fen: ") + fen);
    }
}

TEST(Session, DisplaysTheBoardTheRecordAndTheEvaluation) {
    UciSession session;
    const std::vector<std::string> lines = OutputLines(
        RunScript(session,
                  "position fen rnbqkbnr/pppppppp/8/4P3/8/8/PPPP1PPP/RNBQKBNR b KQkq - 7 5 moves "
                  "g8f6 g1f3 d7d5\nd"));
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines[1] + lines[7],
              " | r | n | b | q | k | b |   | r | 8 |   |   |   | p | P |   |   |   | 5");
    EXPECT_EQ(lines[16] + lines[17],
              " +---+---+---+---+---+---+---+---+   a   b   c   d   e   f   g   h");
    EXPECT_EQ(lines[19] + lines[20] + lines[21] + lines[22] + lines[23] + lines[24],
              "Rules: chessSide to move: wCastling: KQkqEn passant: D6Half-move clock: 0Move "
              "number: 7");
    EXPECT_EQ(lines[25], "Fen: rnbqkb1r/ppp1pppp/5n2/3pP3/8/5N2/PPPP1PPP/RNBQKB1R w KQkq d6 0 7");
    EXPECT_EQ(OutputLines(RunScript(session,
                                    "position fen 7k/8/8/8/8/8/8/K7 b - - 41 60 moves "
                                    "h8g8 a1b1\nd"))
                  .back(),
              "Fen: 6k1/8/8/8/8/8/8/1K6 b - - 43 61");

    KingCaptureSession game;
    EXPECT_EQ(RunScript(game, "position startpos moves e2e4\neval"), "Evaluation: -16\n");
    EXPECT_EQ(RunScript(game, "position fen 8/8/8/8/8/8/8/4k3 w - - 0 1\neval"),
              "Evaluation: -9000\n");
}

namespace {

// Lets the first few engine allocations through, then refuses every one.
std::atomic<int> AllocationsLeft{0};
void* FailingAllocate(std::size_t bytes) {
    return AllocationsLeft.fetch_sub(1) > 0 ? std::malloc(bytes) : nullptr;
}

}  // namespace

TEST(Session, MemoryRunningOutIsReportedOnceAndTheAnswersStayWellFormed) {
    SetBlockAllocator(FailingAllocate, nullptr);
    for (int allowed : {0, 3}) {
        KingCaptureSession session;
        AllocationsLeft = allowed;
        const std::vector<std::string> search = OutputLines(RunScript(session, "go depth 3"));
        ASSERT_EQ(search.size(), 5u);
        EXPECT_TRUE(StartsWith(search[3], "info string error: memory ran out")) << search[3];
        EXPECT_TRUE(StartsWith(search[4], "bestmove "));
        AllocationsLeft = allowed;
        EXPECT_TRUE(StartsWith(OutputLines(RunScript(session, "go perft 2")).back(),
                               "info string error: memory ran out"));
        EXPECT_EQ(session.errorCount, 2);
    }
    SetBlockAllocator(nullptr, nullptr);
}

#if !defined(__SANITIZE_ADDRESS__)
namespace {

// In a child process whose memory is capped: a hash that cannot be had is
// refused with an error line, the table in use is kept, and searches still
// answer. Returns the child's exit status: 0 when all went as it should.
int HashBeyondTheMemoryLimit() {
    const pid_t child = fork();
    if (child == 0) {
        UciSession session;  // its 16 MB table is made before the cap
        const rlimit cap{rlim_t{1} << 30, rlim_t{1} << 30};
        if (setrlimit(RLIMIT_AS, &cap) != 0) _exit(2);
        const std::string set = RunScript(session, "setoption name Hash value 4096");
        if (!StartsWith(set, "info string error: ") || session.hashMegabytes != 16) _exit(3);
        const std::vector<std::string> search = OutputLines(RunScript(session, "go depth 3"));
        if (search.empty() || !StartsWith(search.back(), "bestmove ") ||
            search.back() == "bestmove 0000")
            _exit(4);
        _exit(session.errorCount == 1 ? 0 : 5);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + status;
}

}  // namespace
#endif

TEST(Session, AHashThatCannotBeHadKeepsTheTableInUse) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit under a memory cap";
#else
    EXPECT_EQ(HashBeyondTheMemoryLimit(), 0);
#endif
}

// A new game and Clear Hash forget what earlier searches learned: the
// search after them is a fresh session's.
TEST(Session, ANewGameOrClearHashSearchesAsAFreshSession) {
    const auto lastInfo = [](UciSession& session) {
        const std::vector<std::string> lines = OutputLines(RunScript(session, "go depth 6"));
        const std::string& info = lines.at(lines.size() - 2);
        return info.substr(0, info.find(" nps "));
    };
    UciSession fresh;
    const std::string expected = lastInfo(fresh);
    for (const char* forget : {"ucinewgame", "setoption name Clear Hash"}) {
        UciSession session;
        lastInfo(session);
        EXPECT_NE(lastInfo(session), expected);  // the table shortened the search
        RunScript(session, forget);
        EXPECT_EQ(lastInfo(session), expected) << forget;
    }
}

// Hash and Threads: a value already in use, or one out of range, changes
// nothing; the option keeps what the rules made.
TEST(Session, ResourceOptionsChangeOnlyWhenTheyShould) {
    UciSession session;
    RunScript(session, "setoption name Hash value 16\nsetoption name Hash value 99999");
    EXPECT_EQ(session.hashMegabytes, 16);
    EXPECT_EQ(session.errorCount, 1);
    RunScript(session, "setoption name Hash value 2\nsetoption name Threads value 3");
    EXPECT_EQ(session.hashMegabytes, 2);
    UseRules(session, "kingcapture");  // the other rules take the same settings
    EXPECT_EQ(session.hashMegabytes, 2);
    EXPECT_EQ(session.threads, 3);
    UseRules(session, "chess");
    EXPECT_EQ(OutputLines(RunScript(session, "go depth 2")).back().substr(0, 9), "bestmove ");
    EXPECT_EQ(session.errorCount, 1);
}
