#include "rules/targets.h"

#include "rules/target_walk.h"

namespace {

// Runs one walk from (file, rank) and writes its targets into the list.
template <typename Walk>
int FillTargets(const PositionRecord& record, int file, int rank, TargetList& list, Walk walk) {
    if (!OnBoard(file, rank) || SideOf(record.board[SquareIndex(file, rank)]) == NO_SIDE) return 0;
    int count = 0;
    walk(record, SquareIndex(file, rank), [&](int to) {
        list.squares[count++] = Square{to % 8 + 1, to / 8 + 1};
    });
    return count;
}

}  // namespace

int RookTargets(const PositionRecord& record, int file, int rank, TargetList& list) {
    return FillTargets(
        record, file, rank, list,
        [](const PositionRecord& r, int from, auto&& emit) { target_walk::Rook(r, from, emit); });
}

int KnightTargets(const PositionRecord& record, int file, int rank, TargetList& list) {
    return FillTargets(
        record, file, rank, list,
        [](const PositionRecord& r, int from, auto&& emit) { target_walk::Knight(r, from, emit); });
}

int BishopTargets(const PositionRecord& record, int file, int rank, TargetList& list) {
    return FillTargets(
        record, file, rank, list,
        [](const PositionRecord& r, int from, auto&& emit) { target_walk::Bishop(r, from, emit); });
}

int QueenTargets(const PositionRecord& record, int file, int rank, TargetList& list) {
    return FillTargets(
        record, file, rank, list,
        [](const PositionRecord& r, int from, auto&& emit) { target_walk::Queen(r, from, emit); });
}

int KingTargets(const PositionRecord& record, int file, int rank, TargetList& list) {
    return FillTargets(
        record, file, rank, list,
        [](const PositionRecord& r, int from, auto&& emit) { target_walk::King(r, from, emit); });
}

int PawnTargets(const PositionRecord& record, int file, int rank, TargetList& list) {
    return FillTargets(
        record, file, rank, list,
        [](const PositionRecord& r, int from, auto&& emit) { target_walk::Pawn(r, from, emit); });
}

TargetGenerator GeneratorFor(char piece) {
    switch (PieceKind(piece)) {
        case 'r': return RookTargets;
        case 'n': return KnightTargets;
        case 'b': return BishopTargets;
        case 'q': return QueenTargets;
        case 'k': return KingTargets;
        case 'p': return PawnTargets;
        default: return nullptr;
    }
}
