// Playing below full strength, for people: a level from 0 (weakest) to
// MAX_SKILL_LEVEL (full strength). The lower levels limit how deep the
// search looks and let the move be chosen among the best few lines, the more
// freely the lower the level; the levels just below the top play the best
// line of a search cut off after a number of nodes.
#pragma once

#include <cstdint>
#include <iterator>
#include <vector>

#include "chess/chess.h"

namespace chess {

constexpr int MAX_SKILL_LEVEL = 20;
// The lines the lower levels choose among.
constexpr int SKILL_LINES = 4;

// What levels play like, measured in games (see the README): Elo on the
// scale of the reference engine's UCI_Elo, from the weakest level to full
// strength. Levels between two rows are taken as evenly spaced.
struct LevelStrength {
    int level;
    int elo;
};
constexpr LevelStrength LEVEL_STRENGTHS[] = {
    {0, 1159}, {5, 1267}, {10, 1627}, {15, 1876}, {20, 2237}};
constexpr int MIN_ELO = LEVEL_STRENGTHS[0].elo;
constexpr int MAX_ELO = LEVEL_STRENGTHS[std::size(LEVEL_STRENGTHS) - 1].elo;

// The strongest level that plays no stronger than elo (level 0 below MIN_ELO).
int SkillLevelForElo(int elo);

// How a level searches: the depth and the nodes it stops at (0: no limit of
// its own) and the best lines it chooses among.
struct SkillSearch {
    int maxDepth = 0;
    int64_t maxNodes = 0;
    int lines = 1;
};
SkillSearch SkillSearchFor(int level);

// The index of the line, among one depth's lines (best first), that a
// player of this level plays. A mate in one is always played, and a line the
// opponent mates in is never chosen while another is not lost. Otherwise a
// line's chance falls off with how far its score trails the best, the more
// steeply the higher the level. random is a generator's state, advanced by
// each choice, so that a given state always makes the same choice.
int ChooseSkillLine(const std::vector<Iteration>& lines, int level, uint64_t& random);

}  // namespace chess
