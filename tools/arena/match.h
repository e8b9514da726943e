// A match: games between two engines from a list of openings, each opening
// played twice with the colours swapped, on several workers at once. Each
// worker keeps its own pair of engine processes from game to game (with
// ucinewgame between games) and restarts an engine that broke the protocol.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/arena/pgn.h"
#include "tools/arena/play_game.h"
#include "tools/arena/standing.h"
#include "tools/arena/uci_engine.h"

namespace arena {

struct MatchSettings {
    EngineSetup engines[2];  // the first one is "ours": results are from its view
    std::vector<std::string> openings;
    int games = 0;  // 0: each opening twice
    int concurrency = 1;
    GameSettings game;
    SprtSettings sprt;
    std::string pgnPath;        // appended to after each game; none when empty
    std::string positionsPath;  // training positions, appended to likewise
    std::string logPath;        // the engines' traffic (see TrafficLog); none when empty
    std::string event = "quillmate-arena";
    std::string timeControl;  // for the PGN's TimeControl tag
};

// Which opening a game plays and whether the first engine has White: games
// 2k and 2k+1 play opening k (modulo their number), the first engine White
// in game 2k.
struct Pairing {
    int pair;
    int opening;
    bool firstIsWhite;
};
Pairing PairingOf(int game, int openings);

// Plays the match, reporting each game and the standing on out as it goes,
// and ends with the final report. Stops handing out games once the SPRT
// decides (the games already started are finished). Returns false, with a
// last line "Final: abandoned ...", when an engine could not be started or
// the PGN file could not be written.
bool RunMatch(const MatchSettings& settings, std::ostream& out, Standing& standing);

}  // namespace arena
