// Expected values were worked out independently in python3 from the
// formulas, e.g. for 60 wins, 20 draws, 20 losses:
//   m = (60 + 20/2) / 100 = 0.7; v = (60*(1-m)**2 + 20*(0.5-m)**2 + 20*m**2) / 100 = 0.16
//   d = 1.959964 * sqrt(v / 100); elo = lambda s: -400 * math.log10(1 / s - 1)
//   error = (elo(m + d) - elo(m - d)) / 2 = 66.013
//   s0, s1 = 1 / (1 + 10**(0/400)), 1 / (1 + 10**(-10/400))
//   llr = 100 * (s1 - s0) * (2*m - s0 - s1) / (2*v) = 1.7337
// and the same way for the other samples (the pairs: values 0, 0.25, ... 1).
#include "tools/arena/stats.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tools/arena/match.h"
#include "tools/arena/standing.h"

namespace arena {
namespace {

TEST(Elo, FromScoreAndBack) {
    const struct {
        double score, elo;
    } cases[] = {{0.5, 0}, {0.75, 190.8485}, {0.25, -190.8485}, {10.0 / 11, 400}, {0.64, 99.9}};
    for (const auto& c : cases) {
        EXPECT_NEAR(EloFromScore(c.score), c.elo, 0.1) << c.score;
        EXPECT_NEAR(ScoreFromElo(c.elo), c.score, 1e-3) << c.elo;
    }
    EXPECT_TRUE(std::isinf(EloFromScore(1)) && EloFromScore(1) > 0);
    EXPECT_TRUE(std::isinf(EloFromScore(0)) && EloFromScore(0) < 0);
}

TEST(Elo, TrinomialAndPentanomialSamples) {
    Moments games = TrinomialMoments({60, 20, 20});
    EXPECT_EQ(games.samples, 100);
    EXPECT_DOUBLE_EQ(games.mean, 0.7);
    EXPECT_NEAR(games.variance, 0.16, 1e-12);
    EloEstimate estimate = EstimateElo(games);
    EXPECT_NEAR(estimate.elo, 147.1907, 1e-3);
    EXPECT_NEAR(estimate.error, 66.0134, 1e-3);
    EXPECT_NEAR(LogLikelihoodRatio(games, 0, 10), 1.7337, 1e-3);

    // Pairs worth 0, 0.5, 1, 1.5 and 2 points: 2, 10, 20, 12 and 6 of them.
    Moments pairs = PentanomialMoments({2, 10, 20, 12, 6});
    EXPECT_EQ(pairs.samples, 50);
    EXPECT_DOUBLE_EQ(pairs.mean, 0.55);
    EXPECT_NEAR(pairs.variance, 0.065, 1e-12);
    EXPECT_NEAR(EstimateElo(pairs).elo, 34.8601, 1e-3);
    EXPECT_NEAR(EstimateElo(pairs).error, 49.9525, 1e-3);
    EXPECT_NEAR(LogLikelihoodRatio(pairs, -5, 5), 0.55347, 1e-4);
}

TEST(Elo, SamplesWithoutSpreadGiveNoEvidence) {
    for (Tally tally : {Tally{0, 0, 0}, Tally{5, 0, 0}, Tally{0, 7, 0}}) {
        Moments moments = TrinomialMoments(tally);
        EXPECT_EQ(std::isinf(EstimateElo(moments).error), tally.draws == 0) << tally.wins;
        EXPECT_EQ(LogLikelihoodRatio(moments, 0, 10), 0);
    }
    EXPECT_EQ(EstimateElo(TrinomialMoments({0, 7, 0})).error, 0);
    // An interval that reaches a score of 1 has no finite Elo bound.
    EXPECT_TRUE(std::isinf(EstimateElo(TrinomialMoments({9, 0, 1})).error));
}

TEST(Sprt, BoundsAndVerdicts) {
    SprtBounds bounds = BoundsOf(0.05, 0.05);
    EXPECT_NEAR(bounds.lower, -2.94444, 1e-5);
    EXPECT_NEAR(bounds.upper, 2.94444, 1e-5);
    SprtBounds uneven = BoundsOf(0.05, 0.1);
    EXPECT_NEAR(uneven.lower, -2.25129, 1e-5);
    EXPECT_NEAR(uneven.upper, 2.89037, 1e-5);
    EXPECT_EQ(Decide(2.95, bounds), SprtVerdict::ACCEPT_ELO1);
    EXPECT_EQ(Decide(bounds.upper, bounds), SprtVerdict::ACCEPT_ELO1);
    EXPECT_EQ(Decide(2.9, bounds), SprtVerdict::CONTINUE);
    EXPECT_EQ(Decide(-2.9, bounds), SprtVerdict::CONTINUE);
    EXPECT_EQ(Decide(-3, bounds), SprtVerdict::ACCEPT_ELO0);
}

TEST(Standing, PairsFormFromTheTwoGamesOfAnOpening) {
    Standing standing;
    const struct {
        int pair;
        double points;
    } games[] = {{0, 1}, {1, 0.5}, {0, 0.5}, {2, 0}, {1, 0}, {2, 0}, {3, 1}};
    for (const auto& game : games) CountGame(standing, game.pair, game.points);
    EXPECT_EQ(standing.tally.wins, 2);
    EXPECT_EQ(standing.tally.draws, 2);
    EXPECT_EQ(standing.tally.losses, 3);
    EXPECT_EQ(standing.pairs, (PairTally{1, 1, 0, 1, 0}));
    bool pentanomial = false;
    EXPECT_EQ(SampleOf(standing, pentanomial).samples, 3);
    EXPECT_TRUE(pentanomial);
    EXPECT_EQ(SampleOf(Standing{{1, 0, 0}, {}, {}}, pentanomial).samples, 1);
    EXPECT_FALSE(pentanomial);
}

TEST(Standing, GamesPairUpByOpeningWithTheColoursSwapped) {
    const struct {
        int game, openings, pair, opening;
        bool firstIsWhite;
    } cases[] = {{0, 3, 0, 0, true}, {1, 3, 0, 0, false}, {4, 3, 2, 2, true}, {7, 3, 3, 0, false}};
    for (const auto& c : cases) {
        Pairing pairing = PairingOf(c.game, c.openings);
        EXPECT_EQ(pairing.pair, c.pair) << c.game;
        EXPECT_EQ(pairing.opening, c.opening) << c.game;
        EXPECT_EQ(pairing.firstIsWhite, c.firstIsWhite) << c.game;
    }
}

TEST(Standing, FinalReportEndsWithTheVerdict) {
    Standing standing;
    for (int pair = 0; pair < 40; ++pair) {
        CountGame(standing, pair, 1);
        CountGame(standing, pair, pair % 3 ? 0.5 : 1);
    }
    SprtSettings sprt{true, 0, 10, 0.05, 0.05};
    EXPECT_EQ(SprtVerdictOf(standing, sprt), SprtVerdict::ACCEPT_ELO1);
    std::string report = FinalReport(standing, sprt, "new", "old");
    EXPECT_NE(report.find("pentanomial over 40 pairs"), std::string::npos) << report;
    EXPECT_NE(report.find("\nFinal: new vs old +54 =26 -0 (83.8%), Elo +284.9 +/- "),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("H1 accepted"), std::string::npos) << report;
    EXPECT_NE(report.find("trinomial over the games: +/- 67.5)"), std::string::npos) << report;
    EXPECT_EQ(report.back(), '\n');
    // A verdict reached earlier stands, whatever the games played after it.
    standing.decided = SprtVerdict::ACCEPT_ELO0;
    report = FinalReport(standing, sprt, "new", "old");
    EXPECT_NE(report.find("SPRT H0 accepted"), std::string::npos) << report;
}

}  // namespace
}  // namespace arena
