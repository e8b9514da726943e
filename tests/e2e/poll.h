// Waiting for the game: every wait polls for a state and gives up at a
// deadline, so that a fault shows as a failed check rather than a hang.
#pragma once

#include <functional>

// Generous enough for a slow machine; only ever reached when something is wrong.
constexpr int DEFAULT_WAIT_MS = 10000;

// Calls ready until it returns true or timeoutMs have passed; the result of
// the last call.
bool WaitUntil(const std::function<bool()>& ready, int timeoutMs = DEFAULT_WAIT_MS);

// Milliseconds since some fixed moment, for measuring how long a state held.
unsigned long long NowMs();
