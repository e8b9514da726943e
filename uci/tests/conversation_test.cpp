// The protocol as a GUI holds it: a search runs while commands are read.
// Nothing here is timed: each script is read as fast as the tool reads it.
#include <gtest/gtest.h>

#include <algorithm>

#include "session_helpers.h"
#include "uci/go_request.h"

namespace {

const Variant BOTH[] = {Variant::CHESS, Variant::KING_CAPTURE};

std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& prefix) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (StartsWith(lines[i], prefix)) return i;
    }
    return lines.size();
}

std::size_t CountOf(const std::vector<std::string>& lines, const std::string& prefix) {
    return static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(),
                      [&](const std::string& line) { return StartsWith(line, prefix); }));
}

}  // namespace

// Every script ends with exactly one bestmove, a legal one, and isready is
// answered before it whenever the search is still waiting for stop.
TEST(Conversation, EverySearchEndsWithOneBestMove) {
    struct Case {
        const char* script;
        bool readyBeforeBestMove;
    };
    const Case CASES[] = {
        {"go infinite\nisready\nstop", true},
        {"go ponder depth 2\nisready\nponderhit", true},
        {"go ponder wtime 100 btime 100\nisready\nstop", true},
        {"go infinite\nisready\nquit", true},
        {"go depth 2\nisready", false},
        {"go movetime 20", false},
        {"go nodes 3000", false},
        {"go wtime 50 btime 50 winc 0 binc 0 movestogo 1", false},
        {"go wtime -20 btime 5000", false},  // a clock already run out
    };
    for (Variant variant : BOTH) {
        for (const Case& c : CASES) {
            UciSession session;
            session.variant = variant;
            const std::vector<std::string> lines = OutputLines(RunScript(session, c.script));
            const std::size_t best = IndexOf(lines, "bestmove ");
            EXPECT_EQ(CountOf(lines, "bestmove "), 1u) << c.script;
            ASSERT_LT(best, lines.size()) << c.script;
            EXPECT_NE(lines[best], "bestmove 0000") << c.script;
            EXPECT_LT(IndexOf(lines, "info depth 1 "), best) << c.script;
            if (c.readyBeforeBestMove) {
                EXPECT_LT(IndexOf(lines, "readyok"), best) << c.script;
            }
            EXPECT_EQ(session.errorCount, 0) << c.script;
        }
    }
}

// A bad go is reported, and the GUI still gets its move; searchmoves limits
// the root to the moves named.
TEST(Conversation, BadGoCommandsStillAnswerAndSearchMovesAreHonoured) {
    struct Case {
        const char* go;
        const char* error;  // empty when the command is good
        const char* move;   // the only move allowed, or empty
    };
    const Case CASES[] = {
        {"go depth 0", "go depth must be a whole number from 1 to 64, not '0'", ""},
        {"go depth", "go depth needs a number", ""},
        {"go wtime +-5", "go wtime must be", ""},
        {"go sideways", "unknown word 'sideways' after go", ""},
        {"go depth 2 searchmoves e2e5", "searchmoves: ", ""},
        {"go depth 3 searchmoves a2a3", "", "a2a3"},
        {"go searchmoves h2h3 depth 2", "", "h2h3"},
    };
    for (Variant variant : BOTH) {
        for (const Case& c : CASES) {
            UciSession session;
            session.variant = variant;
            const std::vector<std::string> lines = OutputLines(RunScript(session, c.go));
            const bool bad = *c.error != '\0';
            EXPECT_EQ(session.errorCount, bad ? 1 : 0) << c.go;
            EXPECT_EQ(lines.at(0).find(c.error), bad ? 19u : 0u) << lines[0];
            ASSERT_EQ(CountOf(lines, "bestmove "), 1u) << c.go;
            EXPECT_TRUE(StartsWith(lines.back(), std::string("bestmove ") + c.move)) << c.go;
        }
    }
}

