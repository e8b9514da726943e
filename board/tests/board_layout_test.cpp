#include <gtest/gtest.h>

#include <string>

#include "board/board_layout.h"
#include "board/piece_table.h"

namespace {

Point ToPixel(int file, int rank) {
    Point point{file, rank};
    EXPECT_EQ(SquareToPixel(point), 1);
    return point;
}

Point ToSquare(int x, int y) {
    Point point{x, y};
    EXPECT_EQ(PixelToSquare(point), 1) << x << "," << y;
    return point;
}

}  // namespace

TEST(BoardLayout, SquaresAndPixelsConvertBothWays) {
    EXPECT_EQ(ToPixel(1, 1).x, 20);
    EXPECT_EQ(ToPixel(1, 1).y, 300);
    EXPECT_EQ(ToPixel(8, 8).x, 300);
    EXPECT_EQ(ToPixel(8, 8).y, 20);
    EXPECT_EQ(ToPixel(5, 1).x, 180);

    EXPECT_EQ(ToSquare(20, 20).x, 1);
    EXPECT_EQ(ToSquare(20, 20).y, 8);
    EXPECT_EQ(ToSquare(59, 339).x, 1);
    EXPECT_EQ(ToSquare(59, 339).y, 1);
    EXPECT_EQ(ToSquare(60, 300).x, 2);
    EXPECT_EQ(ToSquare(339, 339).x, 8);
    EXPECT_EQ(ToSquare(339, 339).y, 1);

    // Every pixel of every square maps back to that square.
    for (int file = 1; file <= 8; ++file) {
        for (int rank = 1; rank <= 8; ++rank) {
            const Point corner = ToPixel(file, rank);
            for (int dx : {0, 39}) {
                for (int dy : {0, 39}) {
                    const Point square = ToSquare(corner.x + dx, corner.y + dy);
                    EXPECT_EQ(square.x, file);
                    EXPECT_EQ(square.y, rank);
                }
            }
        }
    }
}

TEST(BoardLayout, PointsOffTheBoardAreLeftAlone) {
    for (Point square : {Point{0, 4}, Point{9, 4}, Point{4, 0}, Point{4, 9}, Point{-1, -1}}) {
        Point point = square;
        EXPECT_EQ(SquareToPixel(point), 0);
        EXPECT_EQ(point.x, square.x);
        EXPECT_EQ(point.y, square.y);
    }
    for (Point pixel :
         {Point{19, 100}, Point{340, 100}, Point{100, 340}, Point{100, 19}, Point{65535, 65535}}) {
        Point point = pixel;
        EXPECT_EQ(PixelToSquare(point), 0);
        EXPECT_EQ(point.x, pixel.x);
        EXPECT_EQ(point.y, pixel.y);
    }
}

TEST(BoardLayout, SquareColours) {
    EXPECT_EQ(SquareColor(1, 1), DARK_SQUARE_COLOR);   // a1
    EXPECT_EQ(SquareColor(3, 1), DARK_SQUARE_COLOR);   // c1
    EXPECT_EQ(SquareColor(8, 8), DARK_SQUARE_COLOR);   // h8
    EXPECT_EQ(SquareColor(2, 1), LIGHT_SQUARE_COLOR);  // b1
    EXPECT_EQ(SquareColor(8, 1), LIGHT_SQUARE_COLOR);  // h1
    EXPECT_EQ(SquareColor(1, 8), LIGHT_SQUARE_COLOR);  // a8
    EXPECT_EQ(DARK_SQUARE_COLOR, 0x808000u);           // teal as a COLORREF
}

TEST(BoardLayout, PiecesRestCentredAboveTheSquaresBottom) {
    // The white king (25 x 25) on e1 and a black pawn (25 x 27) on d7.
    const Point king = RestingPosition(ToPixel(5, 1), 25, 25);
    EXPECT_EQ(king.x, 187);
    EXPECT_EQ(king.y, 310);
    const Point pawn = RestingPosition(ToPixel(4, 7), 25, 27);
    EXPECT_EQ(pawn.x, 147);
    EXPECT_EQ(pawn.y, 68);
}

TEST(BoardLayout, DraggedImageIsCentredOnThePointer) {
    const Point at = DragImagePosition(Point{200, 200}, 25, 25);
    EXPECT_EQ(at.x, 188);
    EXPECT_EQ(at.y, 188);
}

TEST(BoardLayout, ConfinementKeepsEveryPieceOverTheBoard) {
    const Rect bishop = ConfineRect(30);
    EXPECT_EQ(bishop.left, 41);
    EXPECT_EQ(bishop.top, 40);
    EXPECT_EQ(bishop.right, 319);
    EXPECT_EQ(bishop.bottom, 320);
    EXPECT_EQ(ConfineRect(23).top, 44);
    EXPECT_EQ(ConfineRect(23).bottom, 324);
    EXPECT_EQ(ConfineRect(25).top, 43);

    // For every piece, every pointer position allowed by the confinement
    // lies over a square, and the centred image stays inside the snapshot.
    for (char letter : {'K', 'Q', 'R', 'B', 'N', 'P'}) {
        PieceImageIds ids{};
        ASSERT_TRUE(FindPieceImage(letter, ids));
        const int heights[] = {25, 23, 24, 30, 24, 27};
        const int height = heights[std::string("KQRBNP").find(letter)];
        const Rect area = ConfineRect(height);
        for (int x : {area.left, area.right - 1}) {
            for (int y : {area.top, area.bottom - 1}) {
                Point square{x, y};
                EXPECT_EQ(PixelToSquare(square), 1);
                const Point image = DragImagePosition(Point{x, y}, 25, height);
                EXPECT_GE(image.x, BOARD_ORIGIN);
                EXPECT_GE(image.y, BOARD_ORIGIN);
                EXPECT_LE(image.x + 25, BOARD_ORIGIN + BOARD_PIXELS);
                EXPECT_LE(image.y + height, BOARD_ORIGIN + BOARD_PIXELS);
            }
        }
    }
}

TEST(PieceTable, ImagesPerColourAndMasksPerKind) {
    PieceImageIds white{}, black{};
    const char* kinds = "KQRBNP";
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(FindPieceImage(kinds[i], white));
        ASSERT_TRUE(FindPieceImage(static_cast<char>(kinds[i] + 32), black));
        EXPECT_EQ(white.mask, black.mask);
        EXPECT_NE(white.image, black.image);
    }
    PieceImageIds ids{};
    EXPECT_TRUE(FindPieceImage('B', ids));
    EXPECT_EQ(ids.image, 106);
    EXPECT_EQ(ids.mask, 101);
    EXPECT_TRUE(FindPieceImage('p', ids));
    EXPECT_EQ(ids.image, 109);
    EXPECT_EQ(ids.mask, 107);
    for (char other : {'0', 'x', '\0', static_cast<char>(0xFE)})
        EXPECT_FALSE(FindPieceImage(other, ids));
}
