#include "message_boxes.h"

#include "poll.h"

namespace {

constexpr int MESSAGE_STATIC_ID = 0xFFFF;
constexpr int OK_BUTTON_ID = 1;

struct BoxSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<BoxSearch*>(data);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0 && GetWindow(window, GW_OWNER) == search->owner &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindMessageBox(HWND owner) {
    BoxSearch search{owner, nullptr};
    EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowTextAnsi(HWND window) {
    wchar_t wide[256] = {};
    const int length = GetWindowTextW(window, wide, 256);
    char text[512] = {};
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text - 1, nullptr, nullptr);
    return std::string(text, bytes > 0 ? static_cast<size_t>(bytes) : 0);
}

std::string MessageBoxText(HWND box) { return WindowTextAnsi(GetDlgItem(box, MESSAGE_STATIC_ID)); }

bool DismissMessageBox(HWND box) {
    HWND ok = GetDlgItem(box, OK_BUTTON_ID);
    if (ok) {
        PostMessageW(ok, BM_CLICK, 0, 0);
    } else {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

int DismissMessageBoxes(HWND owner) {
    int count = 0;
    for (HWND box = FindMessageBox(owner); box && count < 100; box = FindMessageBox(owner)) {
        if (!DismissMessageBox(box)) break;
        ++count;
    }
    return count;
}

HWND WaitForMessageBox(HWND owner, int timeoutMs) {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindMessageBox(owner)) != nullptr; }, timeoutMs);
    return box;
}
