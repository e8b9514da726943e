// The protocol as a GUI holds it: a search runs while commands are read.
// Nothing here is timed: each script is read as fast as the tool reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>
#include <tuple>

#include <dlfcn.h>
#include <pthread.h>

#include "chess/skill.h"
#include "session_helpers.h"

namespace {

const char* const BOTH[] = {"chess", "kingcapture"};

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
    const std::pair<const char*, bool> CASES[] = {
        {"go infinite\nisready\nstop", true},
        {"go ponder depth 2\nisready\nponderhit", true},
        {"go ponder wtime 100 btime 100\nisready\nstop", true},
        {"go depth 2\nisready", false},
        {"go movetime 0", false},
        {"go nodes 3000", false},
        {"go wtime 50 btime 50 winc 0 binc 0 movestogo 1", false},
        {"go wtime -20 btime 5000", false},  // a clock already run out
    };
    for (const char* rules : BOTH) {
        for (const auto& [script, readyFirst] : CASES) {
            UciSession session;
            UseRules(session, rules);
            const std::vector<std::string> lines = OutputLines(RunScript(session, script));
            const std::size_t best = IndexOf(lines, "bestmove ");
            EXPECT_EQ(CountOf(lines, "bestmove "), 1u) << script;
            ASSERT_LT(best, lines.size()) << script;
            EXPECT_NE(lines[best], "bestmove 0000") << script;
            EXPECT_LT(IndexOf(lines, "info depth 1 "), best) << script;
            EXPECT_TRUE(!readyFirst || IndexOf(lines, "readyok") < best) << script;
            EXPECT_EQ(session.errorCount, 0) << script;
        }
    }
}

// A bad go is reported, and the GUI still gets its move; searchmoves limits
// the root to the moves named. Each case: the command, the start of its error
// (empty when it is good), and the only move allowed (or empty).
TEST(Conversation, BadGoCommandsStillAnswerAndSearchMovesAreHonoured) {
    const std::tuple<const char*, const char*, const char*> CASES[] = {
        {"go depth 0", "go depth must be a whole number from 1 to 64, not '0'", ""},
        {"go depth", "go depth needs a number", ""},
        {"go wtime +-5", "go wtime must be", ""},
        {"go btime -1099511627777", "go btime must be a whole number from -1099511627776", ""},
        {"go sideways", "unknown word 'sideways' after go", ""},
        {"go depth 2 searchmoves e2e5", "searchmoves: ", ""},
        {"go depth 3 searchmoves a2a3", "", "a2a3"},
        {"go searchmoves h2h3 depth 2", "", "h2h3"},
    };
    for (const char* rules : BOTH) {
        for (const auto& [go, error, move] : CASES) {
            UciSession session;
            UseRules(session, rules);
            const std::vector<std::string> lines = OutputLines(RunScript(session, go));
            const bool bad = *error != '\0';
            EXPECT_EQ(session.errorCount, bad ? 1 : 0) << go;
            EXPECT_EQ(lines.at(0).find(error), bad ? 19u : 0u) << lines[0];
            ASSERT_EQ(CountOf(lines, "bestmove "), 1u) << go;
            EXPECT_TRUE(StartsWith(lines.back(), std::string("bestmove ") + move)) << go;
        }
    }
}

// A command that is not for the search waits for a search with a limit, so
// a piped script reads like a conversation; an unknown one is reported at
// once, and the search goes on.
TEST(Conversation, OtherCommandsWaitForASearchWithALimit) {
    for (const char* rules : BOTH) {
        UciSession session;
        UseRules(session, rules);
        const std::vector<std::string> lines =
            OutputLines(RunScript(session, "go depth 3\neval\ngo depth 2\ngo depth 1"));
        EXPECT_LT(IndexOf(lines, "bestmove"), IndexOf(lines, "Evaluation:"));
        EXPECT_EQ(CountOf(lines, "bestmove "), 3u);
        EXPECT_EQ(CountOf(lines, "info depth 3 "), 1u);
        const std::vector<std::string> pondering =
            OutputLines(RunScript(session, "go ponder depth 1\nxyzzy\nisready\nponderhit"));
        EXPECT_LT(IndexOf(pondering, "info string error: unknown command 'xyzzy'"),
                  IndexOf(pondering, "readyok"));
        EXPECT_LT(IndexOf(pondering, "readyok"), IndexOf(pondering, "bestmove "));
        EXPECT_EQ(session.errorCount, 1);
    }
}

