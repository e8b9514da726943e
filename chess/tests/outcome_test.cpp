#include "chess/outcome.h"

#include <gtest/gtest.h>

#include "chess/san.h"
#include "chess/tests/fen_game.h"

namespace chess {
namespace {

struct OutcomeCase {
    const char* fen;
    const char* moves;  // played from fen before asking
    Outcome outcome;
};

const char* const kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

const OutcomeCase kOutcomes[] = {
    {kStart, "", Outcome::ONGOING},
    {kStart, "f2f3 e7e5 g2g4 d8h4", Outcome::CHECKMATE},
    {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "", Outcome::STALEMATE},
    // Mate on the hundredth quiet ply wins; one ply short is no draw yet.
    {"k7/8/1K6/8/8/8/8/7R w - - 99 80", "h1h8", Outcome::CHECKMATE},
    {"k7/8/2K5/8/8/8/8/7R w - - 99 80", "h1h2", Outcome::FIFTY_MOVES},
    {"k7/8/2K5/8/8/8/8/7R w - - 98 80", "h1h2", Outcome::ONGOING},
    // The start position stands twice after four knight moves, three times after eight.
    {kStart, "g1f3 g8f6 f3g1 f6g8", Outcome::ONGOING},
    {kStart, "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8", Outcome::REPETITION},
    // Castling rights lost on the way: the first two positions differ from the later ones.
    {"r3k3/8/8/8/8/8/8/4K2R w Kq - 0 1", "e1f1 e8d8 f1e1 d8e8 e1f1 e8d8 f1e1 d8e8",
     Outcome::ONGOING},
    {"r3k3/8/8/8/8/8/8/4K2R w Kq - 0 1", "e1f1 e8d8 f1e1 d8e8 e1f1 e8d8 f1e1 d8e8 e1f1 e8d8",
     Outcome::REPETITION},
    {"8/8/4k3/8/8/3K4/8/8 w - - 0 1", "", Outcome::INSUFFICIENT_MATERIAL},
    {"8/8/4k3/8/8/3K4/8/5N2 w - - 0 1", "", Outcome::INSUFFICIENT_MATERIAL},
    // Bishops on one square colour cannot mate; on both colours they can.
    {"8/3b4/4k3/8/8/3K4/8/5B2 w - - 0 1", "", Outcome::INSUFFICIENT_MATERIAL},
    {"8/2b5/4k3/8/8/3K4/8/5B2 w - - 0 1", "", Outcome::ONGOING},
    {"8/8/4k3/8/8/3K4/8/4NN2 w - - 0 1", "", Outcome::ONGOING},
    {"8/8/4k3/8/8/3K4/7P/8 w - - 0 1", "", Outcome::ONGOING},
    // The last pawn taken: king against king at once.
    {"8/8/4k3/8/8/3K4/3p4/8 w - - 0 1", "d3d2", Outcome::INSUFFICIENT_MATERIAL},
};

TEST(OutcomeOf, EndsGamesByTheRules) {
    for (const OutcomeCase& c : kOutcomes) {
        Game game = GameFromFen(c.fen, c.moves);
        EXPECT_EQ(OutcomeOf(game), c.outcome) << c.fen << " moves " << c.moves;
    }
    EXPECT_TRUE(IsDraw(Outcome::REPETITION));
    EXPECT_FALSE(IsDraw(Outcome::CHECKMATE));
    EXPECT_FALSE(IsDraw(Outcome::ONGOING));
}

struct SanCase {
    const char* fen;
    const char* move;
    const char* san;
};

const SanCase kSan[] = {
    {kStart, "g1f3", "Nf3"},
    {kStart, "e2e4", "e4"},
    {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", "exd5"},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", "exd6"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", "O-O"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "O-O-O"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "a1a8", "Rxa8+"},
    // Two rooks on one rank: the file tells them apart; on one file, the rank.
    {"4k3/8/8/8/8/8/8/R4RK1 w - - 0 1", "a1d1", "Rad1"},
    {"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3", "R1a3"},
    // Three queens: both file and rank are needed for the one on d4.
    {"k7/8/8/8/3Q1Q2/8/3Q4/7K w - - 0 1", "d4e3", "Qd4e3"},
    {"k7/8/8/8/3Q1Q2/8/3Q4/7K w - - 0 1", "d2e3", "Q2e3"},
    {"k7/8/8/8/3Q1Q2/8/3Q4/7K w - - 0 1", "f4e3", "Qfe3"},
    // A pinned knight does not count as a second candidate.
    {"4k3/8/8/1N6/4r3/8/4N3/4K3 w - - 0 1", "b5c3", "Nc3"},
    {"k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8q", "e8=Q+"},
    {"4k3/8/8/8/8/8/6p1/4K2R b K - 0 1", "g2h1n", "gxh1=N"},
    {kStart, "f2f3", "f3"},
    {"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2", "d8h4", "Qh4#"},
};

TEST(SanOf, WritesMovesAsPgnDoes) {
    for (const SanCase& c : kSan) {
        Game game = GameFromFen(c.fen);
        EXPECT_EQ(SanOf(game, FindMove(game, c.move)), c.san) << c.fen << " " << c.move;
    }
}

}  // namespace
}  // namespace chess
