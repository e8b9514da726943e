// Fitting the evaluation's weights to game results (Texel's method): the
// evaluation of each training position, through a logistic curve, predicts
// White's points; the weights that minimise the mean squared error of the
// predictions are the fit. Scores are unrounded here, so that small
// changes of a weight show in the error.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "chess/eval_terms.h"
#include "tools/tuner/training_set.h"

namespace tuner {

// The weights as real numbers: term t's middle-game part at 2t, its
// end-game part at 2t + 1.
using Parameters = std::vector<double>;

Parameters ParametersOf(const chess::EvalWeight* weights);
// The nearest whole centipawns.
std::vector<chess::EvalWeight> RoundedWeights(const Parameters& parameters);

// White's score for a sample with the parameters.
double SampleScore(const TrainingSet& set, const Sample& sample, const Parameters& parameters);
// White's expected points at a score: 1 / (1 + 10^(-k * score / 400)).
double ExpectedPoints(double score, double k);
double MeanSquaredError(const TrainingSet& set, const Parameters& parameters, double k);
// The error, with its derivative by every parameter in gradient.
double ErrorGradient(const TrainingSet& set, const Parameters& parameters, double k,
                     Parameters& gradient);
// The k at which the parameters predict the results best, to three decimals.
double FitScaling(const TrainingSet& set, const Parameters& parameters);

struct TuneSettings {
    int epochs = 2000;
    // About how many centipawns a parameter may move in one step at first;
    // the step shrinks linearly to a tenth of it by the last epoch.
    double rate = 1.0;
    // The weight of the start as a prior: prior * (parameter - start)^2 is
    // added to the error for each parameter, so that a term moves far only
    // on the evidence of many positions, and a rare one stays near its start.
    double prior = 0.0;
    int reportEvery = 100;
    // Which terms move, by term; empty for all of them.
    std::vector<bool> fitted;
};

// The terms of the groups whose names begin with one of prefixes, for
// TuneSettings::fitted; false if a prefix names no group.
bool SelectGroups(const std::vector<std::string>& prefixes, std::vector<bool>& fitted);

// Reports the epoch, the error of the predictions (without the prior's
// part) and the parameters reached.
using TuneReport = std::function<void(int, double, const Parameters&)>;

// Adam descent on the whole set from start, a square and its mirror on the
// other wing moving together in the piece-square tables, reporting every reportEvery
// epochs and at the end.
Parameters Tune(const TrainingSet& set, const Parameters& start, double k,
                const TuneSettings& settings, const TuneReport& report);

}  // namespace tuner
