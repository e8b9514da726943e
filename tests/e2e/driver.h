// The driver's hands and eyes on the game under Wine: waiting, pixels, the
// mouse, the game's process, list and message boxes, and the board as the
// user sees it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "rules/position.h"

// --- checks and waits (screen.cpp): a failed check stops the scenario with
// its reason; every wait polls for a state until a deadline ---
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};
inline void Require(bool ok, const std::string& reason) {
    if (!ok) throw Failure(reason);
}
constexpr int WAIT_MS = 10000;           // generous; reached only when something is wrong
constexpr int COMPUTER_WAIT_MS = 90000;  // a depth-5 search on a slow, busy machine
// Calls ready until it returns true or timeoutMs have passed; the last result.
bool WaitUntil(const std::function<bool()>& ready, int timeoutMs = WAIT_MS);

// --- pixels (screen.cpp) ---
struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row from the top
    Image Crop(const RECT& area) const;
    bool operator==(const Image& other) const {
        return width == other.width && pixels == other.pixels;
    }
};
// What draw paints on a fresh 32-bit surface of width x height pixels.
Image Draw(int width, int height, const std::function<void(HDC)>& draw);
Image CaptureScreen(const RECT& area);
// A rectangle in the window's client coordinates; the whole client area by default.
Image CaptureClient(HWND window, RECT area = RECT{});
// Paints over a window from outside, through the screen, until the screen
// shows it (a repaint on its way may wipe it out first).
bool PaintOver(HWND window, RECT area, uint32_t rgb);
int CountPixels(const Image& image, uint32_t rgb);
bool SaveBmp(const Image& image, const std::string& path);

// --- the mouse: SendInput, each move confirmed (mouse.cpp) ---
// Under Wine a program's pointer confinement is by default an X pointer
// grab, during which injected moves do not reach the X pointer; when the
// grab ends the program reports the stale X position as a move of its own.
// This makes Wine confine the pointer without a grab, for programs started later.
void KeepPointerUngrabbed();
// Waits until the game's thread has handled what was sent to it and then
// waited for input once; it may be searching for a move meanwhile.
void LetGameCatchUp(HWND game);
void ReleaseLeftIfPressed();  // clean-up after a failed check
// Whether the pointer may go anywhere; the game confines it while dragging.
bool PointerIsFree();
// Press at from, moves to to through steps points, interrupt (if any), release.
// Returns whether the press picked a piece up, which the game shows by
// confining the pointer within pickUpWaitMs; a press that picks nothing up
// costs that time.
constexpr int PICK_UP_MS = 1500;
bool DragPointer(HWND game, POINT from, POINT to, int steps,
                 const std::function<void()>& interrupt = nullptr, int pickUpWaitMs = PICK_UP_MS);
void ClickAt(HWND game, POINT at);

// --- the game's process and windows (game.cpp) ---
// The main window's children by control id: the board, the player buttons
// (玩家 and 电脑 of each side), the move list and the status bar.
enum Control { BOARD = 1, BLACK_HUMAN, BLACK_COMPUTER, WHITE_HUMAN, WHITE_COMPUTER, LIST, STATUS };
struct Game {
    HANDLE process = nullptr;
    DWORD id = 0;
    HWND main = nullptr;
    HWND Child(int control) const { return GetDlgItem(main, control); }
    bool Running() const { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }
};
// Starts the game and waits for its window; "" or what went wrong.
std::string StartGame(const std::string& exePath, Game& game);
// Closes the window as its close box does; the exit code, or STILL_ACTIVE
// when the game did not end and was killed.
DWORD CloseGame(Game& game);
// The list's length, or -1 when it does not answer in time.
int ListCount(HWND list, unsigned timeoutMs = 2000);
// The list's entries (ANSI code page) and selection; false when it does not answer.
bool ReadList(HWND list, std::vector<std::string>& entries, int* selected = nullptr);
HWND FindMessageBox(HWND owner);      // the visible box that owner owns, or nullptr
int DismissMessageBoxes(HWND owner);  // presses OK on each; how many there were
// The live objects in the process's GDI handle table, which its PEB points
// to; GetGuiResources says nothing under Wine.
bool CountGdiObjects(HANDLE process, int& count);

// --- the board as the user sees it (board_view.cpp); squares are indexes
// 0 (a1) to 63 (h8), as in a position record ---
int SquareNamed(const char* name);  // "e2" or "E2" -> 12; anything else -> 0
std::string SquareName(int index);
POINT SquareOnScreen(HWND board, int index);  // the middle of the square
// The 64 square bytes, a1 first, of a FEN piece placement ("rnbqkbnr/...").
std::string Placement(const char* fen);
class PieceArt {
   public:
    // Composes every piece on both square colours from the game's own
    // bitmaps, the way the board does; "" or what is wrong.
    std::string Load(const std::string& exePath);
    // The squares of a board capture that differ from the placement; "" if none.
    std::string Differences(const Image& board, const std::string& placement) const;

   private:
    std::map<std::pair<char, bool>, Image> squares_;  // (piece or '0', dark) -> pixels
};
// Replays the entries from the initial position: each must be the entry of
// a move that the rules accept. "" or the first entry that is not.
std::string Replay(const std::vector<std::string>& entries, PositionRecord& position);
// The choice-th (modulo their number) of the moves that the rules accept for
// the side to move and that take no king; false if there is none.
bool AnyMove(const PositionRecord& position, int& from, int& to, unsigned choice = 0);
