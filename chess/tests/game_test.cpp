#include <gtest/gtest.h>

#include "chess/tests/fen_game.h"

namespace chess {
namespace {

struct RefusalCase {
    const char* fen;
    const char* error;  // a part of the expected error text
};

const RefusalCase kRefusals[] = {
    {"4k3/8/8/8/8/8/8/2K1K3 w - - 0 1", "one king"},
    {"8/8/8/8/8/8/8/4K3 w - - 0 1", "one king"},
    {"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", "pawn"},
    {"4k3/8/8/8/8/8/8/p3K3 b - - 0 1", "pawn"},
    {"4k3/8/8/8/8/8/8/4R1K1 w - - 0 1", "in check"},
    {"8/8/QQQQQQQQ/QQ6/8/8/8/k1K5 w - - 0 1", "too many"},
    // One piece more than eight pawns leave room for promotions to make.
    {"4k3/8/8/8/8/8/PPPPPPPP/1NNNK3 w - - 0 1", "too many"},
    {"4k3/8/8/8/8/8/PPPPPPPP/1BBBK3 w - - 0 1", "too many"},
    {"4k3/8/8/8/8/8/PPPPPPPP/RRR1K3 w - - 0 1", "too many"},
    {"4k3/8/8/8/8/8/PPPPPPPP/QQ2K3 w - - 0 1", "too many"},
    {"4k3/8/8/8/8/P7/PPPPPPPP/4K3 w - - 0 1", "too many"},
    {"4k3/8/8/8/8/8/8/4K3 w K - 0 1", "castling"},
    // Chess960 rights: a rook's file without the rook, a king off its back rank.
    {"4k3/8/8/8/8/8/8/R3K3 w B - 0 1", "castling"},
    {"4k3/8/8/8/8/8/8/1K1R4 w d - 0 1", "castling"},
    {"4k3/8/8/8/8/8/4K3/7R w H - 0 1", "castling"},
    {"4k3/8/8/4P3/8/8/8/4K3 w - d6 0 1", "en passant"},
};

TEST(StartGame, RefusesWhatCannotBePlayed) {
    for (const RefusalCase& c : kRefusals) {
        Game game;
        std::string error;
        CastlingFiles files = STANDARD_CASTLING;
        PositionRecord record = RecordFromFen(c.fen, nullptr, &files);
        EXPECT_FALSE(StartGame(record, 0, game, error, files)) << c.fen;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.fen << ": " << error;
        EXPECT_EQ(RecordOf(game), RecordOf(Game())) << "a refusal leaves the game as it was";
    }
}

TEST(StartGame, RecordOfGivesBackTheStartingRecord) {
    const char* fens[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w Kq - 7 23",
        "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 40",
        "4k3/8/8/8/Pp6/8/8/4K3 b - a3 0 40",
        "4k3/8/8/6Pp/8/8/8/4K3 w - h6 0 40",
        "4k3/8/8/8/8/8/1PPPPPPP/1BBBK3 w - - 0 1",  // a promoted bishop
    };
    for (const char* fen : fens) {
        int clock = 0;
        PositionRecord record = RecordFromFen(fen, &clock);
        Game game = GameFromFen(fen);
        EXPECT_EQ(RecordOf(game), record) << fen;
        EXPECT_EQ(HalfMoveClock(game), clock) << fen;
    }
    EXPECT_EQ(RecordOf(Game()),
              RecordFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));
}

struct MoveCase {
    const char* fen;
    const char* move;
    const char* after;  // the FEN after the move, or nullptr when refused
    const char* error;  // a part of the error text when refused
};

const MoveCase kMoves[] = {
    {"k7/4P3/8/8/8/8/8/4K3 w - - 5 9", "e7e8n", "k3N3/8/8/8/8/8/8/4K3 b - - 0 9", nullptr},
    {"k7/4P3/8/8/8/8/8/4K3 w - - 5 9", "e7e8B", "k3B3/8/8/8/8/8/8/4K3 b - - 0 9", nullptr},
    {"k7/4P3/8/8/8/8/8/4K3 w - - 5 9", "e7e8r", "k3R3/8/8/8/8/8/8/4K3 b - - 0 9", nullptr},
    {"k7/4P3/8/8/8/8/8/4K3 w - - 5 9", "e7e8Q", "k3Q3/8/8/8/8/8/8/4K3 b - - 0 9", nullptr},
    {"k7/4P3/8/8/8/8/8/4K3 w - - 5 9", "e7e8", nullptr, "promotion"},
    {"k7/4P3/8/8/8/8/8/4K3 w - - 5 9", "e7e8k", nullptr, "promotion"},
    {"k7/8/8/8/8/8/4P3/4K3 w - - 5 9", "e2e3q", nullptr, "illegal"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 3 1", "e1g1", "r3k2r/8/8/8/8/8/8/R4RK1 b kq - 4 1", nullptr},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 3 1", "e8c8", "2kr3r/8/8/8/8/8/8/R3K2R w KQ - 4 2", nullptr},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 3 1", "a1a8", "R3k2r/8/8/8/8/8/8/4K2R b Kk - 0 1", nullptr},
    {"4kr2/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", nullptr, "illegal"},
    {"4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1c1", nullptr, "illegal"},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", "4k3/8/3P4/8/8/8/8/4K3 b - - 0 1", nullptr},
    {"8/8/8/K2pP2q/8/8/8/7k w - d6 0 1", "e5d6", nullptr, "illegal"},
    {"4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1", "e2d3", nullptr, "illegal"},
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e2e5", nullptr, "illegal"},
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e2e4",
     "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1", nullptr},
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e9e4", nullptr, "not a move"},
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "", nullptr, "not a move"},
};

