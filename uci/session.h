// The engine tool's state between commands and the one entry point that
// runs a command line of the engine protocol.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>

#include "chess/skill.h"
#include "engine/search.h"
#include "uci/rule_set.h"
#include "uci/searcher.h"
#include "uci/settings.h"

// How much work one command may ask for. The fuzz harness lowers these so
// that every input runs quickly and never touches files.
struct SessionLimits {
    int maxSearchDepth = MAX_SEARCH_DEPTH;  // for go and bench
    int maxPerftDepth = MAX_PERFT_DEPTH;
    int maxBenchPositions = 1000000;  // bench searches only this many, the first ones
    int maxHashMegabytes = MAX_HASH_MEGABYTES;
    int maxThreads = MAX_THREADS;
    bool filesAllowed = true;  // whether bench may read a file of positions
};

struct UciSession {
    explicit UciSession(const SessionLimits& limits = SessionLimits());
    ~UciSession();  // ends a running search
    UciSession(const UciSession&) = delete;
    UciSession& operator=(const UciSession&) = delete;

    SessionLimits limits;
    std::unique_ptr<RuleSet> rules;  // the rules played now, with their position
    int hashMegabytes = 0;           // the Hash option, as in use
    int threads = DEFAULT_THREADS;   // the Threads option, as in use
    int64_t moveOverhead = DEFAULT_MOVE_OVERHEAD_MS;
    int64_t multiPv = 1;                          // the MultiPV option: lines a search reports
    int64_t skillLevel = chess::MAX_SKILL_LEVEL;  // the Skill Level option
    bool limitStrength = false;                   // UCI_LimitStrength: play at UCI_Elo
    int64_t elo = chess::MAX_ELO;                 // the UCI_Elo option
    bool showWdl = false;                         // the UCI_ShowWDL option
    bool chess960 = false;                        // the UCI_Chess960 option, which only chess plays
    std::atomic<int> errorCount{0};               // error lines written so far, a search's included
    std::mutex outputLock;                        // a running search writes as well
    Searcher searcher;                            // last, so that its threads end first
};

// Runs one line of input and writes the replies to out. Returns false when
// the line asks the tool to quit. A bad command writes exactly one line
// "info string error: ..." and leaves the position as it was. A go command
// returns at once; its search writes to out until it ends.
bool RunCommand(UciSession& session, const std::string& line, std::ostream& out);

// The end of the input: lets a search with a limit finish and stops one
// that waits for stop (go infinite, go ponder).
void FinishInput(UciSession& session);
