#include "mouse.h"

#include "poll.h"

namespace {

constexpr int POINTER_WAIT_MS = 5000;
constexpr unsigned RESEND_AFTER_MS = 50;
constexpr int PLACING_ATTEMPTS = 20;
constexpr UINT CATCH_UP_TIMEOUT_MS = 30000;  // the game may be searching for a move

bool leftPressed = false;

// SendInput's absolute coordinates run from 0 to 65535 over the primary
// screen; the system maps them back with (value * width) / 65536, so rounding
// up gives back exactly the pixel asked for.
LONG Normalise(LONG pixel, int extent) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void SendMove(POINT target) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
              Normalise(target.x, GetSystemMetrics(SM_CXSCREEN)),
              Normalise(target.y, GetSystemMetrics(SM_CYSCREEN)));
}

POINT Clamped(POINT point) {
    RECT clip{};
    if (!GetClipCursor(&clip)) return point;
    if (point.x < clip.left) point.x = clip.left;
    if (point.x > clip.right - 1) point.x = clip.right - 1;
    if (point.y < clip.top) point.y = clip.top;
    if (point.y > clip.bottom - 1) point.y = clip.bottom - 1;
    return point;
}

bool PointerAt(POINT target) {
    POINT now{}, expected = Clamped(target);
    return GetCursorPos(&now) && now.x == expected.x && now.y == expected.y;
}

}  // namespace

bool MovePointer(POINT target) {
    SendMove(target);
    unsigned long long sent = NowMs();
    return WaitUntil(
        [&] {
            if (PointerAt(target)) return true;
            if (NowMs() - sent >= RESEND_AFTER_MS) {
                SendMove(target);
                sent = NowMs();
            }
            return false;
        },
        POINTER_WAIT_MS);
}

void LetGameCatchUp(HWND game) {
    // The thread handles sent messages before it waits, and handles its X
    // events when it waits: two round trips have a wait between them.
    for (int k = 0; k < 2; ++k) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(game, WM_NULL, 0, 0, SMTO_NORMAL, CATCH_UP_TIMEOUT_MS, &result);
    }
}

bool PlacePointer(POINT target, HWND game) {
    for (int attempt = 0; attempt < PLACING_ATTEMPTS; ++attempt) {
        if (!MovePointer(target)) return false;
        LetGameCatchUp(game);
        if (PointerAt(target)) return true;
    }
    return false;
}

void PressLeft() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    leftPressed = true;
}

void ReleaseLeft() {
    SendMouse(MOUSEEVENTF_LEFTUP);
    leftPressed = false;
}

void ReleaseLeftIfPressed() {
    if (leftPressed) ReleaseLeft();
}

bool ClickAt(POINT target, HWND game) {
    if (!PlacePointer(target, game)) return false;
    PressLeft();
    ReleaseLeft();
    return true;
}

bool DragBetween(POINT from, POINT to, int steps, HWND game) {
    if (!PlacePointer(from, game)) return false;
    PressLeft();
    bool confirmed = true;
    for (int k = 1; k <= steps; ++k) {
        const POINT step{from.x + (to.x - from.x) * k / steps,
                         from.y + (to.y - from.y) * k / steps};
        confirmed = MovePointer(step) && confirmed;
    }
    ReleaseLeft();
    return confirmed;
}

bool PointerIsFree() {
    RECT clip{};
    if (!GetClipCursor(&clip)) return false;
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return clip.left <= left && clip.top <= top &&
           clip.right >= left + GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
           clip.bottom >= top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
}
