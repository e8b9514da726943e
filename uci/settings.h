// The tool's options and limits, each with its one home: what a GUI may set
// and what the tool uses when it sets nothing.
#pragma once

#include <cstdint>

constexpr int DEFAULT_SEARCH_DEPTH = 5;  // go with no limit at all
constexpr int MAX_SEARCH_DEPTH = 64;
constexpr int MAX_PERFT_DEPTH = 8;

constexpr int MIN_THREADS = 1;  // MAX_THREADS is the engine's
constexpr int DEFAULT_THREADS = 1;

constexpr int DEFAULT_HASH_MEGABYTES = 16;
constexpr int MIN_HASH_MEGABYTES = 1;
constexpr int MAX_HASH_MEGABYTES = 4096;

// Time kept back from every move for the way to and from the GUI.
constexpr int64_t DEFAULT_MOVE_OVERHEAD_MS = 30;
constexpr int64_t MAX_MOVE_OVERHEAD_MS = 5000;

// Lines a search reports (MultiPV), each led by a different root move.
constexpr int64_t MAX_MULTI_PV = 256;
