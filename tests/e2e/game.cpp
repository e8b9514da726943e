#include "driver.h"

namespace {

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
    const bool shown = WaitUntil([&] {
        DWORD process = 0;
        game.main = FindWindowA(nullptr, "Quillmate");
        GetWindowThreadProcessId(game.main, &process);
        return process == game.id && IsWindowVisible(game.main);
    });
    return shown ? "" : "the game showed no window";
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

HWND FindMessageBox(HWND owner) {
    for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr;)
        if (GetWindow(box, GW_OWNER) == owner && IsWindowVisible(box)) return box;
    return nullptr;
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
