// The running game seen from outside: its process and windows, the move
// list's entries, its message boxes and the GDI objects it holds.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The main window's children, found by their control ids.
enum Control {
    BOARD = 1,
    BLACK_HUMAN = 2,
    BLACK_COMPUTER = 3,
    WHITE_HUMAN = 4,
    WHITE_COMPUTER = 5,
    MOVE_LIST = 6,
    STATUS_BAR = 7,
};

struct Game {
    HANDLE process = nullptr;
    DWORD id = 0;
    HWND main = nullptr;

    HWND Child(int control) const { return GetDlgItem(main, control); }
    bool Running() const { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }
};

// Starts the program and waits for its main window; "" or what went wrong.
std::string StartGame(const std::string& exePath, Game& game);

// Asks the window to close, as its close box does, and waits for the
// process to end; its exit code, or STILL_ACTIVE when it had to be killed.
DWORD CloseGame(Game& game);

// The list's length, or -1 when the list does not answer in time.
int ListCount(HWND list, unsigned timeoutMs = 2000);

// The list's entries in the ANSI code page and its selection; false when
// the list does not answer (the game is busy).
bool ReadList(HWND list, std::vector<std::string>& entries, int* selected = nullptr);

// The visible message box owned by owner, or nullptr.
HWND FindMessageBox(HWND owner);
std::string WindowTextAnsi(HWND window);
// Presses OK on every box that owner shows; how many there were.
int DismissMessageBoxes(HWND owner);

// The live objects in the process's GDI handle table, which its PEB points
// to (GetGuiResources says nothing under Wine).
bool CountGdiObjects(HANDLE process, int& count);
