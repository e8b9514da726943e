// Start positions: reading them from a file (one FEN a line), and making a
// balanced set reproducibly: random legal plies from the initial position,
// kept when a shallow search of the chess library finds them about level.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

#include "chess/game.h"

namespace arena {

// The game at fen (4 or 6 fields), refused as the engine tool refuses it.
bool GameFromFen(const std::string& fen, chess::Game& game, std::string& error);
std::string FenOf(const chess::Game& game);

// The FENs of in, one a line; blank lines and lines starting with '#' are
// skipped. Fails on the first line that is no playable position, naming it.
bool ReadOpenings(std::istream& in, std::vector<std::string>& fens, std::string& error);

struct OpeningRecipe {
    int count = 300;
    int minPlies = 6;
    int maxPlies = 10;
    uint64_t seed = 1;
    int depth = 8;    // the search that judges a candidate, on one thread
    int margin = 60;  // kept when the score is within this many centipawns of 0
};

// Candidates are random games of minPlies..maxPlies uniformly random legal
// plies (the generator seeded with seed); a candidate is kept when the game
// is not over, its position was not kept before (same pieces, side, castling
// and en passant), and the search to depth scores it within margin, without
// a mate. Each search starts from empty tables, so the same recipe makes the
// same openings every time. progress is told of every kept one.
std::vector<std::string> GenerateOpenings(const OpeningRecipe& recipe,
                                          const std::function<void(int kept, int tried)>& progress);

}  // namespace arena