// A command that is not for the search waits for a search with a limit, so
// a piped script reads like a conversation.
TEST(Conversation, OtherCommandsWaitForASearchWithALimit) {
    for (Variant variant : BOTH) {
        UciSession session;
        session.variant = variant;
        const std::vector<std::string> lines =
            OutputLines(RunScript(session, "go depth 3\neval\ngo depth 2\ngo depth 1"));
        EXPECT_LT(IndexOf(lines, "bestmove"), IndexOf(lines, "Evaluation:"));
        EXPECT_EQ(CountOf(lines, "bestmove "), 3u);
        EXPECT_EQ(CountOf(lines, "info depth 3 "), 1u);
    }
}

// The clock is never overdrawn: both limits stay within what is left after
// the reserve for the GUI, and a move's time shrinks with the clock.
TEST(Conversation, TimePlansStayInsideTheClock) {
    struct Case {
        int64_t time, increment;
        int movesToGo;
    };
    const Case CASES[] = {{300000, 0, 0}, {5000, 0, 0},  {1000, 0, 0},   {40, 0, 0},
                          {100, 2000, 0}, {60000, 0, 1}, {60000, 0, 40}, {0, 0, 0},
                          {5000, 100, 3}, {200, 0, 1}};
    for (const Case& c : CASES) {
        GoRequest request;
        request.time[1] = c.time;
        request.increment[1] = c.increment;
        request.movesToGo = c.movesToGo;
        const TimePlan plan = PlanTime(request, 'b');
        const int64_t left = std::max<int64_t>(c.time - MOVE_OVERHEAD_MS, 1);
        EXPECT_GE(plan.soft, 1) << c.time;
        EXPECT_LE(plan.soft, plan.hard) << c.time;
        const int64_t share = c.movesToGo == 1 ? left * 3 / 4 : left / 4;
        EXPECT_LE(plan.hard, std::max<int64_t>(share, 1)) << c.time;
    }
    GoRequest white;
    white.time[0] = 1000;
    const TimePlan without = PlanTime(white, 'w');
    white.increment[0] = 3000;  // each side's own increment counts
    EXPECT_GT(PlanTime(white, 'w').soft, without.soft);
    white.increment[0] = 0;
    white.time[0] = 10000;
    EXPECT_EQ(PlanTime(white, 'b').hard, 0);  // Black's clock was not given
    white.moveTime = 500;
    EXPECT_EQ(PlanTime(white, 'w').hard, 495);
}

// Standard chess through the protocol: mates are counted in moves with the
// side to move's sign, a game without moves answers 0000, and draws by
// repetition (against the game's moves) and by the fifty-move rule score 0.
TEST(Conversation, StandardChessTellsMatesAndDraws) {
    struct Case {
        const char* position;
        const char* go;
        const char* score;  // of the last info line
        const char* move;
    };
    const Case CASES[] = {
        {"fen 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", "go depth 5", "score mate 1 ", "d1d8"},
        {"fen 6br/5Ppk/6pp/8/8/8/8/K7 w - - 0 1", "go depth 5", "score mate 1 ", "f7f8n"},
        {"fen k7/8/1K6/8/8/8/8/7R b - - 0 1", "go depth 5", "score mate -1 ", "a8b8 ponder h1h8"},
        {"fen k7/1Q6/1K6/8/8/8/8/8 b - - 0 1", "go depth 5", "score mate 0", "0000"},
        {"fen k7/8/1Q6/8/8/8/8/7K b - - 0 1", "go depth 5", "score cp 0", "0000"},
        {"startpos moves g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1", "go depth 1 searchmoves f6g8",
         "score cp 0 ", "f6g8"},
        {"fen 7k/8/8/8/8/8/R7/K7 w - - 99 80", "go depth 1", "score cp 0 ", ""},
        {"fen 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 99 80", "go depth 1", "score mate 1 ", "d1d8"},
    };
    for (const Case& c : CASES) {
        UciSession session;
        const std::vector<std::string> lines =
            OutputLines(RunScript(session, std::string("position ") + c.position + '\n' + c.go));
        ASSERT_GE(lines.size(), 2u) << c.position;
        EXPECT_NE(lines[lines.size() - 2].find(c.score), std::string::npos)
            << c.position << ": " << lines[lines.size() - 2];
        EXPECT_TRUE(StartsWith(lines.back(), std::string("bestmove ") + c.move)) << lines.back();
        EXPECT_EQ(session.errorCount, 0);
    }
}
