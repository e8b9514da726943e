// Which bitmap resources draw each piece: one image per piece and colour,
// one mask per kind, shared by both colours.
#pragma once

#include "resources/resource_ids.h"

struct PieceImageIds {
    int image;
    int mask;
};

// The resource ids for a piece letter; false for a byte that is no piece.
constexpr bool FindPieceImage(char letter, PieceImageIds& ids) {
    switch (letter) {
#define PIECE_CASE(piece, image, mask) \
    case piece: ids = {image, mask}; return true;
        PIECE_BITMAPS(PIECE_CASE)
#undef PIECE_CASE
        default: return false;
    }
}
