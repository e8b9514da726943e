#include "shell/win32/game_flow.h"

#include "board/board_layout.h"
#include "board/pickup.h"
#include "engine/search.h"
#include "rules/make_move.h"
#include "shell/game_state.h"
#include "shell/texts.h"
#include "shell/win32/app.h"
#include "shell/win32/move_record_list.h"

namespace {

constexpr UINT_PTR NEXT_TURN_TIMER = 1;

void RepaintSquare(HWND board, int index) {
    Point corner{index % 8 + 1, index / 8 + 1};
    SquareToPixel(corner);
    const RECT square{corner.x, corner.y, corner.x + SQUARE_SIZE, corner.y + SQUARE_SIZE};
    InvalidateRect(board, &square, TRUE);
    UpdateWindow(board);
}

}  // namespace

void ApplyMove(HWND mainWindow, Square from, Square to) {
    PositionRecord next;
    MakeMove(CurrentPosition, from.file, from.rank, to.file, to.rank, next);
    int changed[64];
    const int count = ChangedSquares(CurrentPosition, next, changed);
    HWND board = GetDlgItem(mainWindow, BOARD_ID);
    for (int k = 0; k < count; ++k) {
        CurrentPosition.board[changed[k]] = next.board[changed[k]];
        RepaintSquare(board, changed[k]);
    }
    CurrentPosition = next;
    AppendMoveRecord(GetDlgItem(mainWindow, MOVE_LIST_ID), from, to);
}

void PlayComputerMove(HWND mainWindow, PositionRecord position) {
    Square from{}, to{};
    if (!FindBestMove(position, COMPUTER_DEPTH, from, to)) {
        const char* text = position.sideToMove == 'w' ? TEXT_BLACK_WINS : TEXT_WHITE_WINS;
        MessageBoxA(mainWindow, text, CAPTION_GAME, MB_OK);
        return;
    }
    ApplyMove(mainWindow, from, to);
    // Sending the next turn would nest one move inside the other for as long
    // as the computer plays both sides, and freeze the window meanwhile. A
    // timer message comes after input and painting, so between two computer
    // moves the board repaints and a click on a player button gets through.
    SetTimer(mainWindow, NEXT_TURN_TIMER, USER_TIMER_MINIMUM, nullptr);
}

void OnNextTurnTimer(HWND mainWindow) {
    KillTimer(mainWindow, NEXT_TURN_TIMER);
    SendMessageA(mainWindow, WM_NEXT_TURN, 0, 0);
}

void ShowOutOfMemory() { MessageBoxA(MainWindowHandle, TEXT_OUT_OF_MEMORY, CAPTION_GAME, MB_OK); }
