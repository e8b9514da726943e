// Successor generation: every position the side to move can reach in one move.
#pragma once

#include "rules/position.h"

// A SuccessorList is a heap array of records, owned by whoever received it.
using SuccessorList = PositionRecord*;

// Fills list with the successors of position, ordered by the square of the
// moving piece (a1 first) and then by that piece's target order, and returns
// their count. Returns 0 without touching list when the side to move has no
// move, or when memory runs out. A failed allocation only sets outOfMemory:
// a search reports once, on its own thread, however many of its nodes ran out.
int GenerateSuccessors(const PositionRecord& position, SuccessorList& list, bool& outOfMemory);

void ReleaseSuccessors(SuccessorList list);
