// One game between two engines, refereed move by move: the runner keeps the
// clocks, checks every move with the chess library, and ends the game by the
// rules, by adjudication, or by a forfeit (an illegal or malformed move, the
// clock, an engine that crashed or stopped answering).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/arena/adjudication.h"
#include "tools/arena/uci_engine.h"

namespace arena {

struct TimeControl {
    int64_t nodes = 0;  // above 0: "go nodes N" and no clock
    int64_t baseMs = 10000;
    int64_t incrementMs = 100;
    // A move that overruns the clock by no more than this still counts:
    // the pipe and the scheduler add a little to every move.
    int64_t marginMs = 50;
    // With nodes: how long one answer may take before the engine forfeits.
    int64_t moveTimeoutMs = 10000;
};

struct GameSettings {
    TimeControl time;
    AdjudicationRules adjudication;
};

struct PlayedMove {
    std::string fen;  // the position it was played from
    std::string san;
    Report report;  // the mover's own last score and depth
    double seconds = 0;
};

// The PGN Termination tag's values.
enum class Termination { NORMAL, ADJUDICATION, TIME_FORFEIT, RULES_INFRACTION, ABANDONED };

struct GameRecord {
    std::string fen;  // the start position
    std::string white, black;
    std::vector<PlayedMove> moves;
    std::string result = "*";  // "1-0", "0-1", "1/2-1/2"
    Termination termination = Termination::NORMAL;
    std::string reason;  // why it ended, in words: "White mates", "Black loses on time"
    // The side whose engine broke the protocol (crashed, went silent, or
    // answered out of turn) and is best restarted before it plays again; -1: none.
    int faultySide = -1;
};

// Plays from fen with engines[0] as White and engines[1] as Black, each
// already through the handshake and told of the new game.
GameRecord PlayGame(Engine* const engines[2], const std::string& fen, const GameSettings& settings);

// The go command for the side to move, given both clocks (White's first).
std::string GoCommand(const TimeControl& time, const int64_t clocksMs[2]);

}  // namespace arena
