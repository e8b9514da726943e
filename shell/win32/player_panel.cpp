#include "shell/win32/player_panel.h"

#include "shell/game_state.h"
#include "shell/player_panel_table.h"
#include "shell/win32/app.h"
#include "shell/win32/scoped_win.h"
#include "shell/win32/window_class.h"

namespace {

constexpr char BUTTON_CLASS[] = "RadioButtonWnd";
constexpr int BUTTON_WIDTH = 60, BUTTON_HEIGHT = 25;
constexpr COLORREF CHOSEN_DOT = 0x00FF00, OTHER_DOT = 0xFFFFFF;

// The label, and a green dot when the button's choice is in force, else a white one.
void DrawPlayerButton(HWND button) {
    const PlayerButton* entry = FindPlayerButton(GetDlgCtrlID(button));
    if (!entry) return;
    const ScopedWindowDc dc(button);
    const char* label = PLAYER_LABELS[entry->controlId - FIRST_PLAYER_BUTTON_ID];
    const int length = lstrlenA(label);
    SIZE extent{};
    GetTextExtentPoint32A(dc, label, length, &extent);
    TextOutA(dc, 20, (BUTTON_HEIGHT - extent.cy) / 2 - 2, label, length);

    const COLORREF colour = IsChosen(*entry, PlayerKinds) ? CHOSEN_DOT : OTHER_DOT;
    const ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    const ScopedSelection penInDc(dc, pen);
    const ScopedSelection brushInDc(dc, brush);
    Ellipse(dc, 5, 5, 15, 15);
}

// A press sets the side's player, repaints the side's two buttons at once and
// passes the turn, so that a side given to the computer moves at once.
void SelectPlayerKind(HWND button) {
    const PlayerButton* entry = FindPlayerButton(GetDlgCtrlID(button));
    if (!entry) return;
    PlayerKinds[entry->sideIndex] = entry->kind;
    HWND parent = GetParent(button);
    const int firstOfSide = FirstButtonOfSide(*entry);
    for (int id = firstOfSide; id <= firstOfSide + 1; ++id) {
        HWND sibling = GetDlgItem(parent, id);
        RECT client;
        GetClientRect(sibling, &client);
        InvalidateRect(sibling, &client, TRUE);
        UpdateWindow(sibling);
    }
    SendMessageA(parent, WM_NEXT_TURN, 0, 0);
}

LRESULT CALLBACK RadioButtonWndProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetUpPrivateContext(button, CreateProgramFont(-12, 400, ANSI_CHARSET, FONT_SONGTI));
            return 0;
        case WM_PAINT: PaintWindow(button, DrawPlayerButton); return 0;
        case WM_LBUTTONDOWN: SelectPlayerKind(button); return 0;
        default: return DefWindowProcA(button, message, wParam, lParam);
    }
}

}  // namespace

void CreatePlayerPanel(HWND parent, HINSTANCE instance) {
    RegisterProgramClass(BUTTON_CLASS, RadioButtonWndProc, instance);
    for (const PlayerButton& entry : PLAYER_BUTTONS) {
        CreateWindowExA(0, BUTTON_CLASS, "", WS_CHILD | WS_VISIBLE | WS_DLGFRAME, entry.x, entry.y,
                        BUTTON_WIDTH, BUTTON_HEIGHT, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.controlId)), instance,
                        nullptr);
    }
}
