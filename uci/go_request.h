// What a go command asks for: its limits, read word by word.
#pragma once

#include <cstdint>
#include <string>

#include "uci/text.h"

struct GoRequest {
    int maxDepth = 0;            // 0: none given
    int64_t maxNodes = 0;        // 0: none
    int mateIn = 0;              // go mate N: stop once a mate in N moves or fewer is found
    int64_t moveTime = -1;       // milliseconds; -1: none
    int64_t time[2] = {-1, -1};  // wtime, btime in milliseconds; -1: not given
    int64_t increment[2] = {0, 0};
    int movesToGo = 0;  // 0: the rest of the game
    bool infinite = false;
    bool ponder = false;
    Words searchMoves;

    bool IsBounded() const {
        return maxDepth > 0 || maxNodes > 0 || mateIn > 0 || moveTime >= 0 || time[0] >= 0 ||
               time[1] >= 0 || infinite || ponder;
    }
};

// Reads the words after go into request. A bad word is skipped (with the
// number after a keyword, when that is what is wrong) and described in
// errors; the words after it still count.
GoRequest ReadGoRequest(const Words& words, int maxDepth, Words& errors);
