// The engine tool's state between commands and the one entry point that
// runs a command line of the engine protocol.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>

#include "chess/chess.h"
#include "engine/search.h"
#include "rules/position.h"

constexpr int DEFAULT_SEARCH_DEPTH = 5;
constexpr int MAX_SEARCH_DEPTH = 64;
constexpr int MAX_PERFT_DEPTH = 8;
constexpr int MIN_THREADS = 1;  // MAX_THREADS is the engine's
constexpr int DEFAULT_HASH_MEGABYTES = 16;
constexpr int MIN_HASH_MEGABYTES = 1;
constexpr int MAX_HASH_MEGABYTES = 4096;

// The rules the tool plays: standard chess, or the game's own rules, in
// which kings are captured and the game's search chooses the move.
enum class Variant { CHESS, KING_CAPTURE };

// How much work one command may ask for. The fuzz harness lowers these so
// that every input runs quickly and never touches files.
struct SessionLimits {
    int maxSearchDepth = MAX_SEARCH_DEPTH;  // for go and bench
    int maxPerftDepth = MAX_PERFT_DEPTH;
    int maxBenchPositions = 1000000;  // bench searches only this many, the first ones
    bool filesAllowed = true;         // whether bench may read a file of positions
};

struct RunningSearch;  // a go command's search on its own thread

struct UciSession {
    UciSession();
    ~UciSession();  // ends a running search
    UciSession(const UciSession&) = delete;
    UciSession& operator=(const UciSession&) = delete;

    Variant variant = Variant::CHESS;
    PositionRecord position = InitialPosition();  // the position in the game's rules
    chess::Game game;                             // the position in standard chess
    chess::SearchTables tables;                   // kept between standard-chess searches
    chess::SearchThreads chessThreads;            // the standard-chess search's threads
    int hashMegabytes = DEFAULT_HASH_MEGABYTES;
    bool tablesSized = false;  // the tables are made at the first search that needs them
    int threads = 1;           // the Threads option: worker threads of the search
    SessionLimits limits;
    std::atomic<int> errorCount{0};  // error lines written so far, a search's included

    std::unique_ptr<RunningSearch> search;  // while a go command runs
    std::mutex outputLock;                  // a running search writes as well
};

// Runs one line of input and writes the replies to out. Returns false when
// the line asks the tool to quit. A bad command writes exactly one line
// "info string error: ..." and leaves the position as it was. A go command
// returns at once; its search writes to out until it ends.
bool RunCommand(UciSession& session, const std::string& line, std::ostream& out);

// The end of the input: lets a search with a limit finish and stops one
// that waits for stop (go infinite, go ponder).
void FinishInput(UciSession& session);
