// What a go command asks for, and how much of the clock a move may use.
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

// Reads the words after go into request. On a bad word it stops there,
// writes error and returns false; what was read before it stays in request.
bool ReadGoRequest(const Words& words, int maxDepth, GoRequest& request, std::string& error);

// The time a move may take, in milliseconds from the start of the search:
// no new iteration starts after soft, and the search ends at hard. 0: no limit.
struct TimePlan {
    int64_t soft = 0;
    int64_t hard = 0;
};

// Time kept back from every move for the way to and from the GUI.
constexpr int64_t MOVE_OVERHEAD_MS = 30;

// Plans the time of the side to move ('w' or 'b') from movetime or its clock.
TimePlan PlanTime(const GoRequest& request, char sideToMove);
