// The board and the human's drags: the initial position as drawn, a move by
// drag for each side, drops the game must refuse, and a drag the system
// interrupts.
#include "board_check.h"
#include "board_geometry.h"
#include "board_input.h"
#include "mouse.h"
#include "move_list.h"
#include "poll.h"
#include "scenario.h"
#include "scenario_steps.h"

namespace {

// Square colours and pieces, from the pixels alone: a corner of every
// square in its colour, nothing but that colour on an empty square, and on
// an occupied one a picture that keeps to the piece's resting place.
void CheckSquaresByPixels(const ScenarioContext& context, const Image& board,
                          const PositionRecord& position) {
    ForEachSquare([&](Square square) {
        const RECT rect = SquareRect(square);
        const COLORREF colour = SquareColour(square);
        const std::string name = SquareName(square);
        Require(board.At(rect.left + 2, rect.top + 2) == colour,
                name + " is not " + ColourName(colour) + " at its corner");
        const char piece = PieceAt(position, square.file, square.rank);
        const Image pixels = board.Crop(rect);
        const auto notSquare = [&](COLORREF p) { return p != colour; };
        if (piece == EMPTY_SQUARE) {
            Require(CountPixels(pixels, notSquare) == 0, name + " should be empty");
            return;
        }
        const RECT rest = RestingArea(context.art.ImageHeight(piece));
        const int inside = CountPixels(pixels.Crop(rest), notSquare);
        Require(inside > 0, name + " shows no piece");
        Require(inside == CountPixels(pixels, notSquare),
                name + "'s piece is drawn outside its resting place");
    });
}

// The margin: the button-face colour, with the file letters below the board
// and the rank digits left of it.
void CheckMargin(const Image& board) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const auto notFace = [&](COLORREF p) { return p != face; };
    Require(CountPixels(board.Crop(RECT{0, 0, BOARD_SIZE, 20}), notFace) == 0,
            "the margin above the board is not " + ColourName(face));
    Require(CountPixels(board.Crop(RECT{340, 0, BOARD_SIZE, BOARD_SIZE}), notFace) == 0,
            "the margin right of the board is not " + ColourName(face));
    for (int k = 1; k <= 8; ++k) {
        const Image letter = board.Crop(RECT{40 * k - 8, 342, 40 * k + 6, 358});
        const Image digit = board.Crop(RECT{2, 352 - 40 * k, 16, 368 - 40 * k});
        Require(CountPixels(letter, notFace) > 0, "no label under file " + std::to_string(k));
        Require(CountPixels(digit, notFace) > 0, "no label beside rank " + std::to_string(k));
    }
}

void InitialBoard(ScenarioContext& context) {
    const PositionRecord start = InitialPosition();
    RequireBoardShows(context, start, "the initial position");
    const Image board = CaptureBoard(context);
    CheckSquaresByPixels(context, board, start);
    CheckMargin(board);
    context.SaveScreenshot("initial");
}

void HumanDrag(ScenarioContext& context) {
    PositionRecord position = InitialPosition();
    RequireBoardShows(context, position, "at the start");
    const Image pawnOnE2 = CaptureBoard(context).Crop(SquareRect(SquareNamed("e2")));
    PlayMove(context, position, "e2", "e4");
    context.SaveScreenshot("e2-e4");
    HWND list = context.game.Child(MOVE_LIST_ID);
    std::vector<std::string> entries = ReadMoveList(context);
    Require(
        entries.size() == 1 && entries[0] == "1. E2 - E4",
        "the first entry is \"" + (entries.empty() ? "" : entries[0]) + "\", not \"1. E2 - E4\"");
    int selected = -2;
    Require(ListSelection(list, selected) && selected == 0, "the new entry is not selected");
    // e2 and e4 are both light: the pawn must look the same on its new square.
    const Image board = CaptureBoard(context);
    Require(board.Crop(SquareRect(SquareNamed("e4"))) == pawnOnE2,
            "the pawn on e4 does not look as it did on e2");
    Require(SquareIsEmpty(board, SquareNamed("e2")), "e2 is not empty");

    PlayMove(context, position, "e7", "e5");
    entries = ReadMoveList(context);
    Require(entries.size() == 2 && entries[1] == "             E7 - E5",
            "Black's reply is recorded as \"" + entries.back() + "\"");
    Require(ListSelection(list, selected) && selected == 1, "Black's entry is not selected");
}

// Presses that pick nothing up and drops that make no move leave the board
// exactly as it was and add nothing to the list.
void RequireUnchanged(ScenarioContext& context, const Image& before, const std::string& when) {
    WaitUntil([&] { return CaptureBoard(context) == before; });
    if (CaptureBoard(context) != before) context.SaveScreenshot("changed");
    Require(CaptureBoard(context) == before, when + ": the board's pixels changed");
    Require(PointerIsFree(), when + ": the pointer is still confined");
    RequireListCount(context, 0, 0);
}

void IllegalDrop(ScenarioContext& context) {
    RequireBoardShows(context, InitialPosition(), "at the start");
    const Image before = CaptureBoard(context);
    DragPiece(context, "e2", "e5");
    RequireUnchanged(context, before, "after the refused drop e2-e5");
    context.SaveScreenshot("after-e2-e5");
    DragPiece(context, "d1", "d2");
    RequireUnchanged(context, before, "after dropping the queen on its own pawn");
    DragPiece(context, "g1", "g1");
    RequireUnchanged(context, before, "after dropping the knight where it stood");
    DragWithoutPickUp(context, SquareNamed("e7"), SquareNamed("e5"));
    RequireUnchanged(context, before, "after dragging a black pawn on White's turn");
    DragWithoutPickUp(context, SquareNamed("e4"), SquareNamed("e5"));
    RequireUnchanged(context, before, "after dragging from an empty square");
    PositionRecord position = InitialPosition();
    PlayMove(context, position, "e2", "e4");
}

// The system ends a drag (WM_CANCELMODE): the piece goes back, the pointer
// is freed and the release that follows does nothing.
void InterruptedDrag(ScenarioContext& context) {
    RequireBoardShows(context, InitialPosition(), "at the start");
    const Image before = CaptureBoard(context);
    HWND board = context.game.Child(BOARD_ID);
    Require(PlacePointer(SquareCentreOnScreen(board, SquareNamed("g1")), context.game.Window()),
            "cannot reach g1");
    PressLeft();
    const bool pickedUp = WaitUntil([] { return !PointerIsFree(); });
    if (!pickedUp) ReleaseLeft();
    Require(pickedUp, "the knight on g1 was not picked up");
    LetGameCatchUp(context.game.Window());
    Require(MovePointer(SquareCentreOnScreen(board, SquareNamed("f3"))), "cannot drag to f3");
    DWORD_PTR result = 0;
    SendMessageTimeoutW(board, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    const bool freed = WaitUntil(PointerIsFree);
    ReleaseLeft();
    Require(freed, "the pointer stayed confined after the drag was cancelled");
    WaitForInputHandled(context);
    RequireUnchanged(context, before, "after the cancelled drag");
    PositionRecord position = InitialPosition();
    PlayMove(context, position, "g1", "f3");
}

}  // namespace

void AddBoardScenarios(std::vector<Scenario>& scenarios) {
    scenarios.push_back({"initial_board", InitialBoard});
    scenarios.push_back({"human_drag", HumanDrag});
    scenarios.push_back({"illegal_drop", IllegalDrop});
    scenarios.push_back({"interrupted_drag", InterruptedDrag});
}
