// A scenario is a table of steps, each an action of the user or a check of
// what the user sees, run in order on a fresh game by one interpreter.
#pragma once

#include "driver.h"

enum Op {
    ExpectBoard,       // the board shows FEN placement text, or ("") the game the list records
    Drag,              // text "e2e4" (or "" some legal move) is picked up, recorded and shown
    Refuse,            // text is picked up but refused: board and list stay as they were
    NoPickUp,          // a press on text's first square picks nothing up; nothing changes
    Interrupt,         // text is picked up and window message n ends the drag; nothing changes
    ClickPlayer,       // player button n: it alone in its row shows the green dot
    ExpectList,        // the newest entry reads text and is selected
    ExpectMoves,       // the list reaches n entries (the computer's) and the board shows them
    ExpectMessageBox,  // a box owned by the main window, caption "Rezu", says text; OK closes it
    ExpectSteady,      // the list gains nothing for n milliseconds
    Screenshot,        // the window saved as <artifacts>/<scenario>-<text>.bmp
    WatchComputers,    // the computer plays itself to n entries, repainting between moves
    Leaks,             // n drags and n repaints leave the GDI objects as they were
    Storm,             // n random clicks and drags; the game stays responsive and consistent
};

struct Step {
    Op op;
    const char* text = "";
    int n = 0;
};

struct Run {
    Game& game;
    const PieceArt& art;
    std::string artifacts, name;
};

void RunStep(Run& run, const Step& step);

// For the long steps (stress.cpp).
void SaveScreenshot(const Run& run, const std::string& state);
void WaitForInputHandled(const Run& run);     // the game has taken in all input sent so far
PositionRecord GamePosition(const Run& run);  // the game the list records
// Drags move ("e2e4"), which must pick a piece up and, when recorded, be
// recorded in the list.
void DragSquares(const Run& run, const std::string& move, bool recorded);
void ClickButton(const Run& run, int id);
bool ShowsGreenDot(const Run& run, int id);
// Waits until the board shows the game that the list records.
void RequireGameShown(const Run& run);
void RunWatch(Run& run, int entries);
void RunLeaks(Run& run, int count);
void RunStorm(Run& run, int events);
