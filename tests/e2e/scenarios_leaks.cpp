// Leaks: the GDI objects and private memory of the game, counted before and
// after 200 drags and 200 forced repaints of the board and of the whole window.
#include <fstream>

#include "board_check.h"
#include "board_geometry.h"
#include "board_input.h"
#include "poll.h"
#include "process_resources.h"
#include "scenario.h"
#include "scenario_steps.h"
#include "screen.h"

namespace {

constexpr int GDI_SLACK = 10;
constexpr SIZE_T MEMORY_SLACK = 2 * 1024 * 1024;
constexpr int DRAG_CYCLES = 40;  // five drags each
constexpr int REPAINTS = 200;
constexpr COLORREF SMEAR = 0x00FF00FF;

struct Usage {
    int gdiObjects = 0;
    SIZE_T privateBytes = 0;
};

Usage MeasureUsage(ScenarioContext& context) {
    WaitForInputHandled(context);
    Usage usage;
    std::string error;
    Require(CountGdiObjects(context.game.Handle(), context.game.Id(), usage.gdiObjects, error),
            "cannot count the game's GDI objects: " + error);
    Require(PrivateMemory(context.game.Handle(), usage.privateBytes),
            "cannot read the game's memory use");
    return usage;
}

// Four knight moves that bring the board back, and a refused pawn drop.
void DragCycle(ScenarioContext& context) {
    DragPiece(context, "g1", "f3");
    DragPiece(context, "g8", "f6");
    DragPiece(context, "f3", "g1");
    DragPiece(context, "f6", "g8");
    DragPiece(context, "e2", "e5");
}

// Smears a square from outside, has the board (or the whole window, every
// other time) repaint itself at once and waits for the square to come back.
void ForcedRepaint(ScenarioContext& context, Square square, bool wholeWindow) {
    HWND board = context.game.Child(BOARD_ID);
    const RECT rect = SquareRect(square);
    Require(PaintOver(board, RECT{rect.left, rect.top, rect.left + 8, rect.top + 8}, SMEAR),
            "cannot draw over the board");
    const UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE;
    if (wholeWindow) {
        RedrawWindow(context.game.Window(), nullptr, nullptr, flags | RDW_ALLCHILDREN);
    } else {
        RedrawWindow(board, nullptr, nullptr, flags);
    }
    Require(
        WaitUntil([&] { return ClientPixel(board, rect.left, rect.top) == SquareColour(square); }),
        "the board did not repaint " + SquareName(square));
}

void RecordUsage(const ScenarioContext& context, const Usage& before, const Usage& after) {
    std::ofstream out(context.artifactDir + "/" + context.name + ".txt");
    out << "GDI objects: " << before.gdiObjects << " before, " << after.gdiObjects << " after\n"
        << "private bytes: " << before.privateBytes << " before, " << after.privateBytes
        << " after\n";
}

void Leaks(ScenarioContext& context) {
    RequireBoardShows(context, InitialPosition(), "at the start");
    // The first drag and paint make what lives as long as the game.
    DragCycle(context);
    ForcedRepaint(context, SquareNamed("a1"), true);
    const Usage before = MeasureUsage(context);
    for (int cycle = 0; cycle < DRAG_CYCLES; ++cycle) DragCycle(context);
    for (int k = 0; k < REPAINTS; ++k)
        ForcedRepaint(context, Square{k % 8 + 1, k / 8 % 8 + 1}, k % 2 == 1);
    RequireBoardShows(context, InitialPosition(), "after the drags and repaints");
    RequireListCount(context, 4 * (DRAG_CYCLES + 1), 0);
    const Usage after = MeasureUsage(context);
    RecordUsage(context, before, after);
    context.SaveScreenshot("after");
    Require(after.gdiObjects <= before.gdiObjects + GDI_SLACK,
            "GDI objects grew from " + std::to_string(before.gdiObjects) + " to " +
                std::to_string(after.gdiObjects));
    Require(after.privateBytes < before.privateBytes + MEMORY_SLACK,
            "private memory grew from " + std::to_string(before.privateBytes) + " to " +
                std::to_string(after.privateBytes) + " bytes");
}

}  // namespace

void AddLeakScenarios(std::vector<Scenario>& scenarios) { scenarios.push_back({"leaks", Leaks}); }
