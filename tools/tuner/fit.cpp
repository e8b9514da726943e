#include "tools/tuner/fit.h"

#include <algorithm>
#include <cmath>

#include "chess/chess.h"

namespace tuner {

namespace {

constexpr double kFullPhase = 24.0;
constexpr double kLn10 = 2.302585092994046;

// Adam's decay rates for the mean and the mean square of the gradient.
constexpr double kMomentum = 0.9;
constexpr double kSquareMomentum = 0.999;
constexpr double kEpsilon = 1e-12;

// The piece-square tables are fitted alike on both wings: a square and its
// mirror across the d/e line share one value, which halves what the games
// must pin down. Averaging their gradients keeps symmetric tables symmetric.
void TieMirroredSquares(Parameters& gradient) {
    for (int type = 0; type < 6; ++type) {
        for (int square = 0; square < 64; ++square) {
            if (square % 8 >= 4) continue;
            for (int part = 0; part < 2; ++part) {
                const int a = 2 * (chess::TERM_PIECE_SQUARE + type * 64 + square) + part;
                const int b = 2 * (chess::TERM_PIECE_SQUARE + type * 64 + (square ^ 7)) + part;
                gradient[a] = gradient[b] = (gradient[a] + gradient[b]) / 2;
            }
        }
    }
}

// Each side's king danger sums with the parameters, middle and end game,
// each capped as the evaluation caps it.
struct DangerSums {
    double middle[2] = {};
    double end[2] = {};
};

DangerSums SampleDanger(const TrainingSet& set, const Sample& sample,
                        const Parameters& parameters) {
    DangerSums sums;
    for (uint32_t i = sample.firstDanger; i < sample.firstDanger + sample.dangerCount; ++i) {
        const DangerCount& d = set.dangers[i];
        sums.middle[d.color] += d.count * parameters[2 * (chess::TERM_KING_DANGER + d.feature)];
        sums.end[d.color] += d.count * parameters[2 * (chess::TERM_KING_DANGER + d.feature) + 1];
    }
    for (int color = 0; color < 2; ++color) {
        sums.middle[color] = std::min(sums.middle[color], double{chess::KING_DANGER_MOST});
        sums.end[color] = std::min(sums.end[color], double{chess::KING_DANGER_MOST});
    }
    return sums;
}

double DangerMiddle(double danger) {
    return danger > 0 ? danger * danger / chess::KING_DANGER_MIDDLE_DIVISOR : 0;
}

double DangerEnd(double danger) { return danger > 0 ? danger / chess::KING_DANGER_END_DIVISOR : 0; }

// The slopes of those curves, zero where the cap holds the sum.
double DangerMiddleSlope(double danger) {
    return danger > 0 && danger < chess::KING_DANGER_MOST
               ? 2 * danger / chess::KING_DANGER_MIDDLE_DIVISOR
               : 0;
}

double DangerEndSlope(double danger) {
    return danger > 0 && danger < chess::KING_DANGER_MOST ? 1.0 / chess::KING_DANGER_END_DIVISOR
                                                          : 0;
}

}  // namespace

Parameters ParametersOf(const chess::EvalWeight* weights) {
    Parameters parameters(2 * chess::EVAL_TERM_COUNT);
    for (int term = 0; term < chess::EVAL_TERM_COUNT; ++term) {
        parameters[2 * term] = weights[term].middle;
        parameters[2 * term + 1] = weights[term].end;
    }
    return parameters;
}

std::vector<chess::EvalWeight> RoundedWeights(const Parameters& parameters) {
    std::vector<chess::EvalWeight> weights(chess::EVAL_TERM_COUNT);
    for (int term = 0; term < chess::EVAL_TERM_COUNT; ++term)
        weights[term] = {static_cast<int>(std::lround(parameters[2 * term])),
                         static_cast<int>(std::lround(parameters[2 * term + 1]))};
    return weights;
}

double SampleScore(const TrainingSet& set, const Sample& sample, const Parameters& parameters) {
    double middle = 0, end = 0;
    for (uint32_t i = sample.firstTerm; i < sample.firstTerm + sample.termCount; ++i) {
        const TermCount& t = set.terms[i];
        middle += t.count * parameters[2 * t.term];
        end += t.count * parameters[2 * t.term + 1];
    }
    const DangerSums danger = SampleDanger(set, sample, parameters);
    middle += DangerMiddle(danger.middle[0]) - DangerMiddle(danger.middle[1]);
    end += DangerEnd(danger.end[0]) - DangerEnd(danger.end[1]);
    const double blended = (middle * sample.phase + end * (kFullPhase - sample.phase)) / kFullPhase;
    return blended * sample.scale / 8.0 + sample.offset;
}

double ExpectedPoints(double score, double k) {
    return 1.0 / (1.0 + std::pow(10.0, -k * score / 400.0));
}

double MeanSquaredError(const TrainingSet& set, const Parameters& parameters, double k) {
    double sum = 0;
    for (const Sample& sample : set.samples) {
        const double miss = sample.target - ExpectedPoints(SampleScore(set, sample, parameters), k);
        sum += miss * miss;
    }
    return set.samples.empty() ? 0 : sum / static_cast<double>(set.samples.size());
}

double ErrorGradient(const TrainingSet& set, const Parameters& parameters, double k,
                     Parameters& gradient) {
    gradient.assign(parameters.size(), 0.0);
    if (set.samples.empty()) return 0;
    const double n = static_cast<double>(set.samples.size());
    double sum = 0;
    for (const Sample& sample : set.samples) {
        const double expected = ExpectedPoints(SampleScore(set, sample, parameters), k);
        const double miss = sample.target - expected;
        sum += miss * miss;
        // d(miss^2)/d(score), then the score's share of each part of a weight.
        const double slope = -2.0 * miss * expected * (1.0 - expected) * kLn10 * k / 400.0;
        const double perCount = slope * sample.scale / 8.0 / kFullPhase / n;
        const double middle = perCount * sample.phase;
        const double end = perCount * (kFullPhase - sample.phase);
        for (uint32_t i = sample.firstTerm; i < sample.firstTerm + sample.termCount; ++i) {
            const TermCount& t = set.terms[i];
            gradient[2 * t.term] += middle * t.count;
            gradient[2 * t.term + 1] += end * t.count;
        }
        if (!sample.dangerCount) continue;
        // Black's danger counts against White's score.
        const DangerSums danger = SampleDanger(set, sample, parameters);
        for (uint32_t i = sample.firstDanger; i < sample.firstDanger + sample.dangerCount; ++i) {
            const DangerCount& d = set.dangers[i];
            const double sign = d.color == chess::WHITE ? 1.0 : -1.0;
            const int term = chess::TERM_KING_DANGER + d.feature;
            gradient[2 * term] +=
                middle * sign * DangerMiddleSlope(danger.middle[d.color]) * d.count;
            gradient[2 * term + 1] += end * sign * DangerEndSlope(danger.end[d.color]) * d.count;
        }
    }
    return sum / n;
}

double FitScaling(const TrainingSet& set, const Parameters& parameters) {
    // The error is unimodal in k: golden-section search.
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    double low = 0.05, high = 5.0;
    while (high - low > 0.0005) {
        const double a = high - ratio * (high - low), b = low + ratio * (high - low);
        if (MeanSquaredError(set, parameters, a) < MeanSquaredError(set, parameters, b))
            high = b;
        else
            low = a;
    }
    return std::round((low + high) / 2.0 * 1000.0) / 1000.0;
}

bool SelectGroups(const std::vector<std::string>& prefixes, std::vector<bool>& fitted) {
    fitted.assign(chess::EVAL_TERM_COUNT, false);
    for (const std::string& prefix : prefixes) {
        bool found = false;
        for (const chess::EvalTermGroup& group : chess::kEvalTermGroups) {
            if (std::string(group.name).rfind(prefix, 0) != 0) continue;
            found = true;
            for (int term = group.first; term < group.first + group.count; ++term)
                fitted[term] = true;
        }
        if (!found) return false;
    }
    return true;
}

Parameters Tune(const TrainingSet& set, const Parameters& start, double k,
                const TuneSettings& settings, const TuneReport& report) {
    Parameters parameters = start, gradient;
    Parameters mean(parameters.size(), 0.0), square(parameters.size(), 0.0);
    double meanDecay = 1.0, squareDecay = 1.0;
    for (int epoch = 1; epoch <= settings.epochs; ++epoch) {
        const double error = ErrorGradient(set, parameters, k, gradient);
        if (report && (epoch - 1) % settings.reportEvery == 0) report(epoch - 1, error, parameters);
        meanDecay *= kMomentum;
        squareDecay *= kSquareMomentum;
        TieMirroredSquares(gradient);
        const double rate =
            settings.rate * (1.0 - 0.9 * (epoch - 1) / static_cast<double>(settings.epochs));
        for (std::size_t i = 0; i < parameters.size(); ++i) {
            if (!settings.fitted.empty() && !settings.fitted[i / 2]) continue;
            gradient[i] += 2.0 * settings.prior * (parameters[i] - start[i]);
            mean[i] = kMomentum * mean[i] + (1 - kMomentum) * gradient[i];
            square[i] =
                kSquareMomentum * square[i] + (1 - kSquareMomentum) * gradient[i] * gradient[i];
            const double step =
                (mean[i] / (1 - meanDecay)) / (std::sqrt(square[i] / (1 - squareDecay)) + kEpsilon);
            parameters[i] -= rate * step;
        }
    }
    if (report) report(settings.epochs, MeanSquaredError(set, parameters, k), parameters);
    return parameters;
}

}  // namespace tuner
