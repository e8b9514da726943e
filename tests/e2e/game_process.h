// One run of the game: started fresh for each scenario, found by its main
// window, closed as the user would close it.
#pragma once

#include <windows.h>

#include <string>

class GameProcess {
   public:
    GameProcess() = default;
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;
    ~GameProcess();  // ends a game that is still running

    // Starts the program and waits for its main window; error says why not.
    bool Start(const std::string& exePath, std::string& error);

    HWND Window() const { return window_; }
    HWND Child(int controlId) const { return GetDlgItem(window_, controlId); }
    HANDLE Handle() const { return process_; }
    DWORD Id() const { return processId_; }

    bool IsRunning() const;

    // Whether the window's thread answers a message within timeoutMs, that
    // is whether it is waiting in its message loop rather than busy.
    bool Answers(unsigned timeoutMs) const;

    // Asks the window to close and waits for the process to end; exitCode is
    // its exit code. A process that does not end in time is ended by force
    // and the result is false. Returns at once when it has already ended.
    bool Close(DWORD& exitCode);

   private:
    HWND FindMainWindow() const;

    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};
