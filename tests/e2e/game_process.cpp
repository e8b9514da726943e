#include "game_process.h"

#include <vector>

#include "poll.h"

namespace {

constexpr char MAIN_CLASS[] = "RezuMainWnd";

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && lstrcmpA(className, MAIN_CLASS) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

GameProcess::~GameProcess() {
    if (!process_) return;
    if (IsRunning()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, DEFAULT_WAIT_MS);
    }
    CloseHandle(process_);
}

HWND GameProcess::FindMainWindow() const {
    // FindWindowA names any window of the class; a game of an earlier
    // scenario must not be taken for this one.
    HWND window = FindWindowA(MAIN_CLASS, nullptr);
    DWORD owner = 0;
    if (window) GetWindowThreadProcessId(window, &owner);
    if (window && owner == processId_) return window;
    WindowSearch search{processId_, nullptr};
    EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool GameProcess::Start(const std::string& exePath, std::string& error) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::vector<char> commandLine(exePath.begin(), exePath.end());
    commandLine.push_back('\0');
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        error = "cannot start " + exePath + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    const bool found = WaitUntil([&] {
        window_ = FindMainWindow();
        return (window_ != nullptr && IsWindowVisible(window_)) || !IsRunning();
    });
    if (!found || !window_) {
        error = IsRunning() ? "no visible RezuMainWnd window appeared"
                            : "the game ended before showing its window";
        return false;
    }
    return true;
}

bool GameProcess::IsRunning() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool GameProcess::Answers(unsigned timeoutMs) const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

bool GameProcess::Close(DWORD& exitCode) {
    if (!process_) return false;
    if (IsRunning()) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_, DEFAULT_WAIT_MS) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, DEFAULT_WAIT_MS);
        exitCode = STILL_ACTIVE;
        return false;
    }
    return GetExitCodeProcess(process_, &exitCode) != 0;
}
