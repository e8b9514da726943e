// What an engine says while it thinks and when it answers: the score and
// depth of its last principal line, and its move. Pure text functions.
#pragma once

#include <string>

namespace arena {

// An engine's score in its own words: centipawns, or moves to mate
// (positive when the side to move mates, negative when it is mated), from
// the view of the side to move.
struct Score {
    bool mate = false;
    int value = 0;
};

// The last usable info line of a search: one that carries an exact score
// ("lowerbound"/"upperbound" ones are a search's passing guesses) of the
// best line (multipv 1, or none given).
struct Report {
    bool scored = false;
    int depth = 0;
    Score score;
};

// Reads one line from an engine; when it is an info line with an exact
// score of the best line, sets report from it and returns true.
bool ReadInfo(const std::string& line, Report& report);

// Reads "bestmove <move> [ponder <move>]": returns true when the line is a
// bestmove line, with its move word (unchecked), or "" when it has none.
bool ReadBestMove(const std::string& line, std::string& move);

// The score as PGN comments write it, in pawns or moves to mate, always
// signed: "+0.31", "-1.00", "+M5", "-M3".
std::string ScoreText(const Score& score);

// Centipawns for adjudication, from the side to move's view; a mate counts
// as kMateCentipawns less its distance.
constexpr int kMateCentipawns = 100000;
int Centipawns(const Score& score);

}  // namespace arena
