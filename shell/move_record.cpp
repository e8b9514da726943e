#include "shell/move_record.h"

#include <cstdio>

int FormatMoveRecord(char (&text)[MOVE_RECORD_SIZE], Square from, Square to, char sideToMove,
                     int32_t moveNumber) {
    const char fromFile = static_cast<char>(from.file + 64),
               fromRank = static_cast<char>(from.rank + 48);
    const char toFile = static_cast<char>(to.file + 64), toRank = static_cast<char>(to.rank + 48);
    const int length =
        sideToMove == 'b'
            ? std::snprintf(text, sizeof text, "%d. %c%c - %c%c", static_cast<int>(moveNumber),
                            fromFile, fromRank, toFile, toRank)
            : std::snprintf(text, sizeof text, "             %c%c - %c%c", fromFile, fromRank,
                            toFile, toRank);
    return length < 0 ? 0 : length;
}
