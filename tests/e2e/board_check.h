// The board on the screen against a position: every square compared pixel
// for pixel with the square as the game's own artwork draws it.
#pragma once

#include <string>

#include "rules/position.h"
#include "scenario.h"
#include "screen.h"

// The board window's 360 x 360 pixels.
Image CaptureBoard(const ScenarioContext& context);

// What is wrong with one square of a board capture; "" when it shows piece
// ('0' for none) exactly as drawn at rest.
std::string SquareDifference(const ScenarioContext& context, const Image& board, Square square,
                             char piece);

// The squares that differ from the position, described; "" when none does.
std::string BoardDifference(const ScenarioContext& context, const Image& board,
                            const PositionRecord& position);

// Waits until the board shows the position; otherwise saves a screenshot
// and fails, naming the squares that differ.
void RequireBoardShows(ScenarioContext& context, const PositionRecord& position,
                       const std::string& when);

// Whether the square on a board capture is the plain square colour throughout.
bool SquareIsEmpty(const Image& board, Square square);
