// Which rook each castling right belongs to. In standard chess the rooks
// start in the corners; in Chess960 they may start on any file, with the
// king somewhere between them.
#pragma once

#include <cstdint>

namespace chess {

// The file (0 for a to 7 for h) of each right's rook on its side's back
// rank, in the order of the position record's castling letters: White
// short, White long, Black short, Black long. A file means nothing once its
// right is lost.
struct CastlingFiles {
    int8_t rook[4];
};

constexpr CastlingFiles STANDARD_CASTLING = {{7, 0, 7, 0}};

}  // namespace chess
