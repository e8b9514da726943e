#include "game.h"

#include <cstdint>

#include "check.h"

namespace {

// The visible top-level window with no owner, or with the given owner and
// the dialog class of message boxes, that belongs to the process.
struct WindowSearch {
    DWORD process;
    HWND owner;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const bool dialog = lstrcmpA(name, "#32770") == 0;
    const bool found = search->owner
                           ? dialog && GetWindow(window, GW_OWNER) == search->owner
                           : !dialog && process == search->process && !GetWindow(window, GW_OWNER);
    if (found && IsWindowVisible(window)) search->found = window;
    return search->found == nullptr;
}

HWND FindWindowOf(DWORD process, HWND owner) {
    WindowSearch search{process, owner, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Ask(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    DWORD_PTR answer = 0;
    const bool answered =
        SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &answer);
    result = static_cast<LRESULT>(answer);
    return answered;
}

}  // namespace

std::string StartGame(const std::string& exePath, Game& game) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = exePath;
    if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        return "cannot start " + exePath;
    CloseHandle(info.hThread);
    game.process = info.hProcess;
    game.id = info.dwProcessId;
    WaitUntil([&] { return (game.main = FindWindowOf(game.id, nullptr)) || !game.Running(); });
    return game.main ? "" : "the game showed no window";
}

DWORD CloseGame(Game& game) {
    DWORD code = STILL_ACTIVE;
    if (game.Running()) PostMessageW(game.main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(game.process, WAIT_MS) != WAIT_OBJECT_0) {
        TerminateProcess(game.process, 1);
        WaitForSingleObject(game.process, WAIT_MS);
    } else {
        GetExitCodeProcess(game.process, &code);
    }
    CloseHandle(game.process);
    game.process = nullptr;
    return code;
}

int ListCount(HWND list, unsigned timeoutMs) {
    DWORD_PTR count = 0;
    return SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, timeoutMs, &count)
               ? static_cast<int>(count)
               : -1;
}

// LB_GETTEXT answers across processes only through the wide functions.
bool ReadList(HWND list, std::vector<std::string>& entries, int* selected) {
    LRESULT count = 0, length = 0, index = 0;
    if (!Ask(list, LB_GETCOUNT, 0, 0, count) || !Ask(list, LB_GETCURSEL, 0, 0, index)) return false;
    if (selected) *selected = static_cast<int>(index);
    entries.clear();
    for (int i = 0; i < count; ++i) {
        if (!Ask(list, LB_GETTEXTLEN, i, 0, length) || length < 0) return false;
        std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
        if (!Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&wide[0]), length) || length < 0)
            return false;
        std::string text(static_cast<size_t>(length) * 2, '\0');
        text.resize(static_cast<size_t>(
            WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(length), &text[0],
                                static_cast<int>(text.size()), nullptr, nullptr)));
        entries.push_back(text);
    }
    return true;
}

HWND FindMessageBox(HWND owner) { return FindWindowOf(0, owner); }

std::string WindowTextAnsi(HWND window) {
    wchar_t wide[256] = {};
    const int length = GetWindowTextW(window, wide, 256);
    char text[512] = {};
    return std::string(text,
                       static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide, length, text,
                                                               sizeof text - 1, nullptr, nullptr)));
}

int DismissMessageBoxes(HWND owner) {
    int count = 0;
    for (HWND box = FindMessageBox(owner); box && count < 100; box = FindMessageBox(owner)) {
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        if (!WaitUntil([&] { return !IsWindowVisible(box); })) break;
        ++count;
    }
    return count;
}

bool CountGdiObjects(HANDLE process, int& count) {
    struct BasicInformation {
        void* exitStatus;
        char* peb;
        void* reserved[4];
    } basic{};
    using Query = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0) return false;
    // The PEB's GdiSharedHandleTable; 24-byte entries, the type byte at 14 is
    // zero for a free one. Wine keeps one table per process.
    const size_t tableField = sizeof(void*) == 8 ? 0xF8 : 0x94;
    const char* table = nullptr;
    if (!ReadProcessMemory(process, basic.peb + tableField, &table, sizeof table, nullptr) ||
        !table)
        return false;
    std::vector<uint8_t> entries(0x10000 * 24);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr)) return false;
    count = 0;
    for (size_t at = 14; at < entries.size(); at += 24) count += entries[at] != 0 ? 1 : 0;
    return true;
}
