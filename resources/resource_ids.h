/* The numbers of the program's resources: the piece images and masks, the
   icon and the board cursors. The resource script, the game and every check
   that loads a resource take them from here. Plain C, so that the resource
   compiler and C programs read it too. */
#ifndef QUILLMATE_RESOURCE_IDS_H
#define QUILLMATE_RESOURCE_IDS_H

/* An image is black outside the piece; a mask, shared by both colours, is
   black inside the piece and white outside it. */
#define IDB_BISHOP_MASK 101
#define IDB_WHITE_ROOK 102
#define IDB_WHITE_QUEEN 103
#define IDB_WHITE_KNIGHT 104
#define IDB_WHITE_KING 105
#define IDB_WHITE_BISHOP 106
#define IDB_PAWN_MASK 107
#define IDB_ROOK_MASK 108
#define IDB_BLACK_PAWN 109
#define IDB_BLACK_ROOK 110
#define IDB_BLACK_QUEEN 111
#define IDB_BLACK_KNIGHT 112
#define IDB_BLACK_KING 113
#define IDB_BLACK_BISHOP 114
#define IDB_QUEEN_MASK 115
#define IDB_KNIGHT_MASK 116
#define IDB_KING_MASK 117
#define IDB_WHITE_PAWN 118

/* The first and last piece bitmap, for code that walks them all. */
#define IDB_FIRST_PIECE 101
#define IDB_LAST_PIECE 118

/* Each piece letter with its image and mask: PIECE_BITMAPS(X) expands to
   X(letter, image, mask) twelve times, White first. */
#define PIECE_BITMAPS(X)                      \
    X('K', IDB_WHITE_KING, IDB_KING_MASK)     \
    X('Q', IDB_WHITE_QUEEN, IDB_QUEEN_MASK)   \
    X('R', IDB_WHITE_ROOK, IDB_ROOK_MASK)     \
    X('B', IDB_WHITE_BISHOP, IDB_BISHOP_MASK) \
    X('N', IDB_WHITE_KNIGHT, IDB_KNIGHT_MASK) \
    X('P', IDB_WHITE_PAWN, IDB_PAWN_MASK)     \
    X('k', IDB_BLACK_KING, IDB_KING_MASK)     \
    X('q', IDB_BLACK_QUEEN, IDB_QUEEN_MASK)   \
    X('r', IDB_BLACK_ROOK, IDB_ROOK_MASK)     \
    X('b', IDB_BLACK_BISHOP, IDB_BISHOP_MASK) \
    X('n', IDB_BLACK_KNIGHT, IDB_KNIGHT_MASK) \
    X('p', IDB_BLACK_PAWN, IDB_PAWN_MASK)

#define IDI_QUILLMATE 146
#define IDC_POINTER 147
#define IDC_GRAB 148

#endif
