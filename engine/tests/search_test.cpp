#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/evaluate.h"
#include "engine/search.h"
#include "engine/successors.h"
#include "engine/tests/known_figures.h"
#include "engine/tests/reference_engine.h"
#include "rules/make_move.h"
#include "rules/tests/test_positions.h"

namespace {

SearchSettings Threads(int count) {
    SearchSettings settings;
    settings.threads = count;
    return settings;
}

struct Result {
    int found = 0;
    Move move{};
    SearchReport report;
};

Result Best(const PositionRecord& position, int depth, int threads = 1) {
    Result result;
    result.found = FindBestMove(position, depth, result.move.from, result.move.to, Threads(threads),
                                &result.report);
    return result;
}

// The score a root move gets in the main pass: the search of its successor
// from the opponent's side, negated.
float RootScore(const PositionRecord& position, const char* move, int remaining) {
    return -SearchPosition(Play(position, Mv(move)), remaining, -SCORE_BOUND, SCORE_BOUND);
}

// A position in which White is checkmated (every move loses the king) and one
// in which White is stalemated (the same, with the king not attacked).
const char* const MATED = "8/8/8/8/8/6k1/6q1/7K";
const char* const STALEMATED = "8/8/8/8/8/1qk5/8/K7";
// White's king and pawns boxed in by their own pieces: no successor at all.
const char* const BOXED = "6PK/6PP/8/8/8/8/8/k7";

}  // namespace

TEST(Search, InitialPositionAtDepthFive) {
    Square from{}, to{};
    SearchReport report;
    SearchSettings one;
    one.threads = 1;
    ASSERT_EQ(FindBestMove(InitialPosition(), known::START_DEPTH, from, to, one, &report), 1);
    EXPECT_EQ((Move{from, to}), Mv(known::START_MOVE));
    EXPECT_EQ(report.score, known::START_SCORE);
    EXPECT_EQ(report.nodes, known::START_NODES);
    EXPECT_EQ(report.evaluations, known::START_EVALUATIONS);
}

TEST(Search, InitialPositionRootScores) {
    const PositionRecord initial = InitialPosition();
    for (const char* move : {"b1c3", "g1f3", "d2d4", "e2e4"})
        EXPECT_EQ(RootScore(initial, move, 0), 16.0f) << move;
    for (const char* move : {"d2d3", "e2e3"}) EXPECT_EQ(RootScore(initial, move, 0), 12.0f) << move;
    for (const char* move : {"b1a3", "g1h3"}) EXPECT_EQ(RootScore(initial, move, 0), 6.0f) << move;
    for (const char* move : {"a2a3", "a2a4", "b2b4", "c2c3", "f2f4", "h2h4"})
        EXPECT_EQ(RootScore(initial, move, 0), -15.0f) << move;
    EXPECT_EQ(RootScore(initial, "b1c3", 4), 47.0f);
    EXPECT_EQ(RootScore(initial, "g1f3", 4), 47.0f);
    EXPECT_EQ(RootScore(initial, "d2d4", 4), 84.0f);
    EXPECT_EQ(RootScore(initial, "e2e4", 4), 88.0f);
    EXPECT_EQ(RootScore(initial, "d2d3", 4), 80.0f);
    EXPECT_EQ(RootScore(initial, "e2e3", 2), 12.0f);  // sixth in order: depth 2
}

TEST(Search, AfterE4BlackPlaysB8C6) {
    const PositionRecord position = Play(InitialPosition(), {"e2e4"});
    const Result result = Best(position, 5);
    ASSERT_EQ(result.found, 1);
    EXPECT_EQ(result.move, Mv("b8c6"));
    EXPECT_EQ(result.report.score, 110.0f);
    EXPECT_EQ(result.report.nodes, 154063);
    EXPECT_EQ(result.report.evaluations, 135158);
    EXPECT_FALSE(result.report.outOfMemory);

    // The five moves searched deep, in pre-score order, with their scores.
    std::vector<PositionRecord> successors = reference::Successors(position);
    std::vector<float> preScores;
    for (const PositionRecord& s : successors)
        preScores.push_back(-SearchPosition(s, 0, -SCORE_BOUND, SCORE_BOUND));
    std::vector<int> order(successors.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return preScores[a] > preScores[b]; });
    const std::vector<Move> firstFive = Moves({"d7d5", "e7e5", "b8c6", "g8f6", "d7d6"});
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(successors[order[k]], Play(position, firstFive[k])) << "entry " << k;
    EXPECT_EQ(RootScore(position, "d7d5", 4), 53.0f);
    EXPECT_EQ(RootScore(position, "e7e5", 4), 54.0f);
    EXPECT_EQ(RootScore(position, "b8c6", 4), 110.0f);
    EXPECT_EQ(RootScore(position, "g8f6", 4), 109.0f);
    EXPECT_EQ(RootScore(position, "d7d6", 4), 11.0f);
}

