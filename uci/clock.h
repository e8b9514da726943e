// Wall-clock timing of searches, for the time and speed figures of the output.
#pragma once

#include <chrono>
#include <cstdint>

using ClockTime = std::chrono::steady_clock::time_point;

inline ClockTime Now() { return std::chrono::steady_clock::now(); }

inline int64_t MicrosecondsSince(ClockTime start) {
    return std::chrono::duration_cast<std::chrono::microseconds>(Now() - start).count();
}

// Nodes per second; a search too short to measure counts as one microsecond.
inline int64_t NodesPerSecond(int64_t nodes, int64_t microseconds) {
    return static_cast<int64_t>(static_cast<double>(nodes) * 1e6 /
                                static_cast<double>(microseconds > 0 ? microseconds : 1));
}
