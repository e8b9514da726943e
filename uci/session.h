// The engine tool's state between commands and the one entry point that
// runs a command line of the engine protocol.
#pragma once

#include <ostream>
#include <string>

#include "engine/search.h"
#include "rules/position.h"

constexpr int DEFAULT_SEARCH_DEPTH = 5;
constexpr int MAX_SEARCH_DEPTH = 10;
constexpr int MAX_PERFT_DEPTH = 8;
constexpr int MIN_THREADS = 1;  // MAX_THREADS is the engine's

// How much work one command may ask for. The fuzz harness lowers these so
// that every input runs quickly and never touches files.
struct SessionLimits {
    int maxSearchDepth = MAX_SEARCH_DEPTH;  // for go and bench
    int maxPerftDepth = MAX_PERFT_DEPTH;
    int maxBenchPositions = 1000000;  // bench searches only this many, the first ones
    bool filesAllowed = true;         // whether bench may read a file of positions
};

struct UciSession {
    PositionRecord position = InitialPosition();
    int threads = 1;  // the Threads option: worker threads of the search
    SessionLimits limits;
    int errorCount = 0;  // error lines written so far
};

// Runs one line of input and writes the replies to out. Returns false when
// the line asks the tool to quit. A bad command writes exactly one line
// "info string error: ..." and leaves the position as it was.
bool RunCommand(UciSession& session, const std::string& line, std::ostream& out);
