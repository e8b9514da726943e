// Training positions for fitting the evaluation's weights: each position of
// a played game, reduced to the terms its evaluation counts and labelled
// with how the game ended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chess/eval_terms.h"

namespace tuner {

struct TermCount {
    uint16_t term;
    int16_t count;
};

// A king danger feature counted for one side's attack.
struct DangerCount {
    uint8_t color;
    uint8_t feature;
    int16_t count;
};

// One position: its non-zero term counts (a run in the set's terms) and
// danger features (a run in the set's dangers), the
// rest of its trace, White's points from the game, the engine's score from
// the game (centipawns, White's view), and the points the fit aims at:
// the game's, unless blended with what the score predicts.
struct Sample {
    uint32_t firstTerm = 0;
    uint16_t termCount = 0;
    uint32_t firstDanger = 0;
    uint8_t dangerCount = 0;
    uint8_t phase = 0;
    uint8_t scale = 8;
    int16_t offset = 0;
    int16_t searchScore = 0;
    float result = 0.5f;
    float target = 0.5f;
};

struct TrainingSet {
    std::vector<TermCount> terms;
    std::vector<DangerCount> dangers;
    std::vector<Sample> samples;
};

enum class LineVerdict {
    KEPT,
    MALFORMED,  // not FEN;score;points, or not a position chess can play
    IN_CHECK,   // no quiet position: the side to move must answer a check
    DEAD,       // neither side can mate, so the evaluation is 0 whatever the weights
};

// Reads a line FEN;centipawns;White's points (1, 0.5 or 0), as the match
// runner's --positions writes them, and adds the quiet position that the
// captures from it lead to, labelled with the points.
LineVerdict AddPositionLine(const std::string& line, TrainingSet& set);

// Aims every sample at (1 - blend) * its game's points + blend * the points
// its search score predicts on the curve of scale k (see fit.h).
void BlendTargets(TrainingSet& set, double blend, double k);

// The trace of a sample, as the evaluation counted it.
chess::EvalTrace TraceOf(const TrainingSet& set, const Sample& sample);

}  // namespace tuner
