#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "chess/eval_weights.h"
#include "chess/evaluate.h"
#include "tools/tuner/fit.h"
#include "tools/tuner/training_set.h"
#include "tools/tuner/weights_file.h"

namespace tuner {
namespace {

using chess::EvalWeight;

// The header in the repository is exactly what the tuner writes for the
// weights compiled from it: nobody edited it by hand, and writing it again
// changes nothing.
TEST(WeightsFile, ReproducesTheCompiledHeader) {
    std::ifstream in(QUILLMATE_WEIGHTS_HEADER, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::vector<EvalWeight> compiled(chess::kEvalWeights,
                                           chess::kEvalWeights + chess::EVAL_TERM_COUNT);
    EXPECT_EQ(WeightsHeader(compiled), text.str());
    const std::vector<EvalWeight> again = RoundedWeights(ParametersOf(compiled.data()));
    for (int term = 0; term < chess::EVAL_TERM_COUNT; ++term) {
        EXPECT_EQ(again[term].middle, compiled[term].middle) << term;
        EXPECT_EQ(again[term].end, compiled[term].end) << term;
    }
}

TEST(WeightsFile, RoundsToTheNearestCentipawn) {
    Parameters parameters(2 * chess::EVAL_TERM_COUNT, 0.0);
    parameters[0] = 99.6;
    parameters[1] = -12.5;
    parameters[2] = -0.4;
    const std::vector<EvalWeight> weights = RoundedWeights(parameters);
    EXPECT_EQ(weights[0].middle, 100);
    EXPECT_EQ(weights[0].end, -13);
    EXPECT_EQ(weights[1].middle, 0);
}

struct LineCase {
    const char* line;
    LineVerdict verdict;
};

const LineCase kLines[] = {
    {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1;-20;0.5", LineVerdict::KEPT},
    {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1;300;1", LineVerdict::KEPT},
    {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1;300;0\r", LineVerdict::KEPT},
    {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1;300", LineVerdict::MALFORMED},
    {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1;300;2", LineVerdict::MALFORMED},
    {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1;300;", LineVerdict::MALFORMED},
    {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1;;1", LineVerdict::MALFORMED},
    {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1;3x0;1", LineVerdict::MALFORMED},
    {"4k3/8/8/8/8/8/4P3/4K4 w - - 0 1;0;1", LineVerdict::MALFORMED},
    {"4k3/8/8/8/8/8/8/8 w - - 0 1;0;1", LineVerdict::MALFORMED},
    {"", LineVerdict::MALFORMED},
    {"4k3/8/8/8/8/8/4R3/4K3 b - - 0 1;-500;1", LineVerdict::IN_CHECK},
    {"4k3/8/8/8/8/8/8/2B1K3 w - - 0 1;0;0.5", LineVerdict::DEAD},
    // The bishop takes the rook and leaves a bishop against a bare king.
    {"4k3/8/8/8/8/8/6r1/4KB2 w - - 0 1;0;0.5", LineVerdict::DEAD},
};

TEST(TrainingSet, ReadsKeepsAndSkipsLines) {
    for (const LineCase& c : kLines) {
        TrainingSet set;
        EXPECT_EQ(AddPositionLine(c.line, set), c.verdict) << c.line;
        EXPECT_EQ(set.samples.size(), c.verdict == LineVerdict::KEPT ? 1u : 0u) << c.line;
    }
}

// A piece left hanging is taken before the position is counted: the queen
// on d5 goes, the rook that a pawn defends stays.
TEST(TrainingSet, CountsTheQuietPositionThatCapturesLeadTo) {
    TrainingSet set;
    ASSERT_EQ(AddPositionLine("4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1;900;1", set), LineVerdict::KEPT);
    ASSERT_EQ(AddPositionLine("4k3/8/2p5/3r4/8/8/3R4/4K3 w - - 0 1;0;0.5", set), LineVerdict::KEPT);
    const chess::EvalTrace taken = TraceOf(set, set.samples[0]);
    EXPECT_EQ(taken.count[chess::TERM_MATERIAL + chess::QUEEN], 0);
    EXPECT_EQ(taken.count[chess::TERM_MATERIAL + chess::ROOK], 1);
    const chess::EvalTrace kept = TraceOf(set, set.samples[1]);
    EXPECT_EQ(kept.count[chess::TERM_MATERIAL + chess::ROOK], 0);
    EXPECT_EQ(kept.count[chess::TERM_MATERIAL + chess::PAWN], -1);
    EXPECT_FLOAT_EQ(set.samples[0].result, 1.0f);
}

// The search score is kept from White's side, within bounds, and a blend
// aims between the game's points and what that score predicts.
TEST(TrainingSet, BlendsTheResultWithTheSearchScore) {
    TrainingSet set;
    for (const char* line :
         {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1;300;1", "4k3/8/8/8/8/8/4P3/4K3 b - - 0 1;-300;1",
          "4k3/8/8/8/8/8/4P3/4K3 b - - 0 1;99999;0"})
        ASSERT_EQ(AddPositionLine(line, set), LineVerdict::KEPT) << line;
    EXPECT_EQ(set.samples[0].searchScore, 300);
    EXPECT_EQ(set.samples[1].searchScore, 300);
    EXPECT_EQ(set.samples[2].searchScore, -3000);
    EXPECT_FLOAT_EQ(set.samples[0].target, 1.0f);
    BlendTargets(set, 0.25, 1.0);
    EXPECT_FLOAT_EQ(set.samples[0].target,
                    static_cast<float>(0.75 + 0.25 * ExpectedPoints(300, 1)));
    EXPECT_FLOAT_EQ(set.samples[2].target, static_cast<float>(0.25 * ExpectedPoints(-3000, 1)));
    EXPECT_FLOAT_EQ(set.samples[2].result, 0.0f);
}

const char* const kGameLines[] = {
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1;20;1",
    "r1bq1rk1/2p1bppp/p1np1n2/1p2p3/4P3/1BP2N2/PP1P1PPP/RNBQR1K1 w - - 0 9;30;0.5",
    "8/1p3k2/p7/P1P5/6K1/8/5p2/8 b - - 0 50;200;0",
    "6k1/5ppp/8/1Q6/8/8/3r1PPP/6K1 w - - 0 1;-400;0",
    "7k/8/5K2/8/8/8/8/R7 w - - 0 1;900;1",
    "4k3/8/4b3/8/8/8/8/R3K3 b - - 0 1;-20;0.5",
    "2kr3r/ppp2q2/2n1b1pp/2b1p3/4P1Q1/2NP1N2/PPP3PP/R1B2R1K b - - 0 15;-50;0",
};

TrainingSet GameSet() {
    TrainingSet set;
    for (const char* line : kGameLines) EXPECT_EQ(AddPositionLine(line, set), LineVerdict::KEPT);
    return set;
}

// The tuner's model of a position is the evaluation's, short of rounding.
TEST(Fit, ScoresSamplesAsTheEvaluationDoes) {
    const TrainingSet set = GameSet();
    const Parameters compiled = ParametersOf(chess::kEvalWeights);
    for (const Sample& sample : set.samples)
        EXPECT_NEAR(SampleScore(set, sample, compiled),
                    chess::TracedScore(TraceOf(set, sample), chess::kEvalWeights), 2.0);
}

TEST(Fit, GradientMatchesTheErrorsSlope) {
    const TrainingSet set = GameSet();
    const Parameters parameters = ParametersOf(chess::kEvalWeights);
    const double k = 1.1, h = 0.01;
    Parameters gradient;
    const double error = ErrorGradient(set, parameters, k, gradient);
    EXPECT_DOUBLE_EQ(error, MeanSquaredError(set, parameters, k));
    int checked = 0, dangerChecked = 0;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        Parameters up = parameters, down = parameters;
        up[i] += h;
        down[i] -= h;
        const double slope =
            (MeanSquaredError(set, up, k) - MeanSquaredError(set, down, k)) / (2 * h);
        EXPECT_NEAR(gradient[i], slope, 1e-9 + 1e-4 * std::fabs(slope)) << i;
        checked += gradient[i] != 0;
        dangerChecked += gradient[i] != 0 && i >= 2 * chess::TERM_KING_DANGER;
    }
    EXPECT_GT(checked, 50);
    // Through the king danger curve too, in the middle and the end game.
    EXPECT_GE(dangerChecked, chess::KING_DANGER_FEATURES);
}

// Results drawn exactly from a curve with a known scale and a known weight:
// the scale fit and the descent find them again.
TrainingSet CurveSet(double k, double bishopPair) {
    TrainingSet set;
    for (int count = -2; count <= 2; ++count) {
        for (int phase : {0, 12, 24}) {
            Sample sample;
            sample.firstTerm = static_cast<uint32_t>(set.terms.size());
            sample.termCount = 2;
            sample.phase = static_cast<uint8_t>(phase);
            set.terms.push_back({chess::TERM_BISHOP_PAIR, static_cast<int16_t>(count)});
            set.terms.push_back({chess::TERM_MATERIAL + chess::PAWN, static_cast<int16_t>(count)});
            const double score = count * (bishopPair + 100.0);
            sample.result = sample.target = static_cast<float>(ExpectedPoints(score, k));
            set.samples.push_back(sample);
        }
    }
    return set;
}

TEST(Fit, FindsTheScaleOfTheCurve) {
    Parameters parameters(2 * chess::EVAL_TERM_COUNT, 0.0);
    parameters[2 * chess::TERM_BISHOP_PAIR] = parameters[2 * chess::TERM_BISHOP_PAIR + 1] = 50;
    parameters[2 * chess::TERM_MATERIAL] = parameters[2 * chess::TERM_MATERIAL + 1] = 100;
    for (double k : {0.6, 1.0, 1.7})
        EXPECT_NEAR(FitScaling(CurveSet(k, 50), parameters), k, 0.002) << k;
}

// A pawn's material at 100, everything else at 0, and a long, gentle descent.
Parameters PawnStart() {
    Parameters start(2 * chess::EVAL_TERM_COUNT, 0.0);
    start[2 * chess::TERM_MATERIAL] = start[2 * chess::TERM_MATERIAL + 1] = 100;
    return start;
}

TuneSettings LongDescent() {
    TuneSettings settings;
    settings.epochs = 3000;
    settings.rate = 0.5;
    return settings;
}

TEST(Fit, DescentFindsTheWeight) {
    const TrainingSet set = CurveSet(1.0, 80);
    const Parameters start = PawnStart();
    const TuneSettings settings = LongDescent();
    std::vector<double> errors;
    const Parameters tuned =
        Tune(set, start, 1.0, settings,
             [&](int, double error, const Parameters&) { errors.push_back(error); });
    ASSERT_GE(errors.size(), 2u);
    EXPECT_LT(errors.back(), errors.front() / 100);
    // Only the sum of the two terms is determined; the middle and end
    // game must each come out right, since phases vary.
    EXPECT_NEAR(tuned[2 * chess::TERM_BISHOP_PAIR] + tuned[2 * chess::TERM_MATERIAL], 180, 2);
    EXPECT_NEAR(tuned[2 * chess::TERM_BISHOP_PAIR + 1] + tuned[2 * chess::TERM_MATERIAL + 1], 180,
                2);
    EXPECT_EQ(tuned[2 * chess::TERM_TEMPO], 0);  // a term no sample counts stays put
}

// Fitting one group alone: with the pawn's material held at 100, the
// bishop pair alone makes up the 180 the curve was drawn with.
TEST(Fit, DescentMovesOnlyTheSelectedGroups) {
    const TrainingSet set = CurveSet(1.0, 80);
    TuneSettings settings = LongDescent();
    ASSERT_TRUE(SelectGroups({"bishop pair"}, settings.fitted));
    const Parameters tuned = Tune(set, PawnStart(), 1.0, settings, nullptr);
    EXPECT_EQ(tuned[2 * chess::TERM_MATERIAL], 100);
    EXPECT_EQ(tuned[2 * chess::TERM_MATERIAL + 1], 100);
    EXPECT_NEAR(tuned[2 * chess::TERM_BISHOP_PAIR], 80, 2);
    EXPECT_NEAR(tuned[2 * chess::TERM_BISHOP_PAIR + 1], 80, 2);
}

TEST(Fit, SelectsGroupsByTheBeginningOfTheirNames) {
    std::vector<bool> fitted;
    ASSERT_TRUE(SelectGroups({"king danger"}, fitted));
    ASSERT_EQ(fitted.size(), std::size_t{chess::EVAL_TERM_COUNT});
    for (int term = 0; term < chess::EVAL_TERM_COUNT; ++term)
        EXPECT_EQ(fitted[term], term >= chess::TERM_KING_DANGER) << term;
    // A prefix may name several groups; one that names none is an error.
    ASSERT_TRUE(SelectGroups({"king", "tempo"}, fitted));
    EXPECT_TRUE(fitted[chess::TERM_KING_ATTACK] && fitted[chess::TERM_KING_OPEN_FILE]);
    EXPECT_TRUE(fitted[chess::TERM_TEMPO]);
    EXPECT_FALSE(fitted[chess::TERM_MATERIAL]);
    EXPECT_FALSE(SelectGroups({"tempo", "no such group"}, fitted));
}

}  // namespace
}  // namespace tuner
