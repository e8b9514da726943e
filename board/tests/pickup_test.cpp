#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "board/pickup.h"
#include "rules/make_move.h"

namespace {

constexpr int32_t H = HUMAN_PLAYER, C = COMPUTER_PLAYER;

// A pixel inside a square named like "e2".
Point Inside(const char* name) {
    Point point{name[0] - 'a' + 1, name[1] - '0'};
    SquareToPixel(point);
    return Point{point.x + 13, point.y + 29};
}

PositionRecord After(const PositionRecord& position, int from, int to) {
    PositionRecord next;
    MakeMove(position, from % 8 + 1, from / 8 + 1, to % 8 + 1, to / 8 + 1, next);
    return next;
}

bool IsSquareOf(Square square, Point pixel) {
    return PixelToSquare(pixel) && square == Square{pixel.x, pixel.y};
}

std::vector<int> Changed(const PositionRecord& before, const PositionRecord& after) {
    int changed[64];
    const int count = ChangedSquares(before, after, changed);
    return std::vector<int>(changed, changed + count);
}

}  // namespace

TEST(PickUp, OnlyAPieceOfTheSideToMoveWhenThatSideIsTheHumans) {
    const PositionRecord start = InitialPosition(), afterE4 = After(start, 12, 28);
    PositionRecord decided = start;  // a game without Black's king still lets pieces move
    decided.board[60] = EMPTY_SQUARE;
    const struct {
        const PositionRecord* position;
        Point pixel;
        bool picked[4];  // with White and Black played by HH, HC, CH, CC
    } cases[] = {{&start, Inside("e2"), {1, 1, 0, 0}},   {&start, Inside("b1"), {1, 1, 0, 0}},
                 {&start, Inside("e7"), {0, 0, 0, 0}},   {&start, Inside("d4"), {0, 0, 0, 0}},
                 {&start, Point{5, 5}, {0, 0, 0, 0}},    {&start, Point{359, 200}, {0, 0, 0, 0}},
                 {&afterE4, Inside("e7"), {1, 0, 1, 0}}, {&afterE4, Inside("e4"), {0, 0, 0, 0}},
                 {&decided, Inside("g1"), {1, 1, 0, 0}}};
    for (const auto& c : cases) {
        for (int k = 0; k < 4; ++k) {
            const int32_t kinds[2] = {k < 2 ? H : C, k % 2 ? C : H};
            Square square{};
            EXPECT_EQ(CanPickUp(*c.position, kinds, c.pixel, square), c.picked[k]) << c.pixel.x;
            EXPECT_TRUE(!c.picked[k] || IsSquareOf(square, c.pixel)) << c.pixel.x;
        }
    }
}

// e2 to e4 is made; refused are an illegal move, the pawn back on its square
// and a drop in the margin.
TEST(Drop, OnlyALegalMoveOverTheBoard) {
    const Point pixels[] = {Inside("e4"), Inside("e5"), Inside("e2"), Point{9, 9}};
    for (int k = 0; k < 4; ++k) {
        Square target{};
        const bool legal = IsLegalDrop(InitialPosition(), Square{5, 2}, pixels[k], target);
        EXPECT_EQ(legal, k == 0) << k;
        EXPECT_TRUE(!legal || IsSquareOf(target, pixels[k]));
    }
}

TEST(Drop, ChangedSquaresInBoardOrder) {
    PositionRecord castling = InitialPosition();
    std::memcpy(castling.board, "RNBQK00R", 8);
    EXPECT_EQ(Changed(castling, After(castling, 4, 6)), (std::vector<int>{4, 5, 6, 7}));
    PositionRecord rook = InitialPosition();
    rook.board[8] = EMPTY_SQUARE;
    EXPECT_EQ(Changed(rook, After(rook, 0, 16)), (std::vector<int>{0, 16}));
    EXPECT_TRUE(Changed(rook, rook).empty());
}
