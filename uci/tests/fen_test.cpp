#include <gtest/gtest.h>

#include <cstring>

#include "uci/bench.h"
#include "uci/fen.h"

namespace {

const char* const START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

PositionRecord MustParse(const std::string& fen) {
    PositionRecord record{};
    std::string error;
    EXPECT_TRUE(ParseFen(fen, record, error)) << fen << ": " << error;
    return record;
}

}  // namespace

TEST(Fen, StartingPositionFillsTheRecordAsTheRulesExpect) {
    PositionRecord expected = InitialPosition();
    std::memcpy(expected.enPassant, "--", 2);  // a FEN's '-' is "--"; only startpos gives "00"
    EXPECT_EQ(MustParse(START_FEN), expected);
}

TEST(Fen, FieldsMapOntoTheRecord) {
    const PositionRecord record = MustParse("r3k2r/8/8/8/3Pp3/8/8/R3K2R b Kq d3 17 42");
    EXPECT_EQ(std::string(record.castling), "K--q");  // each right in its own place
    EXPECT_EQ(std::string(record.enPassant), "D3");
    EXPECT_EQ(record.sideToMove, 'b');
    EXPECT_EQ(record.moveNumber, 42);  // the half-move clock is dropped
    EXPECT_EQ(record.board[SquareIndex(4, 4)], 'P');
    EXPECT_EQ(record.board[SquareIndex(5, 4)], 'p');
    EXPECT_EQ(record.board[SquareIndex(1, 8)], 'r');
    EXPECT_EQ(record.board[64], '\0');
    EXPECT_EQ(record.reserved[0], '\0');
    EXPECT_EQ(std::string(MustParse("4k3/8/8/8/8/8/8/4K3 w - -").castling), "----");
    EXPECT_EQ(MustParse("4k3/8/8/8/8/8/8/4K3 w - -").moveNumber, 1);
}

TEST(Fen, RoundTripsEveryBenchPositionAndOddOnes) {
    std::vector<std::string> fens = BuiltInBenchFens();
    fens.push_back("8/8/8/8/8/8/8/8 w - - 0 1");             // no kings at all
    fens.push_back("r3k2r/8/8/8/6k1/8/8/4K3 b k - 0 1");     // a second king beside castling rights
    fens.push_back("QQQQQQQQ/Q7/8/8/8/8/8/k6K b - - 0 99");  // nine queens
    fens.push_back("P3k3/8/8/8/8/8/8/p3K2R w K - 0 3");      // pawns on their last ranks
    fens.push_back("rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3");
    for (const std::string& fen : fens) EXPECT_EQ(FormatFen(MustParse(fen)), fen);
    EXPECT_EQ(FormatFen(InitialPosition()), START_FEN);  // "00" also means no square
}

TEST(Fen, RejectsMalformedFensWithAReasonAndLeavesTheRecord) {
    const struct {
        const char* fen;
        const char* reason;  // a part of the message
    } BAD[] = {
        {"", "has 0"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0", "has 5"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 x", "has 7"},
        {"rnbqkbnr/pppppppp/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "7 ranks"},
        {"rnbqkbnr/pppppppp/8/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "9 ranks"},
        {"rnbqkbnr/ppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "7 squares"},
        {"rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "'9'"},
        {"rnbqkbnr/pppppppp/72/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "more than 8"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1", "'X'"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN0 w KQkq - 0 1", "'0'"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1", "side to move"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR W KQkq - 0 1", "side to move"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkA - 0 1", "only K, Q, k and q"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KK - 0 1", "twice"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w -K - 0 1", "only K, Q, k and q"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN1 w K - 0 1", "rook on h1"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQ1BNR w Q - 0 1", "king on e1"},
        {"1nbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w q - 0 1", "rook on a8"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e4 0 1", "rank 3 or 6"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e3 0 1", "Black to move"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq d3 0 1", "just passed"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq E3 0 1", "rank 3 or 6"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - -1 1", "half-move clock"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - x 1", "half-move clock"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 0", "full-move number"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1.5", "full-move number"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 99999999999999999999",
         "full-move number"},
    };
    for (const auto& bad : BAD) {
        PositionRecord record = InitialPosition();
        std::string error;
        EXPECT_FALSE(ParseFen(bad.fen, record, error)) << bad.fen;
        EXPECT_NE(error.find(bad.reason), std::string::npos) << bad.fen << " gave: " << error;
        EXPECT_EQ(record, InitialPosition()) << bad.fen;
    }
}
