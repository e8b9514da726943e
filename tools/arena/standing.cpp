#include "tools/arena/standing.h"

#include <cmath>
#include <cstdio>

namespace arena {

namespace {

std::string Format(const char* format, double a, double b = 0, double c = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string ErrorText(double error) {
    return std::isinf(error) ? std::string("inf") : Format("%.1f", error);
}

const char* VerdictText(SprtVerdict verdict) {
    switch (verdict) {
        case SprtVerdict::ACCEPT_ELO1: return "H1 accepted (elo1 holds: the first engine gains)";
        case SprtVerdict::ACCEPT_ELO0: return "H0 accepted (elo0 holds: no gain shown)";
        case SprtVerdict::CONTINUE: break;
    }
    return "undecided";
}

}  // namespace

void CountGame(Standing& standing, int pair, double points) {
    Tally& tally = standing.tally;
    (points == 1 ? tally.wins : points == 0 ? tally.losses : tally.draws)++;
    auto other = standing.halfPairs.find(pair);
    if (other == standing.halfPairs.end()) {
        standing.halfPairs[pair] = points;
        return;
    }
    standing.pairs[static_cast<int>(std::lround(2 * (other->second + points)))]++;
    standing.halfPairs.erase(other);
}

Moments SampleOf(const Standing& standing, bool& pentanomial) {
    Moments pairs = PentanomialMoments(standing.pairs);
    pentanomial = pairs.samples > 0;
    return pentanomial ? pairs : TrinomialMoments(standing.tally);
}

SprtVerdict SprtVerdictOf(const Standing& standing, const SprtSettings& sprt) {
    if (!sprt.on) return SprtVerdict::CONTINUE;
    bool pentanomial = false;
    double llr = LogLikelihoodRatio(SampleOf(standing, pentanomial), sprt.elo0, sprt.elo1);
    return Decide(llr, BoundsOf(sprt.alpha, sprt.beta));
}

std::string ScoreText(const Tally& tally) {
    int games = tally.Games();
    double score = games ? (tally.wins + tally.draws / 2.0) / games : 0.5;
    return "+" + std::to_string(tally.wins) + " =" + std::to_string(tally.draws) + " -" +
           std::to_string(tally.losses) + Format(" (%.1f%%)", 100 * score);
}

std::string EloText(const Standing& standing) {
    bool pentanomial = false;
    EloEstimate estimate = EstimateElo(SampleOf(standing, pentanomial));
    // Adding 0 turns the -0 of an even score into 0.
    return Format("Elo %+.1f", estimate.elo + 0.0) + " +/- " + ErrorText(estimate.error);
}

std::string LlrText(const Standing& standing, const SprtSettings& sprt) {
    bool pentanomial = false;
    double llr = LogLikelihoodRatio(SampleOf(standing, pentanomial), sprt.elo0, sprt.elo1);
    SprtBounds bounds = BoundsOf(sprt.alpha, sprt.beta);
    return Format("LLR %.2f [%.2f, %.2f]", llr, bounds.lower, bounds.upper);
}

std::string FinalReport(const Standing& standing, const SprtSettings& sprt,
                        const std::string& first, const std::string& second) {
    bool pentanomial = false;
    Moments sample = SampleOf(standing, pentanomial);
    std::string text = "Games: " + std::to_string(standing.tally.Games()) + ", " + first + " vs " +
                       second + ": " + ScoreText(standing.tally) + "\n";
    const PairTally& p = standing.pairs;
    text += "Pairs by points 0, 0.5, 1, 1.5, 2: " + std::to_string(p[0]) + " " +
            std::to_string(p[1]) + " " + std::to_string(p[2]) + " " + std::to_string(p[3]) + " " +
            std::to_string(p[4]) + "\n";
    text += EloText(standing) + " (95%, " +
            (pentanomial ? "pentanomial over " + std::to_string(sample.samples) + " pairs"
                         : "trinomial over " + std::to_string(sample.samples) + " games");
    // For comparison: the error bar that treats the games as independent.
    if (pentanomial)
        text += "; trinomial over the games: +/- " +
                ErrorText(EstimateElo(TrinomialMoments(standing.tally)).error);
    text += ")\n";
    std::string verdict = "no SPRT";
    if (sprt.on) {
        SprtVerdict now = standing.decided != SprtVerdict::CONTINUE ? standing.decided
                                                                    : SprtVerdictOf(standing, sprt);
        verdict = std::string("SPRT ") + VerdictText(now);
        text += Format("SPRT elo0=%g elo1=%g", sprt.elo0, sprt.elo1) +
                Format(" alpha=%g beta=%g: ", sprt.alpha, sprt.beta) + LlrText(standing, sprt) +
                "\n";
    }
    return text + "Final: " + first + " vs " + second + " " + ScoreText(standing.tally) + ", " +
           EloText(standing) + ", " + verdict + "\n";
}

}  // namespace arena
