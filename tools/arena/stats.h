// The match arithmetic: Elo from a score, its 95% error bar, and the
// sequential probability ratio test (SPRT) that stops a match once it has
// shown whether a change gains elo1 or at most elo0. Scores are from the
// first engine's view, with the logistic Elo model: a score s (0..1) is an
// Elo difference of -400 log10(1/s - 1).
#pragma once

#include <array>

namespace arena {

// Games won, drawn and lost by the first engine.
struct Tally {
    int wins = 0;
    int draws = 0;
    int losses = 0;
    int Games() const { return wins + draws + losses; }
};

// Pairs of games from one opening, colours swapped, counted by the first
// engine's points in the pair: 0, 0.5, 1, 1.5 or 2.
using PairTally = std::array<int, 5>;

// A sample of scores in 0..1: how many, their mean, and the variance of one.
struct Moments {
    int samples = 0;
    double mean = 0.5;
    double variance = 0;
};

double EloFromScore(double score);  // -inf at 0, +inf at 1
double ScoreFromElo(double elo);

// One sample per game, worth 1, 0.5 or 0.
Moments TrinomialMoments(const Tally& tally);
// One sample per pair, worth its points halved. Pairs share an opening, so
// their games are not independent; this variance counts that in.
Moments PentanomialMoments(const PairTally& pairs);

// The Elo difference and the half width of its 95% confidence interval,
// mapped through the Elo curve: (Elo(mean + d) - Elo(mean - d)) / 2 with
// d = 1.96 standard errors. The half width is infinite when the interval
// reaches a score of 0 or 1 (as a clean sweep's does) or there is no sample;
// it is 0 for a sample without spread inside (every pair drawn, say).
struct EloEstimate {
    double elo = 0;
    double error = 0;
};
EloEstimate EstimateElo(const Moments& moments);

// The log-likelihood ratio of "the difference is elo1" against "it is
// elo0", with the sample mean taken as normal with the sample's variance:
// n (s1 - s0) (2 mean - s0 - s1) / (2 variance), where s0 and s1 are the
// scores of elo0 and elo1. Zero while the sample has no spread.
double LogLikelihoodRatio(const Moments& moments, double elo0, double elo1);

// The test's bounds for error rates alpha (accepting elo1 when elo0 holds)
// and beta (the reverse): log(beta / (1 - alpha)) and log((1 - beta) / alpha).
struct SprtBounds {
    double lower = 0;
    double upper = 0;
};
SprtBounds BoundsOf(double alpha, double beta);

enum class SprtVerdict { CONTINUE, ACCEPT_ELO0, ACCEPT_ELO1 };
SprtVerdict Decide(double llr, const SprtBounds& bounds);

}  // namespace arena