TEST(Search, EqualScoresGoToTheMoveSearchedFirst) {
    // At depth 1 the first five moves in order are scored by evaluation alone:
    // b1-c3, g1-f3, d2-d4 and e2-e4 all score 16, and b1-c3 comes first in the
    // list. The other fifteen are searched two plies deep and score less.
    const Result result = Best(InitialPosition(), 1);
    ASSERT_EQ(result.found, 1);
    EXPECT_EQ(result.move, Mv("b1c3"));
    EXPECT_EQ(result.report.score, 16.0f);
    const reference::Choice choice = reference::BestMove(InitialPosition(), 1);
    ASSERT_EQ(choice.scores.size(), 20u);
    EXPECT_EQ(std::count(choice.scores.begin(), choice.scores.end(), 16.0f), 4);
    EXPECT_EQ(result.report.nodes, choice.counters.nodes);
    EXPECT_EQ(result.report.evaluations, choice.counters.evaluations);
    // Twenty pre-scores and five evaluations before the deeper searches.
    EXPECT_GT(result.report.nodes, 25 + 15 * 20);
}

TEST(Search, NoMoveWhenTheKingIsMissingOrNoSuccessorExists) {
    // No king for the side to move: nothing is searched.
    Result result = Best(MakePosition("4k3/8/8/8/8/8/8/QQQQ4", 'w'), 3);
    EXPECT_EQ(result.found, 0);
    EXPECT_EQ(result.report.nodes, 0);
    EXPECT_EQ(result.report.score, -KING_LOST_SCORE);
    // The other side's missing king does not stop the search.
    result = Best(MakePosition("8/8/8/8/8/8/8/R3K3", 'w'), 2);
    EXPECT_EQ(result.found, 1);
    EXPECT_EQ(result.report.score, KING_LOST_SCORE);
    // No successor.
    result = Best(MakePosition(BOXED, 'w'), 3);
    EXPECT_EQ(result.found, 0);
    EXPECT_EQ(result.report.nodes, 0);
    EXPECT_EQ(result.report.score, -KING_LOST_SCORE);
}

TEST(Search, NoMoveWhenEveryMoveLosesTheKing) {
    for (const char* diagram : {MATED, STALEMATED}) {
        for (int depth : {2, 3, 4}) {
            const Result result = Best(MakePosition(diagram, 'w'), depth);
            EXPECT_EQ(result.found, 0) << diagram << " depth " << depth;
            EXPECT_GT(result.report.nodes, 0);
            EXPECT_EQ(result.report.score, -KING_LOST_SCORE);
            EXPECT_FALSE(result.report.outOfMemory);
        }
        // One ply sees only the evaluation after the move: no loss yet.
        EXPECT_EQ(Best(MakePosition(diagram, 'w'), 1).found, 1) << diagram;
        EXPECT_EQ(SearchPosition(MakePosition(diagram, 'w'), 2, -SCORE_BOUND, SCORE_BOUND),
                  -KING_LOST_SCORE);
    }
}

TEST(Search, CastlingIsReportedAsTheKingsMove) {
    const PositionRecord white = MakePosition("4k3/pppp4/8/8/8/8/5PPP/4K2R", 'w', "K---");
    Result result = Best(white, 3);
    ASSERT_EQ(result.found, 1);
    EXPECT_EQ(result.move, Mv("e1g1"));
    const PositionRecord black = MakePosition("4k2r/5ppp/8/8/8/8/PPPP4/4K3", 'b', "--k-");
    result = Best(black, 3);
    ASSERT_EQ(result.found, 1);
    EXPECT_EQ(result.move, Mv("e8g8"));
}

TEST(Search, EnPassantIsReportedWithThePawnsTarget) {
    Result result = Best(MakePosition("4k3/8/8/3pP3/8/8/8/6K1", 'w', "----", "D6"), 2);
    ASSERT_EQ(result.found, 1);
    EXPECT_EQ(result.move, Mv("e5d6"));
    result = Best(MakePosition("6k1/8/8/8/3Pp3/8/8/4K3", 'b', "----", "D3"), 2);
    ASSERT_EQ(result.found, 1);
    EXPECT_EQ(result.move, Mv("e4d3"));
}

