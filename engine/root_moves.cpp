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
// alone at the end. So each deep move is opened as a node whose successors
// are searched one task each. Its move loop commits their results in list
// order, and takes a result only if it was searched with the alpha the loop
// has at that point: a successor searched ahead with an alpha that has risen
// since is searched again. Each committed result, and so each score and node
// count, is exactly the one-thread result; work thrown away is not counted.

namespace {

constexpr int MAX_SPLIT_MOVES = 8;

enum class SlotState : uint8_t { OPEN, SEARCHING, DONE };

// One successor of a deep move: its task and, once searched, its result.
struct Slot {
    SlotState state;
    float alpha;  // the alpha it was searched with
    StepResult result;
    SearchCounters counters;
};

// A deep root move searched as a node: its move loop over the slots.
struct DeepMove {
    int k = 0;  // its place in the root order
    SuccessorList children = nullptr;
    Slot* slots = nullptr;
    int count = 0;
    int next = 0;  // the first successor whose result is not committed
    float alpha = 0;
    bool finished = false;
    SearchCounters counters;  // the node itself and its committed successors
};

enum class TaskKind { WHOLE_MOVE, SUCCESSOR };

struct Task {
    TaskKind kind;
    int index;  // the root order index of a whole move, or the deep move
    int child;
    float alpha;
};

struct Scheduler {
    const RootPass& pass;
    DeepMove deep[MAX_SPLIT_MOVES];
    int deepCount = 0;
    int nextWhole = 0;   // the next root order index searched whole
    int unfinished = 0;  // root moves without a score
    SearchCounters total;
    std::mutex mutex;
    std::condition_variable changed;

