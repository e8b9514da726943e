#include <gtest/gtest.h>

#include "session_helpers.h"
#include "uci/fen.h"

namespace {

struct FenReading {
    const char* castling;  // the castling field read, with the board below
    const char* board;
    const char* written;  // the field written back (X-FEN)
    chess::CastlingFiles rooks;
};

// Shredder-FEN and X-FEN read to the same rooks; the field is written in
// X-FEN, with a file letter only for a rook that is not the outermost.
const FenReading READINGS[] = {
    {"HFhf", "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR", "KQkq", {{7, 5, 7, 5}}},
    {"KQkq", "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR", "KQkq", {{7, 5, 7, 5}}},
    {"C", "4k3/8/8/8/8/8/8/1KR4R", "C", {{2, 0, 7, 0}}},
    {"Kq", "r3k2r/8/8/8/8/8/8/R3K2R", "Kq", {{7, 0, 7, 0}}},
    {"GBg", "1k4r1/8/8/8/8/8/8/1R2K1R1", "KQk", {{6, 1, 6, 0}}},
    {"bB", "rrk5/8/8/8/8/8/8/RRK5", "Bb", {{7, 1, 7, 1}}},
};

TEST(Chess960Fen, ReadsShredderAndXFenAndWritesXFen) {
    for (const FenReading& c : READINGS) {
        const std::string fen = std::string(c.board) + " w " + c.castling + " - 0 1";
        FenPosition position;
        std::string error;
        ASSERT_TRUE(ParseFen(SplitWords(fen), true, position, error)) << fen << ": " << error;
        for (int slot = 0; slot < 4; ++slot) {
            if (position.record.castling[slot] == '-') continue;
            EXPECT_EQ(position.castling.rook[slot], c.rooks.rook[slot]) << fen << " " << slot;
        }
        EXPECT_EQ(CastlingField(position), c.written) << fen;
    }
}

// Refusals with UCI_Chess960 on, each naming its cause.
TEST(Chess960Fen, RefusesRightsTheBoardDoesNotBack) {
    const std::pair<const char*, const char*> BAD[] = {
        {"4k3/8/8/8/8/8/8/4K3 w K", "a white rook on rank 1, on the h-side of the king"},
        {"4k3/8/8/8/8/8/8/3K4 w Q", "a white rook on rank 1, on the a-side of the king"},
        {"4k3/8/8/8/8/8/4K3/7R w H", "the white king on rank 1"},
        {"4k3/8/8/8/8/8/8/4K2R w G", "a white rook on g1"},
        {"4k3/8/8/8/8/8/8/4K2R w E", "a white rook on e1"},
        {"r3k3/8/8/8/8/8/8/4K3 w h", "a black rook on h8"},
        {"4k3/8/8/8/8/8/8/4KR1R w HK", "two rooks on its h-side"},
        {"4k3/8/8/8/8/8/8/4K2R w X", "may hold only K, Q, k, q and rook files"},
    };
    for (const auto& [fen, reason] : BAD) {
        FenPosition position;
        std::string error;
        EXPECT_FALSE(ParseFen(SplitWords(std::string(fen) + " - 0 1"), true, position, error));
        EXPECT_NE(error.find(reason), std::string::npos) << fen << ": " << error;
    }
}

// The protocol's side: the option is chess's alone, and with it castling
// is read and written as the king taking its own rook everywhere.
TEST(Chess960Session, CastlesAsTheKingTakingItsRook) {
    const std::string CORNERS = "position fen r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    // Castling by keeping the king on g1 is White's only move.
    const std::string ONLY = "position fen k4r2/8/8/8/8/7p/r6P/6KR w H - 0 1";
    const std::tuple<const char*, std::string, const char*> CASES[] = {
        {"false", CORNERS + "\ngo perft 1", "e1g1: 1\ne1c1: 1\n"},
        {"true", CORNERS + "\ngo perft 1", "e1h1: 1\ne1a1: 1\n"},
        {"true", CORNERS + " moves e1h1 e8a8\nd", "Fen: 2kr3r/8/8/8/8/8/8/R4RK1 w - - 2 2\n"},
        {"true", CORNERS + " moves e1g1", "(this game writes that castling e1h1)"},
        {"false", CORNERS + " moves e1h1", "(this game writes that castling e1g1)"},
        {"true", ONLY + "\ngo depth 2", "pv g1h1 "},
        {"true", ONLY + "\ngo depth 2 searchmoves g1h1", "bestmove g1h1 "},
        {"true", ONLY + " moves g1h1\nd", "Castling: -\n"},
        {"true", "position fen 4k3/8/8/8/8/8/8/1KR4R w C - 0 1\nd",
         "Castling: C\nEn passant: --\nHalf-move clock: 0\nMove number: 1\n"
         "Fen: 4k3/8/8/8/8/8/8/1KR4R w C - 0 1\n"},
        {"false", ONLY, "needs UCI_Chess960"},
    };
    for (const auto& [on, script, expected] : CASES) {
        UciSession session;
        const std::string output = RunScript(
            session, std::string("setoption name UCI_Chess960 value ") + on + '\n' + script);
        EXPECT_NE(output.find(expected), std::string::npos) << script << "\n" << output;
    }
}

TEST(Chess960Session, TheOptionIsChesssAlone) {
    const auto none = std::string::npos;
    const std::string SHORT = "position fen 4k3/8/8/8/8/8/8/6KR w H - 0 1";
    UciSession session;
    EXPECT_NE(RunScript(session, "uci").find("option name UCI_Chess960 type check default false\n"),
              none);
    RunScript(session, "setoption name UCI_Chess960 value TRUE");
    UseRules(session, "kingcapture");
    EXPECT_EQ(RunScript(session, "uci").find("UCI_Chess960"), none);
    EXPECT_NE(RunScript(session, SHORT).find("bad FEN"), none);
    UseRules(session, "chess");  // the option comes back with chess
    EXPECT_EQ(RunScript(session, SHORT), "");
    EXPECT_NE(RunScript(session, "setoption name UCI_Chess960 value 1").find("true or false"),
              none);
}

}  // namespace
