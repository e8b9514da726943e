// The board as the user sees it: where the squares are, what each square
// must look like (composed from the game's own piece art the way the board
// composes it), and which game the move list records.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "rules/position.h"
#include "screen.h"

// Squares are indexes 0 (a1) to 63 (h8), as in a position record's board.
int SquareNamed(const char* name);  // "e2" or "E2" -> 12; anything else -> 0
std::string SquareName(int index);
POINT SquareOnScreen(HWND board, int index);  // the square's middle

// The 64 square bytes, a1 first, of a FEN piece placement ("rnbqkbnr/...").
std::string Placement(const char* fen);
inline std::string Placement(const PositionRecord& position) {
    return std::string(position.board, 64);
}

class PieceArt {
   public:
    // Reads the piece bitmaps from the game's executable; "" or what is wrong.
    std::string Load(const std::string& exePath);
    // Which squares of a capture of the board window differ from the
    // placement, described; "" when none does.
    std::string Differences(const Image& board, const std::string& placement) const;

   private:
    std::map<std::pair<char, bool>, Image> squares_;  // (piece or '0', dark) -> 40 x 40 pixels
};

// Replays the list's entries from the initial position: each must be the
// entry of a move that the rules accept. "" or the first entry that is not.
std::string Replay(const std::vector<std::string>& entries, PositionRecord& position);

// One of the moves that the rules accept for the side to move and that take
// no king, picked by choice; false if there is none.
bool AnyMove(const PositionRecord& position, int& from, int& to, unsigned choice = 0);
