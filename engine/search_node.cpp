#include "engine/search_node.h"

#include "engine/evaluate.h"
#include "engine/successors.h"

namespace {

// The null window sits just below -alpha: the bound is formed in double
// precision and rounded once to float.
inline float ScoutBound(float alpha) {
    return static_cast<float>(-static_cast<double>(alpha) - SCOUT_MARGIN);
}

// One successor's turn in the move loop. scoreChild(alpha, beta) searches the
// successor within that window and gives its score for its own side to move.
template <typename ScoreChild>
inline StepResult Step(ScoreChild&& scoreChild, float alpha, float beta) {
    float v = -scoreChild(ScoutBound(alpha), -alpha);
    if (v <= alpha) return {StepOutcome::BELOW_ALPHA, v};
    if (v >= beta) return {StepOutcome::CUTOFF, v};
    // Only the re-search's cut is strict: a result equal to beta raises alpha.
    v = -scoreChild(-beta, -v);
    if (v <= alpha) return {StepOutcome::BELOW_ALPHA, v};
    if (v > beta) return {StepOutcome::CUTOFF, v};
    return {StepOutcome::RAISE, v};
}

// The move loop over a node's successors in list order; releases the list.
template <typename StepChild>
inline float MoveLoop(SuccessorList list, int count, float alpha, float beta,
                      StepChild&& stepChild) {
    for (int i = 0; i < count; ++i) {
        const StepResult step = stepChild(i, alpha, beta);
        if (step.outcome == StepOutcome::CUTOFF) {
            ReleaseSuccessors(list);
            return step.value;
        }
        if (step.outcome == StepOutcome::RAISE) alpha = step.value;
    }
    ReleaseSuccessors(list);
    return alpha;
}

// A node one ply above the leaves. Its successors are all evaluated, some
// twice (the null window and the re-search), so each is scored once, from the
// squares its move changed; every entry and evaluation is still counted.
float SearchAboveLeaves(SearchCounters& counters, const PositionRecord& position,
                        SuccessorList list, int count, float alpha, float beta) {
    const BoardSum parentSum = SumBoard(position);
    return MoveLoop(list, count, alpha, beta, [&](int i, float a, float b) {
        const PositionRecord& leaf = list[i];
        const float score = EvaluateBoardSum(leaf, SumChildBoard(parentSum, position, leaf));
        auto scoreLeaf = [&](float, float) {
            ++counters.nodes;
            ++counters.evaluations;
            return score;
        };
        return Step(scoreLeaf, a, b);
    });
}

}  // namespace

bool KingLostScore(const PositionRecord& position, float& score) {
    for (char side : {'w', 'b'}) {
        if (IsKingMissing(position, side)) {
            score = position.sideToMove == side ? -KING_LOST_SCORE : KING_LOST_SCORE;
            return true;
        }
    }
    return false;
}

StepResult SearchSuccessor(SearchCounters& counters, const PositionRecord& successor, int depth,
                           float alpha, float beta) {
    return Step(
        [&](float a, float b) { return SearchPosition(counters, successor, depth - 1, a, b); },
        alpha, beta);
}

float SearchPosition(SearchCounters& counters, PositionRecord position, int depth, float alpha,
                     float beta) {
    ++counters.nodes;
    if (depth == 0) {
        ++counters.evaluations;
        return EvaluatePosition(position);
    }
    float score;
    if (KingLostScore(position, score)) return score;
    // Checked above the last two plies only: their subtrees end in microseconds.
    if (depth > 1 && StopRequested(counters)) return 0;  // a stopped search is not used

    SuccessorList list = nullptr;
    const int count = GenerateSuccessors(position, list, counters.outOfMemory);
    if (count == 0) return -KING_LOST_SCORE;  // no move, or no memory: both lose

    if (depth == 1) return SearchAboveLeaves(counters, position, list, count, alpha, beta);
    return MoveLoop(list, count, alpha, beta, [&](int i, float a, float b) {
        return SearchSuccessor(counters, list[i], depth, a, b);
    });
}
