// Where a match stands, from the first engine's view: games won, drawn and
// lost, the finished pairs of games (each opening with both colours), the
// Elo estimate with its error bar, the SPRT, and the lines that report them.
#pragma once

#include <map>
#include <string>

#include "tools/arena/stats.h"

namespace arena {

struct SprtSettings {
    bool on = false;
    double elo0 = 0;
    double elo1 = 10;
    double alpha = 0.05;
    double beta = 0.05;
};

struct Standing {
    Tally tally;
    PairTally pairs{};
    // The first engine's points in pairs with one game finished, by pair number.
    std::map<int, double> halfPairs;
    // The SPRT's verdict once it decided; the games still being played when
    // the match stopped count in the score but do not undo it.
    SprtVerdict decided = SprtVerdict::CONTINUE;
};

// Counts a game of pair number pair worth points (1, 0.5 or 0) to the first engine.
void CountGame(Standing& standing, int pair, double points);

// The sample the estimate and the SPRT use: the finished pairs
// (pentanomial), or each game (trinomial) while no pair is finished.
Moments SampleOf(const Standing& standing, bool& pentanomial);

SprtVerdict SprtVerdictOf(const Standing& standing, const SprtSettings& sprt);

// "+5 =4 -3 (58.3%)"
std::string ScoreText(const Tally& tally);
// "Elo +58.5 +/- 120.3" (or "+/- inf")
std::string EloText(const Standing& standing);
// "LLR 0.31 [-2.94, 2.94]"
std::string LlrText(const Standing& standing, const SprtSettings& sprt);

// The closing report, several lines, the last one the verdict: the one
// decided, else the one the standing gives now.
std::string FinalReport(const Standing& standing, const SprtSettings& sprt,
                        const std::string& first, const std::string& second);

}  // namespace arena
