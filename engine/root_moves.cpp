#include "engine/root_moves.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "engine/evaluate.h"
#include "engine/memory.h"
#include "engine/search.h"
#include "engine/successors.h"

// Root moves are independent, so threads could simply take them in turn; but
// the few deep moves hold most of the work, and one of them would often run
// alone at the end. So each deep move is split into its successors: they are
// searched one task each, and a task's result is committed in list order, only
// if it was searched with the alpha that the move loop has at that point. An
// idle thread may search a later successor ahead with the current alpha; when
// alpha has risen by the time its turn comes, the guess is searched again.
// Each committed result is thus exactly the one-thread result, and so are the
// node counts, which only take committed work.

namespace {

constexpr int MAX_SPLIT_MOVES = 8;

enum class TaskState : uint8_t { IDLE, RUNNING, FINISHED };

struct ChildTask {
    TaskState state;
    float alphaUsed;
    StepResult result;
    SearchCounters counters;
};

enum class MovePhase { WAITING, EXPANDING, OPEN, DONE };

// A deep root move searched as a node whose successors are separate tasks.
struct SplitMove {
    int k = 0;  // its place in the root order
    MovePhase phase = MovePhase::WAITING;
    SuccessorList children = nullptr;
    int childCount = 0;
    ChildTask* tasks = nullptr;
    float alpha = 0, beta = 0;
    int committed = 0;  // successors whose result is in
    int running = 0;    // tasks in flight
    SearchCounters counters;
};

enum class WorkKind { EXPAND, TASK, PLAIN, WAIT, FINISHED };

struct Work {
    WorkKind kind;
    int move;  // index into the split moves, or the root order for PLAIN
    int child;
    float alpha;
};

struct Scheduler {
    const RootPass& pass;
    std::mutex mutex;
    std::condition_variable changed;
    SplitMove moves[MAX_SPLIT_MOVES];
    int splitCount = 0;
    int nextPlain = 0;   // next root order index searched whole
    int unfinished = 0;  // root moves without a score
    SearchCounters total;

