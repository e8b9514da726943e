#include "check.h"

#include <windows.h>

bool WaitUntil(const std::function<bool()>& ready, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (GetTickCount64() < deadline) {
        if (ready()) return true;
        Sleep(1);
    }
    return ready();
}
