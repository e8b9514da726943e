#include "tools/arena/stats.h"

#include <cmath>
#include <limits>

namespace arena {

namespace {

constexpr double kZ95 = 1.959963984540054;  // the normal quantile of 0.975

Moments MomentsOf(const double* values, const int* counts, int kinds) {
    Moments moments;
    double sum = 0;
    for (int i = 0; i < kinds; ++i) {
        moments.samples += counts[i];
        sum += counts[i] * values[i];
    }
    if (moments.samples == 0) return moments;
    moments.mean = sum / moments.samples;
    double squares = 0;
    for (int i = 0; i < kinds; ++i)
        squares += counts[i] * (values[i] - moments.mean) * (values[i] - moments.mean);
    moments.variance = squares / moments.samples;
    return moments;
}

}  // namespace

double EloFromScore(double score) {
    if (score <= 0) return -std::numeric_limits<double>::infinity();
    if (score >= 1) return std::numeric_limits<double>::infinity();
    return -400 * std::log10(1 / score - 1);
}

double ScoreFromElo(double elo) { return 1 / (1 + std::pow(10, -elo / 400)); }

Moments TrinomialMoments(const Tally& tally) {
    const double values[3] = {1, 0.5, 0};
    const int counts[3] = {tally.wins, tally.draws, tally.losses};
    return MomentsOf(values, counts, 3);
}

Moments PentanomialMoments(const PairTally& pairs) {
    const double values[5] = {0, 0.25, 0.5, 0.75, 1};
    return MomentsOf(values, pairs.data(), 5);
}

EloEstimate EstimateElo(const Moments& moments) {
    EloEstimate estimate;
    estimate.elo = EloFromScore(moments.mean);
    double spread = moments.samples > 0 ? kZ95 * std::sqrt(moments.variance / moments.samples) : 0;
    double low = moments.mean - spread, high = moments.mean + spread;
    if (moments.samples == 0 || low <= 0 || high >= 1)
        estimate.error = std::numeric_limits<double>::infinity();
    else
        estimate.error = (EloFromScore(high) - EloFromScore(low)) / 2;
    return estimate;
}

double LogLikelihoodRatio(const Moments& moments, double elo0, double elo1) {
    if (moments.samples == 0 || moments.variance <= 0) return 0;
    double s0 = ScoreFromElo(elo0), s1 = ScoreFromElo(elo1);
    return moments.samples * (s1 - s0) * (2 * moments.mean - s0 - s1) / (2 * moments.variance);
}

SprtBounds BoundsOf(double alpha, double beta) {
    return {std::log(beta / (1 - alpha)), std::log((1 - beta) / alpha)};
}

SprtVerdict Decide(double llr, const SprtBounds& bounds) {
    if (llr >= bounds.upper) return SprtVerdict::ACCEPT_ELO1;
    if (llr <= bounds.lower) return SprtVerdict::ACCEPT_ELO0;
    return SprtVerdict::CONTINUE;
}

}  // namespace arena
