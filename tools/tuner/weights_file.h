// The fitted weights as the C++ header the evaluation is compiled with.
#pragma once

#include <string>
#include <vector>

#include "chess/eval_terms.h"

namespace tuner {

// The header's text: one {middle, end} pair per term, eight to a line,
// each group under its name (the piece-square tables by piece, a1 first).
std::string WeightsHeader(const std::vector<chess::EvalWeight>& weights);

}  // namespace tuner
