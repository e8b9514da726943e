// The entry point and the main window: the frame of the game, its three
// captions, and the turn handler that passes the turn between the sides.
#include <windows.h>

#include "engine/memory.h"
#include "resources/resource_ids.h"
#include "shell/game_state.h"
#include "shell/texts.h"
#include "shell/turn.h"
#include "shell/win32/app.h"
#include "shell/win32/board_window.h"
#include "shell/win32/drag.h"
#include "shell/win32/game_flow.h"
#include "shell/win32/move_record_list.h"
#include "shell/win32/player_panel.h"
#include "shell/win32/scoped_win.h"
#include "shell/win32/status_bar.h"
#include "shell/win32/window_class.h"

HINSTANCE AppInstance;
HWND MainWindowHandle;

namespace {

constexpr char MAIN_CLASS[] = "RezuMainWnd";

// The creation handler: the font, then the children in control-id order.
void OnCreate(HWND window) {
    MainWindowHandle = window;  // the children need their parent before CreateWindowExA returns
    SetUpPrivateContext(window, CreateProgramFont(-20, 400, GB2312_CHARSET, FONT_KAITI));
    CreateBoardWindow(window, AppInstance);
    CreatePlayerPanel(window, AppInstance);
    CreateMoveRecordList(window, AppInstance);
    CreateStatusBar(window, AppInstance);
}

// Draws the captions over the player buttons and the move record list.
void DrawSideLabels(HWND window) {
    const ScopedWindowDc dc(window);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, 380, 20, TEXT_BLACK_SIDE, 4);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 380, 75, TEXT_WHITE_SIDE, 4);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, 380, 145, TEXT_GAME_RECORD, 4);
}

// The turn handler: announces a lost king, or lets the computer move.
void OnNextTurn(HWND window) {
    switch (DecideTurn(CurrentPosition, PlayerKinds)) {
        case TurnAction::BLACK_WINS:
            MessageBoxA(window, TEXT_BLACK_WINS, CAPTION_GAME, MB_OK);
            break;
        case TurnAction::WHITE_WINS:
            MessageBoxA(window, TEXT_WHITE_WINS, CAPTION_GAME, MB_OK);
            break;
        case TurnAction::COMPUTER_MOVES: PlayComputerMove(window, CurrentPosition); break;
        case TurnAction::WAIT_FOR_HUMAN: break;
    }
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: OnCreate(window); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        case WM_PAINT: PaintWindow(window, DrawSideLabels); return 0;
        case WM_COMMAND: return 0;  // the move record list's notifications
        case WM_NEXT_TURN: OnNextTurn(window); return 0;
        case WM_TIMER: OnNextTurnTimer(window); return 0;
        case WM_ACTIVATE:
            // A drag does not outlive the window's focus.
            if (LOWORD(wParam) == WA_INACTIVE) CancelDrag(GetDlgItem(window, BOARD_ID));
            break;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    AppInstance = instance;
    SetOutOfMemoryReporter(ShowOutOfMemory);
    RegisterProgramClass(MAIN_CLASS, MainWndProc, AppInstance,
                         LoadIconA(AppInstance, MAKEINTRESOURCEA(IDI_QUILLMATE)));
    // WS_SYSMENU | WS_MINIMIZEBOX on an overlapped window: a fixed frame with
    // a title bar, a system menu and a minimize box.
    HWND window =
        CreateWindowExA(0, MAIN_CLASS, "Quillmate", WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                        CW_USEDEFAULT, 550, 450, nullptr, nullptr, AppInstance, nullptr);
    MainWindowHandle = window;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
