// The game's artwork, read from its executable: the pieces, composed through
// their masks onto a square the way the board composes them, and the icon,
// so that what the screen shows can be compared pixel for pixel with them.
#pragma once

#include <windows.h>

#include <string>

#include "rules/position.h"
#include "screen.h"

class GameArt {
   public:
    GameArt() = default;
    GameArt(const GameArt&) = delete;
    GameArt& operator=(const GameArt&) = delete;
    ~GameArt();

    // Opens the game's executable for its resources; error says why not.
    bool Load(const std::string& exePath, std::string& error);

    // The height of a piece's image; pieces are 25 pixels wide.
    int ImageHeight(char piece) const;

    // The 40 x 40 pixels of a square holding piece ('0' for none) at rest:
    // centred across the square, its bottom 5 pixels above the square's.
    Image RenderSquare(Square square, char piece) const;

    // The program's icon drawn at size x size pixels over background.
    Image RenderIcon(int size, COLORREF background) const;

   private:
    HMODULE module_ = nullptr;
};

constexpr int PIECE_WIDTH = 25;

// Where a piece of the given height rests in a square, in the square's own pixels.
RECT RestingArea(int imageHeight);
