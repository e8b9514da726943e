// The win/draw/loss model's numbers, fitted by tools/wdl/fit_wdl.py to
// 66840 positions of 600 of the engine's own games (see
// tools/wdl/README.md). Generated: rerun the recipe rather than edit.
#pragma once

namespace chess {

// With m the material on the board as a fraction of the initial material,
// a = WDL_CENTER[0] + WDL_CENTER[1] * m and b = WDL_SPREAD[0] + WDL_SPREAD[1] * m.
constexpr double WDL_CENTER[2] = {203.7, -159.7};
constexpr double WDL_SPREAD[2] = {97.0, 42.1};

}  // namespace chess
