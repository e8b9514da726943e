// One engine as the runner talks to it in UCI: the handshake with its
// options, a new game, and a move asked for with a deadline.
#pragma once

#include <mutex>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "tools/arena/engine_process.h"
#include "tools/arena/uci_lines.h"

namespace arena {

// An engine as given on the command line.
struct EngineSetup {
    std::string name;     // for the PGN and the summary
    std::string command;  // a shell command line
    std::string directory;
    std::vector<std::pair<std::string, std::string>> options;  // setoption name N value V
    // Above 0, in a match at fixed nodes: this engine's nodes a move instead
    // of the match's, so that two copies of one engine play different games.
    int64_t nodes = 0;
};

// Every line sent to and read from the engines of a match, for finding out
// why a game ended as it did: "<ms since start> w<worker> <engine> < line"
// for what an engine said, "> line" for what it was told, "! ..." for its
// silence or exit.
struct TrafficLog {
    std::mutex mutex;
    std::ostream* out = nullptr;
    Clock::time_point start = Clock::now();
};

struct Engine {
    EngineSetup setup;
    EngineProcess process;
    TrafficLog* log = nullptr;  // none: nothing logged
    int worker = 0;             // in the log: which of the match's workers it plays for
};

// How long an engine may take to answer "uci" and "isready".
constexpr std::chrono::seconds kHandshakeTime{10};

// Starts the engine and sets its options: uci, uciok, each setoption, isready, readyok.
bool OpenEngine(const EngineSetup& setup, Engine& engine, std::string& error);
void CloseEngine(Engine& engine);

// ucinewgame, then isready until readyok.
bool NewGame(Engine& engine, std::string& error);

enum class AnswerStatus { MOVED, NO_ANSWER, CRASHED };

struct Answer {
    AnswerStatus status = AnswerStatus::NO_ANSWER;
    std::string move;  // as the engine wrote it, unchecked
    Report report;     // from the last usable info line before bestmove
    Clock::duration took{};
};

// Sends position and go, and reads until bestmove or deadline. An engine
// that misses the deadline is sent "stop" and left to the caller, who must
// not ask it again before it has been closed.
Answer AskMove(Engine& engine, const std::string& position, const std::string& go,
               Clock::time_point deadline);

}  // namespace arena
