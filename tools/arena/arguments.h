// The command line: a match (the default) or the openings generator, and
// the help text that documents both.
#pragma once

#include <string>
#include <vector>

#include "tools/arena/match.h"
#include "tools/arena/openings.h"

namespace arena {

extern const char* const kUsage;

struct Command {
    bool help = false;
    bool generateOpenings = false;  // "openings": write a balanced set to standard output
    std::string openingsPath;       // empty: the initial position only
    MatchSettings match;
    OpeningRecipe recipe;
};

// Reads the arguments after the program name. On failure error says which
// argument is wrong and why.
bool ParseArguments(const std::vector<std::string>& args, Command& command, std::string& error);

}  // namespace arena
