#include "poll.h"

#include <windows.h>

namespace {

constexpr DWORD POLL_INTERVAL_MS = 1;

}  // namespace

unsigned long long NowMs() { return GetTickCount64(); }

bool WaitUntil(const std::function<bool()>& ready, int timeoutMs) {
    const unsigned long long deadline = NowMs() + static_cast<unsigned long long>(timeoutMs);
    while (NowMs() < deadline) {
        if (ready()) return true;
        Sleep(POLL_INTERVAL_MS);
    }
    return ready();
}