TEST(Search, DeriveMoveReadsEveryKindOfMove) {
    struct Case {
        const char* diagram;
        char side;
        const char* castling;
        const char* enPassant;
        const char* move;
    };
    const Case cases[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQkq", "--", "e1g1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQkq", "--", "e1c1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R", 'b', "KQkq", "--", "e8g8"},
        {"r3k2r/8/8/8/8/8/8/R3K2R", 'b', "KQkq", "--", "e8c8"},
        {"4k3/8/8/3pP3/8/8/8/4K3", 'w', "----", "D6", "e5d6"},
        {"4k3/8/8/8/3Pp3/8/8/4K3", 'b', "----", "D3", "e4d3"},
        {"1r2k3/P7/8/8/8/8/8/4K3", 'w', "----", "--", "a7b8"},
        {"4k3/8/8/8/8/8/7p/4K1N1", 'b', "----", "--", "h2g1"},
        {"4k3/8/8/8/8/8/7p/4K1N1", 'b', "----", "--", "h2h1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQkq", "--", "a1a8"},
        {"r3k2r/8/8/8/8/8/8/R3K2R", 'b', "KQkq", "--", "h8h1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQkq", "--", "e1f1"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 'w', "KQkq", "00", "g1f3"},
    };
    for (const Case& c : cases) {
        const PositionRecord position = MakePosition(c.diagram, c.side, c.castling, c.enPassant);
        Square from{}, to{};
        DeriveMove(position, Play(position, Mv(c.move)), from, to);
        EXPECT_EQ((Move{from, to}), Mv(c.move)) << c.diagram;
    }
}

TEST(Search, DepthZeroReturnsTheEvaluationWhateverTheWindow) {
    const PositionRecord initial = InitialPosition();
    EXPECT_EQ(SearchPosition(initial, 0, 100.0f, 200.0f), 15.0f);
    EXPECT_EQ(SearchPosition(initial, 0, -500.0f, -400.0f), 15.0f);
    EXPECT_EQ(SearchPosition(initial, 0, 15.0f, 15.0f), 15.0f);
    const PositionRecord e4 = Play(initial, {"e2e4"});
    EXPECT_EQ(SearchPosition(e4, 0, 0.0f, 1.0f), -16.0f);
    EXPECT_EQ(SearchPosition(MakePosition(BOXED, 'w'), 0, -1.0f, 1.0f),
              EvaluatePosition(MakePosition(BOXED, 'w')));
}

TEST(Search, NoSuccessorsScoresMinusNineThousandWhateverTheWindow) {
    const PositionRecord boxed = MakePosition(BOXED, 'w');
    for (int depth : {1, 2, 3}) {
        EXPECT_EQ(SearchPosition(boxed, depth, -SCORE_BOUND, SCORE_BOUND), -KING_LOST_SCORE);
        EXPECT_EQ(SearchPosition(boxed, depth, 0.0f, 100.0f), -KING_LOST_SCORE);
    }
    // A missing king decides before any move is looked at.
    const PositionRecord noWhiteKing = MakePosition("4k3/8/8/8/8/8/8/Q7", 'w');
    EXPECT_EQ(SearchPosition(noWhiteKing, 3, -SCORE_BOUND, SCORE_BOUND), -KING_LOST_SCORE);
    PositionRecord blackToMove = noWhiteKing;
    blackToMove.sideToMove = 'b';
    EXPECT_EQ(SearchPosition(blackToMove, 3, -SCORE_BOUND, SCORE_BOUND), KING_LOST_SCORE);
    const PositionRecord noKings = MakePosition("8/8/8/8/8/8/8/8", 'b');
    EXPECT_EQ(SearchPosition(noKings, 2, -SCORE_BOUND, SCORE_BOUND), KING_LOST_SCORE);
}

TEST(Search, ANodeWithNothingAboveAlphaReturnsAlpha) {
    // In the initial position no move is worth 5000: the node returns the
    // alpha it was given, however deep it looks.
    for (int depth : {1, 2, 3})
        EXPECT_EQ(SearchPosition(InitialPosition(), depth, 5000.0f, 6000.0f), 5000.0f);
    // And a window entirely below every score fails high.
    EXPECT_GE(SearchPosition(InitialPosition(), 2, -6000.0f, -5000.0f), -5000.0f);
}

TEST(Search, NullWindowBoundIsRoundedOnceFromDouble) {
    // White is a queen up, so the first move's null-window search fails low
    // for Black and hands back its lower bound s; with beta just above alpha
    // the root cuts at once and returns -s. For these alphas, -alpha - 0.1
    // rounded once from double differs from the same sum done in float.
    const PositionRecord position = MakePosition("4k3/8/8/8/8/8/8/3QK3", 'w');
    for (float alpha : {-0.113354973f, -0.22552453f, -0.130022153f}) {
        const float once = static_cast<float>(-static_cast<double>(alpha) - 0.1);
        const float inFloat = -alpha - 0.1f;
        ASSERT_NE(once, inFloat) << "the case must tell the two roundings apart";
        EXPECT_EQ(SearchPosition(position, 2, alpha, alpha + 0.05f), -once) << alpha;
    }
}
