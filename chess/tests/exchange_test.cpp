#include <gtest/gtest.h>

#include "chess/board.h"
#include "chess/see.h"
#include "chess/tests/fen_game.h"

namespace chess {
namespace {

struct ExchangeCase {
    const char* fen;
    const char* move;
    int gain;  // in the search's piece values: pawn 100, rook 480, queen 950
};

const ExchangeCase kExchanges[] = {
    {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", 100},
    {"4k3/8/2p5/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", 0},
    {"4k3/8/2p5/3p4/8/8/8/3QK3 w - - 0 1", "d1d5", -850},
    // The queen behind the rook joins the exchange.
    {"4k3/8/2p5/3p4/8/8/3R4/3QK3 w - - 0 1", "d2d5", -280},
    // The king recaptures only when no enemy piece sees the square any more.
    {"3rk3/8/8/8/8/8/3q4/3RK3 w - - 0 1", "d1d2", 950},
    {"3rk3/3r4/8/8/8/8/3q4/3RK3 w - - 0 1", "d1d2", 470},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", 100},
    {"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", 0},
    // Promotions gain the new piece less the pawn (queen 850, rook 380,
    // knight 220), on top of what they capture.
    {"3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8q", 1330},
    {"3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8n", 700},
    {"3r4/2k1P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8q", 380},
    {"3r4/2k1P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8n", 380},
    {"4k3/8/8/8/8/8/1p6/R3K3 b - - 0 1", "b2a1q", 1330},
    {"7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8q", 850},
    {"7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8r", 380},
    {"7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8b", 230},
    // A promotion on a defended square loses the pawn, and wins the
    // defender back when the square is defended again (by the rook behind).
    {"r6k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8q", -100},
    {"r6k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8n", -100},
    {"r6k/4P3/8/8/8/8/8/4RK2 w - - 0 1", "e7e8q", 380},
    // A pawn recapturing on its last rank promotes as it takes.
    {"4k3/8/8/8/8/3Q4/4p3/3n2K1 w - - 0 1", "d3d1", -1480},
    {"4k3/8/8/8/8/8/4p3/R2n2K1 w - - 0 1", "a1d1", -1010},
};

TEST(StaticExchange, CountsBothSidesRecaptures) {
    for (const ExchangeCase& c : kExchanges) {
        Game game = GameFromFen(c.fen);
        EXPECT_EQ(StaticExchange(game.board, FindMove(game, c.move)), c.gain)
            << c.fen << " " << c.move;
    }
}

// A side's attack map holds exactly the squares that side attacks, square by
// square: pawns on either edge file, sliders stopped by the first piece of
// either colour, kings, and bare kings.
TEST(AttackMap, HoldsEverySquareASideAttacksAndNoOther) {
    const char* const fens[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "4k3/P6p/8/8/8/8/p6P/4K3 b - - 0 1",
        "3q3k/8/8/3Q4/8/8/8/K7 w - - 0 1",
        "4k3/8/8/8/8/8/8/4K3 w - - 0 1",
    };
    for (const char* fen : fens) {
        Board board = GameFromFen(fen).board;
        for (int color : {WHITE, BLACK}) {
            Bitboard attacks = AttacksOf(board, color);
            for (int square = 0; square < 64; ++square)
                EXPECT_EQ((attacks >> square) & 1, IsAttacked(board, square, color) ? 1u : 0u)
                    << fen << " colour " << color << " square " << square;
        }
    }
}

}  // namespace
}  // namespace chess