// Chess960 castling, written as the king taking its own rook, with the
// castling fields in Shredder-FEN.
const MoveCase kChess960Moves[] = {
    // The king stays put; king and rook trade squares; the rook stays put.
    {"4k3/8/8/8/8/8/8/6KR w H - 0 1", "g1h1", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1", nullptr},
    {"4k3/8/8/8/8/8/8/5KR1 w G - 0 1", "f1g1", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1", nullptr},
    {"4k3/8/8/8/8/8/8/3RK3 w D - 0 1", "e1d1", "4k3/8/8/8/8/8/8/2KR4 b - - 1 1", nullptr},
    // Long castling to the right of the king; Black's long castling.
    {"4k3/8/8/8/8/8/8/RK6 w A - 0 1", "b1a1", "4k3/8/8/8/8/8/8/2KR4 b - - 1 1", nullptr},
    {"1r4k1/8/8/8/8/8/8/4K3 b b - 0 1", "g8b8", "2kr4/8/8/8/8/8/8/4K3 w - - 1 2", nullptr},
    // An inner rook castles past the outer one's file; the outer gains nothing.
    {"4k3/8/8/8/8/8/8/1KR4R w C - 0 1", "b1c1", "4k3/8/8/8/8/8/8/5RKR b - - 1 1", nullptr},
    // The rook may cross an attacked square; the king may not.
    {"4k3/8/8/8/8/8/1r6/R5K1 w A - 0 1", "g1a1", "4k3/8/8/8/8/8/1r6/2KR4 b - - 1 1", nullptr},
    {"4k3/8/8/8/8/8/3r4/1K5R w H - 0 1", "b1h1", nullptr, "illegal"},
    // The rook on b1 hides the rook on a1 from c1 only until it moves.
    {"4k3/8/8/8/8/8/8/rR2K3 w B - 0 1", "e1b1", nullptr, "illegal"},
    // Out of check only; nothing on either path or destination.
    {"4k3/8/8/8/8/8/8/RK5r w A - 0 1", "b1a1", nullptr, "illegal"},
    {"4k3/8/8/8/8/8/8/RN4K1 w A - 0 1", "g1a1", nullptr, "illegal"},
    {"4k3/8/8/8/8/8/8/RK1N4 w A - 0 1", "b1a1", nullptr, "illegal"},
    // The king's destination is the standard notation, which this game does not read.
    {"4k3/8/8/8/8/8/8/4K2R w H - 0 1", "e1g1", nullptr, "writes that castling e1h1"},
    // Rights go with a rook that moves or is taken, and with the king.
    {"4k3/8/8/8/8/8/8/1R2K1R1 w GB - 0 1", "b1b2", "4k3/8/8/8/8/8/1R6/4K1R1 b G - 1 1", nullptr},
    {"4k1r1/8/8/8/8/8/8/1R2K1R1 b GB - 0 1", "g8g1", "4k3/8/8/8/8/8/8/1R2K1r1 w B - 0 2", nullptr},
    {"4k3/8/8/8/8/8/8/1R2K1R1 w GB - 0 1", "e1e2", "4k3/8/8/8/8/8/4K3/1R4R1 b - - 1 1", nullptr},
};

void CheckMoves(const MoveCase* begin, const MoveCase* end, bool chess960) {
    for (const MoveCase* c = begin; c != end; ++c) {
        Game game = GameFromFen(c->fen, "", chess960);
        std::string error;
        bool played = PlayMove(game, c->move, error);
        if (c->after) {
            int clock = 0;
            PositionRecord expected = RecordFromFen(c->after, &clock);
            EXPECT_TRUE(played) << c->fen << " " << c->move << ": " << error;
            EXPECT_EQ(RecordOf(game), expected) << c->fen << " " << c->move;
            EXPECT_EQ(HalfMoveClock(game), clock) << c->fen << " " << c->move;
            EXPECT_EQ(game.board.key, ComputeKey(game.board)) << c->fen << " " << c->move;
            EXPECT_EQ(game.board.pawnKey, ComputePawnKey(game.board)) << c->fen << " " << c->move;
        } else {
            EXPECT_FALSE(played) << c->fen << " " << c->move;
            EXPECT_NE(error.find(c->error), std::string::npos) << c->move << ": " << error;
            if (c->error == std::string("illegal")) {  // and no word on castling
                EXPECT_EQ(error, "illegal move: " + std::string(c->move));
            }
            EXPECT_EQ(RecordOf(game), RecordFromFen(c->fen)) << "a refused move changes nothing";
        }
    }
}

TEST(PlayMove, PlaysLegalMovesAndRefusesTheRest) {
    CheckMoves(std::begin(kMoves), std::end(kMoves), false);
    CheckMoves(std::begin(kChess960Moves), std::end(kChess960Moves), true);
}

}  // namespace
}  // namespace chess
