// How the driver checks and waits: a failed check stops the scenario with its
// reason, and every wait polls for a state until a deadline, so that a fault
// shows as a failed check rather than a hang or a guess about timing.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline void Require(bool ok, const std::string& reason) {
    if (!ok) throw Failure(reason);
}

// Generous for a slow machine; reached only when something is wrong.
constexpr int WAIT_MS = 10000;
// A depth-5 search, however slow and busy the machine.
constexpr int COMPUTER_WAIT_MS = 90000;

// Calls ready until it returns true or timeoutMs have passed; the last result.
bool WaitUntil(const std::function<bool()>& ready, int timeoutMs = WAIT_MS);
