// Making moves: each case gives the record before and the whole record after,
// so any byte left unwritten or written wrongly shows. DeriveMove must read
// back every move the generators list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "rules/make_move.h"
#include "rules/tests/test_positions.h"

TEST(MakeMove, WritesTheWholeSuccessor) {
    // Records as "diagram side castling enPassant moveNumber".
    const struct {
        const char* before;
        const char* move;
        const char* after;
    } cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq 00 1", "e2e4",
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -- 1"},
        {"8/5p2/8/4P3/8/8/8/8 b ---- -- 5", "f7f5", "8/8/8/4Pp2/8/8/8/8 w ---- F6 6"},
        {"8/8/8/8/3p4/8/4P3/8 w ---- -- 1", "e2e4", "8/8/8/8/3pP3/8/8/8 b ---- E3 1"},
        {"8/p7/8/1P6/8/8/8/8 b ---- -- 1", "a7a5", "8/8/8/pP6/8/8/8/8 w ---- A6 2"},
        {"8/8/8/8/2p5/8/4P3/8 w ---- -- 1", "e2e4", "8/8/8/8/2p1P3/8/8/8 b ---- -- 1"},
        {"4k3/8/8/4Pp2/8/8/8/4K3 w ---- F6 12", "e5f6", "4k3/8/5P2/8/8/8/8/4K3 b ---- -- 12"},
        {"4k3/8/8/8/3Pp3/8/8/4K3 b ---- D3 12", "e4d3", "4k3/8/8/8/8/3p4/8/4K3 w ---- -- 13"},
        {"4k3/8/5n2/4Pp2/8/8/8/4K3 w ---- -- 1", "e5f6", "4k3/8/5P2/5p2/8/8/8/4K3 b ---- -- 1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -- 9", "e1g1", "r3k2r/8/8/8/8/8/8/R4RK1 b --kq -- 9"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -- 9", "e1c1", "r3k2r/8/8/8/8/8/8/2KR3R b --kq -- 9"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq -- 9", "e8g8", "r4rk1/8/8/8/8/8/8/R3K2R w KQ-- -- 10"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq -- 9", "e8c8", "2kr3r/8/8/8/8/8/8/R3K2R w KQ-- -- 10"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -- 1", "h1h5", "r3k2r/8/8/7R/8/8/8/R3K3 b -Qkq -- 1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w -Qkq -- 1", "a1a8", "R3k2r/8/8/8/8/8/8/4K2R b --k- -- 1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq -- 1", "h8h1", "r3k3/8/8/8/8/8/8/R3K2r w -Q-q -- 2"},
        {"r2rk2r/8/8/8/8/8/8/R2RK3 b KQkq -- 1", "d8d1", "r3k2r/8/8/8/8/8/8/R2rK3 w KQkq -- 2"},
        {"8/8/8/8/8/1n6/8/K3k3 b KQkq -- 1", "b3a1", "8/8/8/8/8/8/8/n3k3 w --kq -- 2"},
        {"4k3/3Q4/8/8/8/8/8/4K3 w KQkq -- 1", "d7e8", "4Q3/8/8/8/8/8/8/4K3 b KQ-- -- 1"},
        {"r3k3/1P6/8/8/8/8/8/4K3 w KQkq -- 1", "b7a8", "Q3k3/8/8/8/8/8/8/4K3 b KQk- -- 1"},
        {"4k3/8/8/8/8/8/1p6/R3K3 b KQkq -- 30", "b2a1", "4k3/8/8/8/8/8/8/q3K3 w K-kq -- 31"},
        {"4k3/8/8/8/8/8/1p6/4K3 x ---- -- 30", "b2b1", "4k3/8/8/8/8/8/8/1q2K3 w ---- -- 30"},
    };
    for (const auto& c : cases) {
        const Move move = Mv(c.move);
        PositionRecord before = MakePosition(c.before);
        before.reserved[1] = 7;
        PositionRecord expected = MakePosition(c.after);
        expected.reserved[1] = 7;
        for (const unsigned char garbage : {0x00, 0xA5}) {
            PositionRecord successor;
            std::memset(&successor, garbage, sizeof successor);
            MakeMove(before, move.from.file, move.from.rank, move.to.file, move.to.rank, successor);
            EXPECT_EQ(successor, expected) << c.before << " " << c.move;
        }
        PositionRecord same = before;
        MakeMove(same, move.from.file, move.from.rank, move.to.file, move.to.rank, same);
        EXPECT_EQ(same, expected) << "in place: " << c.before << " " << c.move;
    }
}

TEST(MakeMove, RefusesSquaresOffTheBoard) {
    const PositionRecord record = InitialPosition();
    for (const Move& move : {Move{{5, 2}, {5, 9}}, Move{{0, 1}, {1, 3}}, Move{{9, 1}, {8, 3}},
                             Move{{1, 0}, {1, 3}}, Move{{1, 1}, {0, 1}}}) {
        PositionRecord successor = MakePosition("8/8/8/8/8/8/8/8");
        MakeMove(record, move.from.file, move.from.rank, move.to.file, move.to.rank, successor);
        EXPECT_EQ(successor, record) << MoveName(move);
    }
}

TEST(DeriveMove, ReadsBackEveryGeneratedMove) {
    // Castling is read as the king's move, promotion and en passant by the
    // pawn's squares; random games reach all of them on both wings.
    std::vector<PositionRecord> positions = RandomGamePositions(5, 40, 150);
    for (const char* text : {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq",
                             "4k3/8/8/4Pp2/8/8/8/4K3 w ---- F6", "4k1n1/5P2/8/8/8/8/8/4K3 w",
                             "R3K2R/8/8/8/8/8/8/r3k2r b"})  // the last: Black on rank 1
        positions.push_back(MakePosition(text));
    for (const PositionRecord& record : positions) {
        for (const Move& move : GeneratedMoves(record)) {
            Square from{}, to{};
            DeriveMove(record, Play(record, move), from, to);
            ASSERT_EQ((Move{from, to}), move) << ::testing::PrintToString(record);
        }
    }
}
