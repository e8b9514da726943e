#include "board_input.h"

#include "board_geometry.h"
#include "message_boxes.h"
#include "mouse.h"
#include "poll.h"
#include "screen.h"

namespace {

constexpr int DRAG_STEPS = 4;
constexpr int STATUS_BAR_ID = 7;
constexpr COLORREF MARKER = 0x00563412;  // a colour the game never draws
constexpr COLORREF CHOSEN_DOT = 0x00FF00;

void RequirePointerAt(POINT point, const std::string& what) {
    if (MovePointer(point)) return;
    ReleaseLeftIfPressed();
    Require(false, "the pointer did not reach " + what);
}

}  // namespace

void DragPiece(ScenarioContext& context, Square from, Square to) {
    const std::string move = SquareName(from) + "-" + SquareName(to);
    HWND main = context.game.Window(), board = context.game.Child(BOARD_ID);
    Require(!FindMessageBox(main), "a message box is up before the drag " + move);
    Require(PointerIsFree(), "the pointer is confined before the drag " + move);
    const POINT start = SquareCentreOnScreen(board, from), end = SquareCentreOnScreen(board, to);
    Require(PlacePointer(start, main), "the pointer did not stay on " + SquareName(from));
    PressLeft();
    if (!WaitUntil([] { return !PointerIsFree(); })) {
        POINT at{};
        GetCursorPos(&at);
        ReleaseLeft();
        Require(false, "the game did not pick up the piece on " + SquareName(from) +
                           " (pressed at " + std::to_string(at.x) + ", " + std::to_string(at.y) +
                           " on the screen)");
    }
    LetGameCatchUp(main);  // what the pointer grab brought about
    for (int k = 1; k <= DRAG_STEPS; ++k) {
        const POINT step{start.x + (end.x - start.x) * k / DRAG_STEPS,
                         start.y + (end.y - start.y) * k / DRAG_STEPS};
        RequirePointerAt(step, "its way to " + SquareName(to));
    }
    ReleaseLeft();
    Require(WaitUntil(PointerIsFree), "the pointer stayed confined after the drop " + move);
}

void DragPiece(ScenarioContext& context, const char* from, const char* to) {
    DragPiece(context, SquareNamed(from), SquareNamed(to));
}

void DragWithoutPickUp(ScenarioContext& context, Square from, Square to) {
    HWND board = context.game.Child(BOARD_ID);
    Require(DragBetween(SquareCentreOnScreen(board, from), SquareCentreOnScreen(board, to),
                        DRAG_STEPS, context.game.Window()),
            "the pointer did not follow the drag " + SquareName(from) + "-" + SquareName(to));
    WaitForInputHandled(context);
}

void ClickPlayerButton(ScenarioContext& context, int controlId) {
    HWND button = context.game.Child(controlId);
    RECT client{};
    GetClientRect(button, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(button, &centre);
    Require(ClickAt(centre, context.game.Window()),
            "the pointer did not reach button " + std::to_string(controlId));
    WaitForInputHandled(context);
}

bool PlayerButtonChosen(ScenarioContext& context, int controlId) {
    return ClientPixel(context.game.Child(controlId), 10, 10) == CHOSEN_DOT;
}

void WaitForInputHandled(ScenarioContext& context) {
    // Input comes out of the queue before painting does, so once the game
    // has repainted the mark away it has taken in every click sent before.
    HWND status = context.game.Child(STATUS_BAR_ID);
    const RECT patch{4, 4, 8, 8};
    Require(PaintOver(status, patch, MARKER), "cannot draw over the status bar");
    RedrawWindow(status, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    Require(WaitUntil([&] { return ClientPixel(status, patch.left, patch.top) != MARKER; }),
            "the game did not repaint its status bar: it is not taking input");
}