    explicit Scheduler(const RootPass& p) : pass(p) {}
};

int RemainingDepth(const RootPass& pass, int k) {
    return k < pass.fullDepthMoves ? pass.depth - 1 : pass.reducedDepth;
}

float SearchWhole(const RootPass& pass, int k, SearchCounters& counters) {
    return SearchPosition(counters, pass.list[pass.order[k]], RemainingDepth(pass, k), -pass.bound,
                          pass.bound);
}

void FinishMove(Scheduler& s, DeepMove& move, float value) {
    move.finished = true;
    s.pass.scores[move.k] = -value;
    s.total.Add(move.counters);
    --s.unfinished;
}

// Opens a deep move on the calling thread, before any helper starts: the
// node's own tests, its successors and their slots. A move settled by its
// tests, or with no memory for the slots, is scored here and now.
void OpenMove(Scheduler& s, DeepMove& move) {
    const PositionRecord& position = s.pass.list[s.pass.order[move.k]];
    move.counters.nodes = 1;
    move.alpha = -s.pass.bound;
    float score;
    if (KingLostScore(position, score)) return FinishMove(s, move, score);
    move.count = GenerateSuccessors(position, move.children, move.counters.outOfMemory);
    if (move.count == 0) return FinishMove(s, move, -KING_LOST_SCORE);
    move.slots = static_cast<Slot*>(AllocateBlock(sizeof(Slot) * move.count));
    if (!move.slots) {
        // The one-thread search of the move gives the same result; the
        // shortage is still told.
        move.counters = SearchCounters();
        move.counters.outOfMemory = true;
        move.counters.stop = s.pass.stop;
        return FinishMove(s, move, SearchWhole(s.pass, move.k, move.counters));
    }
    for (int i = 0; i < move.count; ++i) move.slots[i] = Slot{SlotState::OPEN, 0, {}, {}};
}

// Advances the move loop over the results that are in, in list order.
void CommitResults(Scheduler& s, DeepMove& move) {
    while (!move.finished && move.next < move.count) {
        Slot& slot = move.slots[move.next];
        if (slot.state != SlotState::DONE) return;
        if (slot.alpha != move.alpha) {
            slot.state = SlotState::OPEN;
            return;
        }
        move.counters.Add(slot.counters);
        ++move.next;
        if (slot.result.outcome == StepOutcome::CUTOFF)
            return FinishMove(s, move, slot.result.value);
        if (slot.result.outcome == StepOutcome::RAISE) {
            move.alpha = slot.result.value;
            // Results searched ahead with the old alpha are of no use now.
            for (int i = move.next; i < move.count; ++i) {
                if (move.slots[i].state == SlotState::DONE) move.slots[i].state = SlotState::OPEN;
            }
        }
    }
    if (!move.finished) FinishMove(s, move, move.alpha);
}

bool ClaimSuccessor(Scheduler& s, int m, int from, int to, Task& task) {
    DeepMove& move = s.deep[m];
    if (move.finished) return false;
    for (int i = from; i < std::min(to, move.count); ++i) {
        if (move.slots[i].state != SlotState::OPEN) continue;
        move.slots[i].state = SlotState::SEARCHING;
        task = Task{TaskKind::SUCCESSOR, m, i, move.alpha};
        return true;
    }
    return false;
}

// The most useful work first: the successor each move loop waits for, then
// a whole move, then a successor searched ahead with its move's current alpha.
bool ClaimTask(Scheduler& s, Task& task) {
    for (int m = 0; m < s.deepCount; ++m) {
        if (ClaimSuccessor(s, m, s.deep[m].next, s.deep[m].next + 1, task)) return true;
    }
    if (s.nextWhole < s.pass.count) {
        task = Task{TaskKind::WHOLE_MOVE, s.nextWhole++, 0, 0};
        return true;
    }
    for (int m = 0; m < s.deepCount; ++m) {
        if (ClaimSuccessor(s, m, s.deep[m].next + 1, s.deep[m].count, task)) return true;
    }
    return false;
}

// Runs a task without the lock, then records its result under it.
void RunTask(Scheduler& s, const Task& task, std::unique_lock<std::mutex>& lock) {
    SearchCounters counters;
    counters.stop = s.pass.stop;
    if (task.kind == TaskKind::WHOLE_MOVE) {
        lock.unlock();
        const float value = SearchWhole(s.pass, task.index, counters);
        lock.lock();
        s.pass.scores[task.index] = -value;
        s.total.Add(counters);
        --s.unfinished;
        return;
    }
    DeepMove& move = s.deep[task.index];
    lock.unlock();
    const StepResult result =
        SearchSuccessor(counters, move.children[task.child], RemainingDepth(s.pass, move.k),
                        task.alpha, s.pass.bound);
    lock.lock();
    // Work thrown away still tells that memory ran short.
    s.total.outOfMemory = s.total.outOfMemory || counters.outOfMemory;
    if (move.finished) return;
    move.slots[task.child] = Slot{SlotState::DONE, task.alpha, result, counters};
    CommitResults(s, move);
}

void Worker(Scheduler& s) {
    std::unique_lock<std::mutex> lock(s.mutex);
    while (s.unfinished > 0) {
        Task task;
        if (!ClaimTask(s, task)) {
            s.changed.wait(lock);
            continue;
        }
        RunTask(s, task, lock);
        s.changed.notify_all();
    }
}

void SearchInTurn(const RootPass& pass, SearchCounters& total) {
    for (int k = 0; k < pass.count; ++k) pass.scores[k] = -SearchWhole(pass, k, total);
}

}  // namespace

void SearchRootMoves(const RootPass& pass, int threads, SearchCounters& total) {
    if (threads <= 1 || pass.count <= 1) return SearchInTurn(pass, total);
    Scheduler s(pass);
    s.unfinished = pass.count;
    // Deep moves with at least two plies below them are split; the rest,
    // shallow moves included, are searched whole.
    const int deep = pass.depth - 1 >= 2 ? std::min(pass.fullDepthMoves, pass.count) : 0;
    s.deepCount = std::min(deep, MAX_SPLIT_MOVES);
    s.nextWhole = s.deepCount;
    for (int m = 0; m < s.deepCount; ++m) {
        s.deep[m].k = m;
        OpenMove(s, s.deep[m]);
    }

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
    // Only now that no task runs are the deep moves' blocks released.
    for (int m = 0; m < s.deepCount; ++m) {
        ReleaseBlock(s.deep[m].slots);
        ReleaseSuccessors(s.deep[m].children);
    }
    total.Add(s.total);
}
