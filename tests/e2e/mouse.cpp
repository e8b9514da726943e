#include "driver.h"

#include <algorithm>
#include <string>

namespace {

constexpr int SETTLE_MS = 120;  // Wine reads the X pointer back after 100 ms without a move
bool leftPressed = false;

// SendInput's absolute coordinates run from 0 to 65535 over the screen; the
// system maps them back with (value * extent) / 65536, so rounding up gives
// back exactly the pixel asked for.
LONG Normalise(LONG pixel, int extent) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

void SendMouse(DWORD flags, POINT at = POINT{}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalise(at.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalise(at.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// The nearest point to target that the pointer's confinement allows. Moves
// aim there: Wine sends a move beyond the confinement on to the X pointer
// unclipped and later reads that position back, outside the confinement.
POINT Confined(POINT target) {
    RECT clip{};
    if (GetClipCursor(&clip)) {
        target.x = std::min(std::max(target.x, clip.left), clip.right - 1);
        target.y = std::min(std::max(target.y, clip.top), clip.bottom - 1);
    }
    return target;
}

bool PointerAt(POINT target) {
    const POINT aim = Confined(target);
    POINT now{};
    return GetCursorPos(&now) && now.x == aim.x && now.y == aim.y;
}

// Where the pointer is and what confines it, for a failure's message.
std::string PointerReport() {
    POINT now{};
    RECT clip{};
    GetCursorPos(&now);
    GetClipCursor(&clip);
    return " (it is at " + std::to_string(now.x) + ", " + std::to_string(now.y) + ", confined to " +
           std::to_string(clip.left) + ", " + std::to_string(clip.top) + " - " +
           std::to_string(clip.right) + ", " + std::to_string(clip.bottom) + ")";
}

// Moves the pointer and waits until the system reports it there (or at the
// nearest point that the confinement allows), sending the move again if need be.
bool MovePointer(POINT target) {
    return WaitUntil([&] {
        if (PointerAt(target)) return true;
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Confined(target));
        return WaitUntil([&] { return PointerAt(target); }, 50);
    });
}

void PressLeft() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    leftPressed = true;
}

void ReleaseLeft() {
    SendMouse(MOUSEEVENTF_LEFTUP);
    leftPressed = false;
}

// Puts the pointer at target and waits until all agree that it is there:
// the system, the X pointer (which Wine reads back once the position has not
// changed for 100 ms) and the game, which reports the X pointer's moves over
// its windows as pointer moves of its own, late when it is busy.
void SettlePointer(HWND game, POINT target) {
    int attempt = 0;
    const char* lastFault = "";
    const ULONGLONG start = GetTickCount64();
    const auto fault = [&](const char* why) {
        lastFault = why;
        return false;
    };
    const bool settled = WaitUntil([&] {
        // A move reaches X only when it changes the system's position, so
        // a new attempt first steps aside, to a point the confinement allows.
        if (attempt++ > 0) {
            const POINT aim = Confined(target), right = Confined(POINT{aim.x + 1, aim.y});
            MovePointer(right.x != aim.x ? right : POINT{aim.x - 1, aim.y});
        }
        if (!MovePointer(target)) return fault("it did not get there");
        const ULONGLONG moved = GetTickCount64();
        WaitUntil([&] { return GetTickCount64() - moved > SETTLE_MS || !PointerAt(target); });
        if (!PointerAt(target)) return fault("it moved away at once");
        LetGameCatchUp(game);
        return PointerAt(target) || fault("it moved away as the game caught up");
    });
    Require(settled, "the pointer did not stay at " + std::to_string(target.x) + ", " +
                         std::to_string(target.y) + " in " + std::to_string(attempt) +
                         " attempts over " + std::to_string(GetTickCount64() - start) +
                         " ms; last, " + lastFault + PointerReport());
}

}  // namespace

void KeepPointerUngrabbed() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "GrabPointer", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
}

void LetGameCatchUp(HWND game) {
    // The thread handles sent messages before its input and handles its X
    // events when it waits: two round trips have a wait between them.
    for (int k = 0; k < 2; ++k) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(game, WM_NULL, 0, 0, SMTO_NORMAL, COMPUTER_WAIT_MS, &result);
    }
}

void ReleaseLeftIfPressed() {
    if (leftPressed) ReleaseLeft();
}

bool PointerIsFree() {
    RECT clip{};
    return GetClipCursor(&clip) && clip.left <= 0 && clip.top <= 0 &&
           clip.right >= GetSystemMetrics(SM_CXSCREEN) &&
           clip.bottom >= GetSystemMetrics(SM_CYSCREEN);
}

bool DragPointer(HWND game, POINT from, POINT to, int steps, const std::function<void()>& interrupt,
                 int pickUpWaitMs) {
    Require(PointerIsFree(), "the pointer is confined before a press");
    SettlePointer(game, from);
    PressLeft();
    LetGameCatchUp(game);
    // The press reaches the game through Wine's input queue, which a busy
    // machine may deliver after the round trips above: a pick-up shows as
    // the pointer's confinement, so give it time to come.
    const bool pickedUp = WaitUntil([] { return !PointerIsFree(); }, pickUpWaitMs);
    for (int k = 1; k <= steps; ++k) {
        const POINT step{from.x + (to.x - from.x) * k / steps,
                         from.y + (to.y - from.y) * k / steps};
        if (!MovePointer(step)) ReleaseLeft();
        Require(leftPressed, "the pointer did not follow the drag");
    }
    if (to.x != from.x || to.y != from.y) SettlePointer(game, to);
    if (interrupt) interrupt();
    ReleaseLeft();
    Require(WaitUntil(PointerIsFree), "the pointer stayed confined after the release");
    return pickedUp;
}

void ClickAt(HWND game, POINT at) {
    SettlePointer(game, at);
    PressLeft();
    LetGameCatchUp(game);
    ReleaseLeft();
}
