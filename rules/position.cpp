#include "rules/position.h"

#include <cstring>

bool operator==(const PositionRecord& a, const PositionRecord& b) {
    return std::memcmp(&a, &b, sizeof(PositionRecord)) == 0;
}

int IsKingMissing(const PositionRecord& position, char side) {
    const char king = side == 'w' ? 'K' : side == 'b' ? 'k' : 0;
    return king == 0 || std::memchr(position.board, king, 64) == nullptr ? 1 : 0;
}

PositionRecord InitialPosition() {
    PositionRecord record = {};
    std::memcpy(record.board, "RNBQKBNRPPPPPPPP00000000000000000000000000000000pppppppprnbqkbnr",
                64);
    record.sideToMove = 'w';
    std::memcpy(record.castling, "KQkq", 4);
    std::memcpy(record.enPassant, "00", 2);
    record.moveNumber = 1;
    return record;
}
