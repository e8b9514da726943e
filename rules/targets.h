// The target squares of one piece, in the fixed order that becomes the
// engine's move order. Targets are pseudo-legal: a king may be left attacked.
#pragma once

#include "rules/position.h"

struct TargetList {
    Square squares[60];
};

// Each generator lists the targets of the piece on (file, rank) into entries
// 0, 1, 2, ... of the list and returns how many it wrote. The mover's side is
// that of the piece on the origin square.
int RookTargets(const PositionRecord& record, int file, int rank, TargetList& list);
int KnightTargets(const PositionRecord& record, int file, int rank, TargetList& list);
int BishopTargets(const PositionRecord& record, int file, int rank, TargetList& list);
int QueenTargets(const PositionRecord& record, int file, int rank, TargetList& list);
int KingTargets(const PositionRecord& record, int file, int rank, TargetList& list);
int PawnTargets(const PositionRecord& record, int file, int rank, TargetList& list);

// The generator for a piece letter of either colour; nullptr for other bytes.
using TargetGenerator = int (*)(const PositionRecord&, int, int, TargetList&);
TargetGenerator GeneratorFor(char piece);
