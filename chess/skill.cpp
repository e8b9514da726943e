#include "chess/skill.h"

#include <cmath>
#include <iterator>

#include "chess/search.h"

namespace chess {

namespace {

// A line that trails the best by the spread (in centipawns) is played
// e^-1, about a third, as often as the best: wide at level 0, narrow near
// the top.
constexpr double SPREAD_AT_TOP = 10;
constexpr double SPREAD_PER_LEVEL_BELOW = 10;
// The depth of level 0, and the levels per extra ply above it.
constexpr int DEPTH_AT_LEVEL_0 = 2;
constexpr int LEVELS_PER_PLY = 2;
// Near full strength a choice among lines costs more than it is worth: the
// extra lines cut the depth the clock allows, and a few centipawns given
// away a move add up against strong play. So the levels above the last one
// that chooses play the best line alone, of a search cut off after a number
// of nodes: a measure of effort that, like a fixed depth, does not depend on
// the machine. Each such level doubles the nodes of the one below it, worth
// about as much as a level's step in the table of strengths.
constexpr int LAST_CHOOSING_LEVEL = 15;
constexpr int64_t NODES_ABOVE_CHOOSING = 10000;

int LineValue(const Iteration& line) {
    if (line.mateIn > 0) return MATE_SCORE - 2 * line.mateIn;
    if (line.mateIn < 0) return -MATE_SCORE - 2 * line.mateIn;
    return line.score;
}

// splitmix64: a uniform draw in [0, 1).
double NextUniform(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return double(z >> 11) / double(1ull << 53);
}

}  // namespace

int SkillLevelForElo(int elo) {
    int level = 0;
    for (std::size_t i = 1; i < std::size(LEVEL_STRENGTHS); ++i) {
        const LevelStrength& low = LEVEL_STRENGTHS[i - 1];
        const LevelStrength& high = LEVEL_STRENGTHS[i];
        for (int step = low.level + 1; step <= high.level; ++step) {
            const int stepElo =
                low.elo + (high.elo - low.elo) * (step - low.level) / (high.level - low.level);
            if (stepElo <= elo) level = step;
        }
    }
    return level;
}

SkillSearch SkillSearchFor(int level) {
    SkillSearch search;
    if (level >= MAX_SKILL_LEVEL) return search;
    if (level > LAST_CHOOSING_LEVEL) {
        search.maxNodes = NODES_ABOVE_CHOOSING << (level - LAST_CHOOSING_LEVEL - 1);
        return search;
    }
    search.maxDepth = DEPTH_AT_LEVEL_0 + level / LEVELS_PER_PLY;
    search.lines = SKILL_LINES;
    return search;
}

int ChooseSkillLine(const std::vector<Iteration>& lines, int level, uint64_t& random) {
    const int count = int(lines.size());
    // A mate in one is played, and when every line is lost, the longest defence.
    if (count <= 1 || lines[0].mateIn == 1 || lines[0].mateIn < 0) return 0;
    const double spread = SPREAD_AT_TOP + SPREAD_PER_LEVEL_BELOW * (MAX_SKILL_LEVEL - level);
    double weights[MAX_MOVES], total = 0;
    for (int i = 0; i < count; ++i) {
        const double behind = double(LineValue(lines[0]) - LineValue(lines[i]));
        weights[i] = lines[i].mateIn < 0 ? 0 : std::exp(-behind / spread);
        total += weights[i];
    }
    double draw = NextUniform(random) * total;
    for (int i = 0; i < count; ++i) {
        if (draw < weights[i]) return i;
        draw -= weights[i];
    }
    return 0;
}

}  // namespace chess
