#include <gtest/gtest.h>

#include <set>

#include "board/board_layout.h"
#include "board/piece_table.h"

namespace {

constexpr int END = BOARD_ORIGIN + BOARD_PIXELS;  // the first pixel past the board

Point Converted(int (*convert)(Point&), Point point, int result) {
    EXPECT_EQ(convert(point), result) << point.x << "," << point.y;
    return point;
}

// Whether an extent of size pixels from start has the pixel at in its middle.
bool CentredOn(int start, int size, int at) {
    const int before = at - start, after = start + size - 1 - at;
    return after >= 0 && (before == after || before == after + 1);
}

}  // namespace

// Every corner pixel of every square maps back to it; a8 starts at the
// board's top-left pixel and h1 ends at its bottom-right one.
TEST(BoardLayout, PixelToSquareInvertsSquareToPixel) {
    for (int square = 0; square < 64; ++square) {
        const Point corner = Converted(SquareToPixel, Point{square % 8 + 1, square / 8 + 1}, 1);
        for (Point offset : {Point{0, 0}, Point{39, 0}, Point{0, 39}, Point{39, 39}}) {
            const Point back =
                Converted(PixelToSquare, Point{corner.x + offset.x, corner.y + offset.y}, 1);
            EXPECT_EQ(SquareIndex(back.x, back.y), square);
        }
    }
    const Point a8 = Converted(SquareToPixel, Point{1, 8}, 1);
    const Point h1 = Converted(SquareToPixel, Point{8, 1}, 1);
    EXPECT_TRUE(a8.x == BOARD_ORIGIN && a8.y == BOARD_ORIGIN && h1.x + 40 == END &&
                h1.y + 40 == END);
}

TEST(BoardLayout, PointsOffTheBoardAreRefusedAndLeftAlone) {
    for (Point p : {Point{0, 4}, Point{9, 4}, Point{4, 0}, Point{4, 9}})
        EXPECT_EQ(Converted(SquareToPixel, p, 0).x, p.x);
    for (Point p : {Point{BOARD_ORIGIN - 1, 99}, Point{END, 99}, Point{99, BOARD_ORIGIN - 1},
                    Point{99, END}, Point{65535, 65535}})
        EXPECT_EQ(Converted(PixelToSquare, p, 0).y, p.y);
}

TEST(BoardLayout, A1IsDarkAndNeighbouringSquaresDiffer) {
    EXPECT_EQ(SquareColor(1, 1), DARK_SQUARE_COLOR);
    for (int file = 1, rank = 1; rank <= 8; file = file % 8 + 1, rank += file == 1) {
        EXPECT_TRUE(file == 8 || SquareColor(file, rank) != SquareColor(file + 1, rank));
        EXPECT_TRUE(rank == 8 || SquareColor(file, rank) != SquareColor(file, rank + 1));
    }
}

// For every piece height: a piece rests centred across its square, its
// bottom 5 pixels above the square's; while it is dragged the pointer reaches
// every file and rank and no further, and the image centred on the pointer
// stays over the board, which the drag's snapshot covers.
TEST(BoardLayout, RestingAndDraggedPiecesStayOverTheBoard) {
    const Point square = Converted(SquareToPixel, Point{4, 7}, 1);
    for (int height = 23; height <= 30; ++height) {
        const Point rest = RestingPosition(square, 25, height);
        EXPECT_TRUE(CentredOn(rest.x, 25, square.x + 19) && rest.y + height + 5 == square.y + 40);
        const Rect area = ConfineRect(height);
        for (Point pointer : {Point{area.left, area.top}, Point{area.right - 1, area.bottom - 1}}) {
            const Point image = DragImagePosition(pointer, 25, height);
            EXPECT_TRUE(CentredOn(image.x, 25, pointer.x) && CentredOn(image.y, height, pointer.y));
            EXPECT_TRUE(image.x >= BOARD_ORIGIN && image.y >= BOARD_ORIGIN) << height;
            EXPECT_TRUE(image.x + 25 <= END && image.y + height <= END) << height;
            const Point on = Converted(PixelToSquare, pointer, 1);
            EXPECT_EQ(SquareIndex(on.x, on.y), pointer.x == area.left ? SquareIndex(1, 8) : 7);
        }
    }
}

// Each piece has an image of its own and both colours of a kind share a mask.
TEST(PieceTable, AnImagePerPieceAndAMaskPerKind) {
    std::set<int> all;
    PieceImageIds white{}, black{};
    for (char kind : {'K', 'Q', 'R', 'B', 'N', 'P'}) {
        ASSERT_TRUE(FindPieceImage(kind, white) && FindPieceImage(kind + 32, black));
        all.insert({white.image, black.image, white.mask, black.mask});
    }
    EXPECT_EQ(all.size(), 18u);
    for (char other : {'0', 'x', 'A', '\0', static_cast<char>(0xFE)})
        EXPECT_FALSE(FindPieceImage(other, white)) << other;
}
