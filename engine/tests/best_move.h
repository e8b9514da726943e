// The engine's search called as its users call it, keeping all it reports.
#pragma once

#include "engine/search.h"
#include "rules/tests/test_positions.h"

struct Outcome {
    int found = 0;
    Move move{};
    SearchReport report;
};

inline Outcome Best(const PositionRecord& position, int depth, int threads = 1) {
    Outcome outcome;
    SearchSettings settings;
    settings.threads = threads;
    outcome.found = FindBestMove(position, depth, outcome.move.from, outcome.move.to, settings,
                                 &outcome.report);
    return outcome;
}
