// Time: the plan a clock gives, and searches run against a clock the test
// moves by hand, so that nothing depends on how fast the machine is.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "session_helpers.h"
#include "uci/time_plan.h"

namespace {

GoRequest ClockRequest(int64_t time, int64_t increment, int movesToGo) {
    GoRequest request;
    request.time[1] = time;
    request.increment[1] = increment;
    request.movesToGo = movesToGo;
    return request;
}

// A session whose searches read the clock the test sets, and whose output
// can be read while a search writes it.
struct ClockedSession {
    explicit ClockedSession(const char* rules) {
        UseRules(session, rules);
        session.searcher.now = [this] { return now.load(); };
    }
    ~ClockedSession() { Run("stop"); }

    void Run(const std::string& line) { RunCommand(session, line, out); }

    int Count(const std::string& prefix) {
        std::lock_guard<std::mutex> guard(session.outputLock);
        int count = 0;
        for (const std::string& line : OutputLines(out.str())) count += StartsWith(line, prefix);
        return count;
    }

    // Waits for a line, as long as the search needs to get there.
    void WaitFor(const std::string& prefix) {
        while (Count(prefix) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    // Gives the search threads time to act on the clock, and says whether
    // they answered: a wrong answer shows at once on any machine.
    bool AnsweredAfterAWhile() {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        return Count("bestmove ") > 0;
    }

    std::atomic<int64_t> now{0};
    std::ostringstream out;
    UciSession session;  // last: its search ends before the clock and output go
};

}  // namespace

// Whatever the clock, a move never takes what the clock does not have.
TEST(Time, PlansStayInsideTheClockAndGrowWithIt) {
    struct Case {
        int64_t time, increment;
        int movesToGo;
        int64_t soft, hard;  // the plan with 30 ms kept back
    };
    const Case CASES[] = {
        {300000, 0, 0, 7499, 44994},  // sudden death: the clock spread over 20 moves
        {1000, 0, 0, 24, 144},
        {100, 2000, 0, 17, 17},       // most of the increment, but at most a quarter of the clock
        {60000, 0, 1, 29985, 44977},  // the last move before the control: three quarters
        {60000, 0, 80, 749, 4497},    // as with 40 moves to go
        {5000, 100, 3, 865, 1242},
        {200, 0, 1, 85, 127},
        {31, 0, 0, 1, 1},
        {30, 5, 1, 1, 1},
        {0, 0, 0, 1, 1},
    };
    for (const Case& c : CASES) {
        const GoRequest request = ClockRequest(c.time, c.increment, c.movesToGo);
        const TimePlan plan = PlanTime(request, 'b', 30);
        EXPECT_EQ(plan.soft, c.soft) << c.time;
        EXPECT_EQ(plan.hard, c.hard) << c.time;
        // More time, a bigger increment or a smaller overhead never plan less.
        EXPECT_GE(PlanTime(ClockRequest(c.time * 2, c.increment, c.movesToGo), 'b', 30).hard,
                  plan.hard);
        EXPECT_GE(PlanTime(ClockRequest(c.time, c.increment + 500, c.movesToGo), 'b', 30).soft,
                  plan.soft);
        EXPECT_GE(PlanTime(request, 'b', 0).hard, plan.hard);
    }
    GoRequest request = ClockRequest(10000, 0, 0);
    EXPECT_EQ(PlanTime(request, 'w', 30).hard, 0);  // White's clock was not given
    request.increment[0] = 5000;                    // nor does White's increment count
    EXPECT_EQ(PlanTime(request, 'b', 30).soft, PlanTime(ClockRequest(10000, 0, 0), 'b', 30).soft);
    request.moveTime = 500;  // movetime rules over the clock, less the overhead
    EXPECT_EQ(PlanTime(request, 'b', 30).hard, 470);
    EXPECT_EQ(PlanTime(request, 'b', 30).soft, 470);
    EXPECT_EQ(PlanTime(request, 'b', 0).hard, 500);
    request.moveTime = 0;
    EXPECT_EQ(PlanTime(request, 'b', 30).hard, 1);
    request.infinite = true;  // an infinite search ends only on stop
    EXPECT_EQ(PlanTime(request, 'b', 30).hard, 0);
}

TEST(Time, TheClockSaysWhenToDeepenAndWhenToEnd) {
    struct Case {
        bool running;
        int64_t start, soft, hard, now;
        bool mayDeepen;
        std::optional<int64_t> deadline;
    };
    const Case CASES[] = {
        {false, 0, 100, 300, 1000000, true, {}},  // a ponder search's clock waits
        {true, 1000, 100, 300, 1099, true, 1300},
        {true, 1000, 100, 300, 1100, false, 1300},
        {true, 1000, 0, 0, 99999, true, {}},  // no limits
        {true, 0, 1, 1, 1, false, 1},
        {true, -50, 10, 20, -41, true, -30},
        {true, -21, 10, 20, -11, false, -1},
    };
    for (const Case& c : CASES) {
        SearchClock clock;
        clock.running = c.running;
        clock.start = c.start;
        clock.plan = {c.soft, c.hard};
        EXPECT_EQ(MayDeepen(clock, c.now), c.mayDeepen) << c.now;
        EXPECT_EQ(HardDeadline(clock), c.deadline) << c.now;
    }
}

// movetime ends the search when its time less the overhead has passed on
// the session's clock, in both rule sets, with any overhead, wherever the
// clock stands.
TEST(Time, MovetimeKeepsTheOverheadBack) {
    struct Case {
        const char* rules;
        int64_t overhead;
        int64_t start;
        int64_t lastSilent;  // from the start, the clock at which the search still runs
    };
    const Case CASES[] = {
        {"chess", 30, 5000, 969}, {"chess", 0, 5000, 999}, {"kingcapture", 250, -751, 749}};
    for (const Case& c : CASES) {
        ClockedSession clocked(c.rules);
        clocked.now = c.start;
        clocked.Run("setoption name Move Overhead value " + std::to_string(c.overhead));
        clocked.Run("go movetime 1000");
        clocked.WaitFor("info depth 2 ");
        clocked.now = c.start + c.lastSilent;
        EXPECT_FALSE(clocked.AnsweredAfterAWhile()) << c.rules << ' ' << c.overhead;
        clocked.now = c.start + c.lastSilent + 1;
        clocked.WaitFor("bestmove ");
        EXPECT_EQ(clocked.Count("bestmove "), 1);
    }
}

// A ponder search's clock starts at ponderhit; an infinite one has none.
TEST(Time, PonderhitStartsTheClockAndInfiniteIgnoresIt) {
    ClockedSession ponder("chess");
    ponder.Run("go ponder movetime 500");
    ponder.WaitFor("info depth 2 ");
    ponder.now = 100000;
    EXPECT_FALSE(ponder.AnsweredAfterAWhile());
    ponder.Run("ponderhit");
    ponder.now = 100469;
    EXPECT_FALSE(ponder.AnsweredAfterAWhile());
    ponder.now = 100470;
    ponder.WaitFor("bestmove ");

    ClockedSession done("kingcapture");  // a ponder search whose depths are done
    done.Run("go ponder depth 1");
    done.WaitFor("info depth 1 ");
    EXPECT_FALSE(done.AnsweredAfterAWhile());
    done.Run("ponderhit");
    done.WaitFor("bestmove ");

    for (const char* go : {"go infinite wtime 1000 btime 1000", "go infinite movetime 300",
                           "go ponder infinite wtime 100 btime 100"}) {
        ClockedSession infinite("chess");
        infinite.Run(go);
        infinite.WaitFor("info depth 2 ");
        infinite.now = 1000000;
        infinite.Run("ponderhit");
        EXPECT_FALSE(infinite.AnsweredAfterAWhile()) << go;
        infinite.Run("stop");
        EXPECT_EQ(infinite.Count("bestmove "), 1) << go;
    }
}

// With a clock, no new depth starts once the soft limit has passed: the
// search answers before the hard limit comes.
TEST(Time, NoNewDepthAfterTheSoftLimit) {
    ClockedSession clocked("chess");
    clocked.Run("go wtime 60000 btime 60000");
    clocked.WaitFor("info depth 1 ");
    const TimePlan plan = PlanTime(ClockRequest(60000, 0, 0), 'b', DEFAULT_MOVE_OVERHEAD_MS);
    ASSERT_LT(plan.soft + 1, plan.hard);
    clocked.now = plan.soft;
    clocked.WaitFor("bestmove ");
}
