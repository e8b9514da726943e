// Which bitmap resources draw each piece: one image per piece and colour,
// one mask per kind, shared by both colours.
#pragma once

struct PieceImageIds {
    int image;
    int mask;
};

// The resource ids for a piece letter; false for a byte that is no piece.
constexpr bool FindPieceImage(char letter, PieceImageIds& ids) {
    switch (letter) {
        case 'K': ids = {105, 117}; return true;
        case 'Q': ids = {103, 115}; return true;
        case 'R': ids = {102, 108}; return true;
        case 'B': ids = {106, 101}; return true;
        case 'N': ids = {104, 116}; return true;
        case 'P': ids = {118, 107}; return true;
        case 'k': ids = {113, 117}; return true;
        case 'q': ids = {111, 115}; return true;
        case 'r': ids = {110, 108}; return true;
        case 'b': ids = {114, 101}; return true;
        case 'n': ids = {112, 116}; return true;
        case 'p': ids = {109, 107}; return true;
        default: return false;
    }
}
