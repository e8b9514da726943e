// A scenario is a table of steps, each an action of the user or a check of
// what the user sees, run in order on a fresh game by one interpreter.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "board_view.h"
#include "check.h"
#include "game.h"

enum Op {
    ExpectBoard,       // the board shows the FEN placement text, or "" the game the list records
    Drag,              // text "e2e4" (or "" for some legal move) is picked up, recorded and shown
    Refuse,            // text is picked up but refused: board and list stay as they were
    NoPickUp,          // the press on text's first square picks nothing up; nothing changes
    Interrupt,         // text is picked up and the window message n ends the drag: nothing changes
    ClickPlayer,       // the player button n: its dot turns green, the other of its row not
    ExpectList,        // the newest entry reads text and is selected
    ExpectMoves,       // the list reaches n entries (the computer's) and the board shows them
    ExpectMessageBox,  // a box owned by the main window, caption "Rezu", says text; OK closes it
    ExpectSteady,      // the list gains nothing for n milliseconds
    Screenshot,        // a screenshot named text
    WatchComputers,    // the computer plays itself up to n entries, repainting between moves
    Leaks,             // n drags and n repaints leave the GDI objects as they were
    Storm,             // n random clicks and drags; the game stays responsive and consistent
};

struct Step {
    Op op;
    const char* text = "";
    int n = 0;
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

struct Run {
    Game& game;
    const PieceArt& art;
    std::string artifacts;
    std::string name;
};

void RunStep(Run& run, const Step& step);

// The game that the list records; fails when the list is no game.
PositionRecord GamePosition(const Run& run);

// Drags move ("e2e4"); fails unless the press picked a piece up exactly when
// pickUp says so. interrupt, if any, runs before the release.
void DragSquares(const Run& run, const char* move, bool pickUp,
                 const std::function<void()>& interrupt = nullptr);

// Clicks a player button and waits until the game has taken the click in.
void ClickButton(const Run& run, int id);
bool ShowsGreenDot(const Run& run, int id);

// Saves the main window, with its message box if one is up, as
// <artifacts>/<scenario>-<state>.bmp.
void SaveScreenshot(const Run& run, const std::string& state);

// Waits until the game has taken in all the input sent so far.
void WaitForInputHandled(const Run& run);

// "" when the board shows the game that the list records, else what differs.
std::string GameDifference(const Run& run);
// Waits until difference() gives ""; fails with its last answer.
void RequireBoard(const Run& run, const std::function<std::string()>& difference,
                  int timeoutMs = COMPUTER_WAIT_MS);

void RunWatch(Run& run, int entries);
void RunLeaks(Run& run, int count);
void RunStorm(Run& run, int events);
