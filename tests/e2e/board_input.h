// The user's hand on the game: drags on the board, clicks on the player
// buttons, and a way to know that the game has taken in all of it.
#pragma once

#include "rules/position.h"
#include "scenario.h"

// Player buttons: Black's "玩家" and "电脑", White's "玩家" and "电脑".
constexpr int BLACK_HUMAN_BUTTON = 2;
constexpr int BLACK_COMPUTER_BUTTON = 3;
constexpr int WHITE_HUMAN_BUTTON = 4;
constexpr int WHITE_COMPUTER_BUTTON = 5;

// Drags the piece on from to to, as the user would: press on the square,
// move through a few points, release over the target. Fails unless the game
// picked the piece up (it confines the pointer) and ended the drag (it frees it).
void DragPiece(ScenarioContext& context, Square from, Square to);
void DragPiece(ScenarioContext& context, const char* from, const char* to);

// A press, a drag and a release that the game is free to ignore.
void DragWithoutPickUp(ScenarioContext& context, Square from, Square to);

// Clicks a player button and waits until the game has handled the click.
void ClickPlayerButton(ScenarioContext& context, int controlId);

// Whether a player button shows the green dot of the choice in force.
bool PlayerButtonChosen(ScenarioContext& context, int controlId);

// Waits until the game has handled all the input sent so far: it repaints
// a window after it has taken in the input queued before.
void WaitForInputHandled(ScenarioContext& context);