// Standard chess through the protocol: mates are counted in moves with the
// side to move's sign, a game without moves answers 0000, and draws by
// repetition (against the game's moves) and by the fifty-move rule score 0.
// go mate N searches as deep as such a mate needs, and stops once it is found.
TEST(Conversation, StandardChessTellsMatesAndDraws) {
    struct Case {
        const char* position;
        const char* go;
        const char* score;  // part of the last info line
        const char* move;
    };
    const Case CASES[] = {
        {"fen 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", "go mate 1 depth 5",
         "depth 1 seldepth 1 score mate 1 ", "d1d8"},
        {"startpos", "go mate 1", "info depth 1 ", ""},
        {"startpos", "go mate 2", "info depth 3 ", ""},
        {"startpos", "go mate 3 depth 2", "info depth 2 ", ""},
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

// A level that chooses among its best lines chooses among those alone,
// however many lines are shown; a level above them plays the best line of
// a search cut off by nodes, whatever depth was asked for.
TEST(Conversation, WeakerLevelsPlayWithinTheirOwnLimits) {
    UciSession chooser;
    std::string script = "setoption name Skill Level value 0\nsetoption name MultiPV value 8\n";
    for (int go = 0; go < 12; ++go) script += "go depth 2\n";
    const std::vector<std::string> out = OutputLines(RunScript(chooser, script));
    std::vector<std::string> firstMoves;  // of the best lines of the last depth
    int searches = 0;
    for (const std::string& line : out) {
        if (StartsWith(line, "info depth 1 ")) firstMoves.clear();
        const std::size_t pv = line.find(" pv ");
        if (StartsWith(line, "info depth 2 ") && line.find(" multipv ") != std::string::npos &&
            pv != std::string::npos && firstMoves.size() < chess::SKILL_LINES)
            firstMoves.push_back(line.substr(pv + 4, 4));
        if (!StartsWith(line, "bestmove ")) continue;
        ++searches;
        EXPECT_NE(std::find(firstMoves.begin(), firstMoves.end(), line.substr(9, 4)),
                  firstMoves.end())
            << line;
    }
    EXPECT_EQ(searches, 12);

    UciSession limited;
    const std::vector<std::string> deep = OutputLines(
        RunScript(limited, "setoption name Skill Level value " +
                               std::to_string(chess::MAX_SKILL_LEVEL - 1) + "\ngo depth 60"));
    ASSERT_GE(deep.size(), 2u);
    const std::string& last = deep[deep.size() - 2];
    EXPECT_EQ(last.find(" multipv "), std::string::npos) << last;
    const std::size_t nodes = last.find(" nodes ");
    ASSERT_NE(nodes, std::string::npos) << last;
    // The budget is checked every thousand nodes or so, so the last depth
    // may end a little past it, but nowhere near the depth asked for.
    EXPECT_LT(std::stoll(last.substr(nodes + 7)),
              2 * chess::SkillSearchFor(chess::MAX_SKILL_LEVEL - 1).maxNodes)
        << last;
    EXPECT_TRUE(StartsWith(deep.back(), "bestmove ")) << deep.back();
}

// With MultiPV above 1 each depth prints its lines ranked, and the move
// played is the best line's; with 1 the lines carry no rank. UCI_ShowWDL
// puts the chances on every line. A weaker level
// prints the lines asked for, to its own depth, and may play another.
TEST(Conversation, SeveralLinesAreRankedAndTheBestIsPlayed) {
    const std::tuple<std::string, std::size_t, std::size_t, bool> CASES[] = {
        {"setoption name MultiPV value 3\nsetoption name UCI_ShowWDL value true\ngo depth 4", 3, 4,
         true},
        {"setoption name MultiPV value 3\ngo depth 4 searchmoves a2a3 b2b3", 2, 4, true},
        {"setoption name MultiPV value 1\ngo depth 4", 0, 4, false},
        {"setoption name Skill Level value 0\nsetoption name MultiPV value 2\ngo depth 9", 2, 2,
         false},
        {"setoption name UCI_LimitStrength value true\nsetoption name UCI_Elo value " +
             std::to_string(chess::MIN_ELO) + "\nsetoption name MultiPV value 2\ngo depth 9",
         2, 2, false},
    };
    for (const auto& [script, lines, depths, playsBest] : CASES) {
        UciSession session;
        const std::vector<std::string> out = OutputLines(RunScript(session, script));
        EXPECT_EQ(CountOf(out, "info depth "), depths * std::max<std::size_t>(lines, 1)) << script;
        std::size_t found = 0;
        std::string best;
        const bool showsWdl = script.find("ShowWDL") != std::string::npos;
        for (const std::string& line : out) {
            const bool wdl = line.find(" wdl ") != std::string::npos;
            EXPECT_TRUE(!StartsWith(line, "info depth ") || wdl == showsWdl) << line;
            const std::size_t at = line.find(" multipv ");
            if (at == std::string::npos) continue;
            EXPECT_EQ(line.substr(at + 9, 2), std::to_string(found++ % lines + 1) + " ") << line;
            if (line.find(" multipv 1 ") != std::string::npos)
                best = line.substr(line.find(" pv ") + 4, 4);
        }
        EXPECT_EQ(found, depths * lines) << script;
        EXPECT_TRUE(!playsBest || out.back().substr(0, 13) == "bestmove " + best) << script;
        EXPECT_EQ(session.errorCount, 0);
    }
}

namespace {

// Rules whose search says what the test wants it to: a line that goes
// wrong after some moves, a warning, or a failure; an endless search goes
// on after its first depth until it is stopped.
class ScriptedRules : public RuleSet {
   public:
    ScriptedRules(Words line, std::size_t legal, bool fails, bool endless = false)
        : line_(std::move(line)), legal_(legal), fails_(fails), endless_(endless) {}
    const char* Name() const override { return "chess"; }
    int BenchDepth() const override { return 1; }
    bool Chess960() const override { return false; }
    void SetChess960(bool) override {}
    bool SetPosition(const FenPosition&, const Words&, std::string&) override { return true; }
    bool AcceptsPosition(const FenPosition&, std::string&) const override { return true; }
    FenPosition Position() const override { return {}; }
    // Only the first legal_ moves of the line, in its order, can be played.
    std::size_t PlayableMoves(const Words& moves, std::string& error) const override {
        std::size_t played = 0;
        while (played < moves.size() && played < legal_ && moves[played] == line_[played]) ++played;
        if (played < moves.size()) error = "illegal move";
        return played;
    }
    SearchResult Search(const SearchJob&, SearchStop& stop, const IterationSink& sink) override {
        IterationInfo info;
        info.depth = 1;
        info.score = "cp 7";
        info.pv = line_;
        sink(info);
        while (endless_ && !stop.requested)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (fails_) throw std::runtime_error("out of luck");
        SearchResult result;
        result.bestMove = line_[0];
        result.pv = line_;
        result.warning = "a warning";
        return result;
    }
    BenchLine BenchSearch(const FenPosition&, int) override { return {}; }
    std::vector<PerftBranch> Perft(int, bool&) const override { return {}; }
    int Evaluate() const override { return 0; }
    int SetHash(int megabytes, std::string&) override { return megabytes; }
    void ClearHash() override {}
    int SetThreads(int threads, std::string&) override { return threads; }

   private:
    Words line_;
    std::size_t legal_;
    bool fails_;
    bool endless_;
};

}  // namespace

// Whatever line a search reports, the tool prints only its legal part, and
// ponders only on a legal reply; a failed search still answers.
TEST(Conversation, OnlyTheLegalPartOfALineIsPrinted) {
    struct Case {
        std::size_t legal;
        bool fails;
        const char* info;  // the info line from its pv on
        const char* answer;
        int errors;
    };
    const Case CASES[] = {
        {3, false, " pv e2e4 e7e5 g1f3", "bestmove e2e4 ponder e7e5", 1},
        {2, false, " pv e2e4 e7e5", "bestmove e2e4 ponder e7e5", 1},
        {1, false, " pv e2e4", "bestmove e2e4", 1},
        {0, false, "", "bestmove e2e4", 1},
        {3, true, " pv e2e4 e7e5 g1f3", "bestmove e2e4", 1},
    };
    for (const Case& c : CASES) {
        UciSession session;
        session.rules =
            std::make_unique<ScriptedRules>(Words{"e2e4", "e7e5", "g1f3"}, c.legal, c.fails);
        const std::vector<std::string> lines = OutputLines(RunScript(session, "go depth 1"));
        ASSERT_GE(lines.size(), 3u);
        const std::string& info = lines[0];
        EXPECT_EQ(info.substr(std::min(info.find(" pv"), info.size())), c.info) << info;
        EXPECT_TRUE(StartsWith(lines[1], "info string error: ")) << lines[1];
        EXPECT_EQ(lines.back(), c.answer);
        EXPECT_EQ(session.errorCount, c.errors);
    }
}

// A depth that would not end by itself is cut short at the hard limit, on
// the session's clock.
TEST(Conversation, TheHardLimitEndsADepthThatWouldNotEnd) {
    std::atomic<int64_t> now{0};
    UciSession session;
    session.searcher.now = [&now] { return now.load(); };
    session.rules = std::make_unique<ScriptedRules>(Words{"e2e4"}, 1, false, true);
    std::ostringstream out;
    RunCommand(session, "go movetime 100", out);  // less the overhead of 30 ms
    now = 69;
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_TRUE(SearchIsRunning(session.searcher));
    now = 70;
    WaitForSearch(session.searcher);
    EXPECT_EQ(OutputLines(out.str()).back(), "bestmove e2e4");
}

#if !defined(__SANITIZE_ADDRESS__)
namespace {

// While set, no thread can be made, as when the system has none left.
std::atomic<bool> ThreadsRunOut{false};

}  // namespace

extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attributes,
                              void* (*start)(void*), void* argument) {
    using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
    static const auto create = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
    return ThreadsRunOut ? EAGAIN : create(thread, attributes, start, argument);
}
#endif

// Without a search thread a search runs on the input thread and answers
// when done: one that would wait for stop goes as deep as a go without
// limits. The threads are tried again at the next go.
TEST(Conversation, WithoutThreadsEverySearchAnswersByItself) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer makes its threads its own way";
#else
    for (const auto& [go, depth] :
         {std::pair{"go infinite", 5}, {"go ponder", 5}, {"go depth 2", 2}}) {
        KingCaptureSession session;
        ThreadsRunOut = true;
        const std::vector<std::string> lines =
            OutputLines(RunScript(session, std::string(go) + "\nisready"));
        ThreadsRunOut = false;
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(depth + 3)) << go;
        EXPECT_TRUE(
            StartsWith(lines[0], "info string error: the search thread could not be started"));
        EXPECT_TRUE(StartsWith(lines[depth], "info depth " + std::to_string(depth) + " ")) << go;
        EXPECT_TRUE(StartsWith(lines[depth + 1], "bestmove ")) << go;
        EXPECT_EQ(lines[depth + 2], "readyok");
        const std::vector<std::string> threaded =
            OutputLines(RunScript(session, "go infinite\nisready\nstop"));
        EXPECT_LT(IndexOf(threaded, "readyok"), IndexOf(threaded, "bestmove "));
        EXPECT_EQ(session.errorCount, 1);
    }
#endif
}
