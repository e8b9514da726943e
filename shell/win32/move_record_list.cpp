#include "shell/win32/move_record_list.h"

#include "shell/game_state.h"
#include "shell/move_record.h"
#include "shell/win32/app.h"
#include "shell/win32/window_class.h"

void CreateMoveRecordList(HWND parent, HINSTANCE instance) {
    // WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT
    const DWORD style = 0x50A00003;
    HWND list = CreateWindowExA(0, "listbox", "", style, 380, 170, 130, 200, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(MOVE_LIST_ID)),
                                instance, nullptr);
    HFONT font = CreateProgramFont(-14, 500, ANSI_CHARSET, "Aerial");
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void AppendMoveRecord(HWND list, Square from, Square to) {
    char text[MOVE_RECORD_SIZE];
    FormatMoveRecord(text, from, to, CurrentPosition.sideToMove, CurrentPosition.moveNumber);
    // Inserting at the end does not sort, so the entries keep the order of play.
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
}