    explicit Scheduler(const RootPass& p) : pass(p) {}
};

int RemainingDepth(const RootPass& pass, int k) {
    return k < pass.fullDepthMoves ? pass.depth - 1 : pass.reducedDepth;
}

void ReleaseMove(SplitMove& move) {
    ReleaseBlock(move.tasks);
    ReleaseSuccessors(move.children);
    move.tasks = nullptr;
    move.children = nullptr;
}

void FinishMove(Scheduler& s, SplitMove& move, float result) {
    move.phase = MovePhase::DONE;
    s.pass.scores[move.k] = -result;
    s.total.Add(move.counters);
    --s.unfinished;
    if (move.running == 0) ReleaseMove(move);
}

// Takes in the finished results at the front of the move loop, in order.
void CommitResults(Scheduler& s, SplitMove& move) {
    while (move.phase == MovePhase::OPEN && move.committed < move.childCount) {
        ChildTask& task = move.tasks[move.committed];
        if (task.state != TaskState::FINISHED) return;
        if (task.alphaUsed != move.alpha) {  // searched ahead with a guess that proved wrong
            task.state = TaskState::IDLE;
            return;
        }
        move.counters.Add(task.counters);
        if (task.result.outcome == StepOutcome::CUTOFF) {
            FinishMove(s, move, task.result.value);
            return;
        }
        if (task.result.outcome == StepOutcome::RAISE) {
            move.alpha = task.result.value;
            for (int i = move.committed + 1; i < move.childCount; ++i) {
                ChildTask& later = move.tasks[i];
                if (later.state == TaskState::FINISHED && later.alphaUsed != move.alpha)
                    later.state = TaskState::IDLE;
            }
        }
        ++move.committed;
    }
    if (move.phase == MovePhase::OPEN) FinishMove(s, move, move.alpha);
}

int FirstIdleChild(const SplitMove& move, int from) {
    for (int i = from; i < move.childCount; ++i) {
        if (move.tasks[i].state == TaskState::IDLE) return i;
    }
    return -1;
}

// Chooses the next work, most useful first: opening a deep move, the next
// successor of a deep move, a whole shallow move, a successor searched ahead.
Work ClaimWork(Scheduler& s) {
    for (int m = 0; m < s.splitCount; ++m) {
        if (s.moves[m].phase == MovePhase::WAITING) {
            s.moves[m].phase = MovePhase::EXPANDING;
            return {WorkKind::EXPAND, m, 0, 0};
        }
    }
    for (int pass = 0; pass < 3; ++pass) {
        if (pass == 1) {
            if (s.nextPlain < s.pass.count) return {WorkKind::PLAIN, s.nextPlain++, 0, 0};
            continue;
        }
        for (int m = 0; m < s.splitCount; ++m) {
            SplitMove& move = s.moves[m];
            if (move.phase != MovePhase::OPEN) continue;
            const int child =
                pass == 0
                    ? (move.tasks[move.committed].state == TaskState::IDLE ? move.committed : -1)
                    : FirstIdleChild(move, move.committed + 1);
            if (child < 0) continue;
            move.tasks[child].state = TaskState::RUNNING;
            ++move.running;
            return {WorkKind::TASK, m, child, move.alpha};
        }
    }
    return {s.unfinished == 0 ? WorkKind::FINISHED : WorkKind::WAIT, 0, 0, 0};
}

// Opens a deep move: its own node's tests and its successors.
void ExpandMove(Scheduler& s, SplitMove& move, std::unique_lock<std::mutex>& lock) {
    const PositionRecord& position = s.pass.list[s.pass.order[move.k]];
    const int depth = RemainingDepth(s.pass, move.k);
    lock.unlock();
    SearchCounters counters;
    counters.nodes = 1;
    float score = 0;
    bool settled = KingLostScore(position, score);
    SuccessorList children = nullptr;
    int count = 0;
    ChildTask* tasks = nullptr;
    if (!settled) {
        count = GenerateSuccessorsQuietly(position, children, counters.outOfMemory);
        score = -KING_LOST_SCORE;
        settled = count == 0;
    }
    if (!settled) {
        tasks = static_cast<ChildTask*>(AllocateBlock(sizeof(ChildTask) * count));
        if (!tasks) {  // no room to split: search the move whole, as one thread would
            ReleaseSuccessors(children);
            counters = SearchCounters();
            counters.outOfMemory = true;  // the result is exact, but memory is short: say so
            score = SearchNode(counters, position, depth, -s.pass.bound, s.pass.bound);
            settled = true;
        }
    }
    lock.lock();
    move.counters = counters;
    if (settled) {
        FinishMove(s, move, score);
        return;
    }
    for (int i = 0; i < count; ++i) tasks[i] = ChildTask{TaskState::IDLE, 0, {}, {}};
    move.children = children;
    move.childCount = count;
    move.tasks = tasks;
    move.alpha = -s.pass.bound;
    move.beta = s.pass.bound;
    move.phase = MovePhase::OPEN;
}

void RunTask(Scheduler& s, const Work& work, std::unique_lock<std::mutex>& lock) {
    SplitMove& move = s.moves[work.move];
    const PositionRecord& child = move.children[work.child];
    const int depth = RemainingDepth(s.pass, move.k);
    lock.unlock();
    SearchCounters counters;
    const StepResult result = SearchSuccessor(counters, child, depth, work.alpha, move.beta);
    lock.lock();
    --move.running;
    // Work searched ahead and thrown away still tells that memory ran short.
    s.total.outOfMemory = s.total.outOfMemory || counters.outOfMemory;
    if (move.phase == MovePhase::DONE) {
        if (move.running == 0) ReleaseMove(move);
        return;
    }
    move.tasks[work.child] = ChildTask{TaskState::FINISHED, work.alpha, result, counters};
    CommitResults(s, move);
}

void RunPlain(Scheduler& s, int k, std::unique_lock<std::mutex>& lock) {
    lock.unlock();
    SearchCounters counters;
    const float score = SearchNode(counters, s.pass.list[s.pass.order[k]],
                                   RemainingDepth(s.pass, k), -s.pass.bound, s.pass.bound);
    lock.lock();
    s.pass.scores[k] = -score;
    s.total.Add(counters);
    --s.unfinished;
}

void Worker(Scheduler& s) {
    std::unique_lock<std::mutex> lock(s.mutex);
    for (;;) {
        const Work work = ClaimWork(s);
        if (work.kind == WorkKind::FINISHED) break;
        if (work.kind == WorkKind::WAIT) {
            s.changed.wait(lock);
            continue;
        }
        if (work.kind == WorkKind::EXPAND) ExpandMove(s, s.moves[work.move], lock);
        if (work.kind == WorkKind::TASK) RunTask(s, work, lock);
        if (work.kind == WorkKind::PLAIN) RunPlain(s, work.move, lock);
        s.changed.notify_all();
    }
    s.changed.notify_all();
}

void SearchInTurn(const RootPass& pass, SearchCounters& total) {
    for (int k = 0; k < pass.count; ++k) {
        pass.scores[k] = -SearchNode(total, pass.list[pass.order[k]], RemainingDepth(pass, k),
                                     -pass.bound, pass.bound);
    }
}

}  // namespace

void SearchRootMoves(const RootPass& pass, int threads, SearchCounters& total) {
    if (threads <= 1 || pass.count <= 1) {
        SearchInTurn(pass, total);
        return;
    }
    Scheduler s(pass);
    // Deep moves with at least two plies below them are split; the rest,
    // shallow moves included, are searched whole.
    const int deep = pass.depth - 1 >= 2 ? std::min(pass.fullDepthMoves, pass.count) : 0;
    s.splitCount = std::min(deep, MAX_SPLIT_MOVES);
    for (int m = 0; m < s.splitCount; ++m) s.moves[m].k = m;
    s.nextPlain = s.splitCount;
    s.unfinished = pass.count;

    std::thread helpers[MAX_THREADS];
    int started = 0;
    for (int t = 1; t < std::min(threads, MAX_THREADS); ++t) {
        try {
            helpers[started] = std::thread(Worker, std::ref(s));
            ++started;
        } catch (const std::system_error&) {
            break;  // fewer threads, same result
        }
    }
    Worker(s);
    for (int t = 0; t < started; ++t) helpers[t].join();
    total.Add(s.total);
}
