#include <gtest/gtest.h>

#include "uci/bench.h"
#include "uci/fen.h"

namespace {

const char* const START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

}  // namespace

TEST(Fen, ReadsAndWritesBackEveryField) {
    std::vector<std::pair<std::string, std::string>> cases = {
        {"8/8/8/8/8/8/8/8 w - - 0 1", ""},             // no kings at all
        {"QQQQQQQQ/Q7/8/8/8/8/8/k6K b - - 0 99", ""},  // nine queens
        {"P3k3/8/8/8/8/8/8/p3K2R w K - 0 3", ""},      // pawns on their last ranks
        {"r3k2r/8/8/8/6k1/8/8/4K3 b k - 0 1", ""},     // a right beside a second king
        {"4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 5", ""},     // the black pawn passed e6
        {"4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 5", ""},
        {"4k3/8/8/8/8/8/8/4K3 b - -", "4k3/8/8/8/8/8/8/4K3 b - - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 17 42", "4k3/8/8/8/8/8/8/4K3 w - - 0 42"},  // no clock
        {"4k3/8/8/8/8/8/8/4K3 w - - +7 +9", "4k3/8/8/8/8/8/8/4K3 w - - 0 9"},
        {"8/8/8/8/8/8/8/8 w - - 1000000 1000000", "8/8/8/8/8/8/8/8 w - - 0 1000000"},
    };
    for (const std::string& fen : BuiltInBenchFens()) cases.push_back({fen, ""});
    for (const auto& [fen, written] : cases) {
        PositionRecord record{};
        std::string error;
        EXPECT_TRUE(ParseFen(fen, record, error)) << fen << ": " << error;
        EXPECT_EQ(FormatFen(record), written.empty() ? fen : written);
    }
    EXPECT_EQ(FormatFen(InitialPosition()), START_FEN);  // its "00" also means no square
}

TEST(Fen, RefusesMalformedFensWithAReasonAndLeavesTheRecord) {
    const std::string BOARD = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR ";
    const std::string E4 = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR ";
    const std::pair<std::string, const char*> BAD[] = {
        {"", "has 0"},
        {BOARD + "w KQkq - 0", "has 5"},
        {"rnbqkbnr/pppppppp/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", "has 7 ranks"},
        {"8/8/8/8/8/8/8/8/8 w - - 0 1", "has 9 ranks"},
        {"rnbqkbnr/ppppppp/8/8/8/8/8/8 w - - 0 1", "describes 7 squares"},
        {"8/8/8/8/8/8/8/7X w - - 0 1", "holds 'X'"},
        {"8/8/8/8/8/8/8/70 w - - 0 1", "holds '0'"},
        {"8/8/72/8/8/8/8/8 w - - 0 1", "more than 8"},
        {BOARD + "W KQkq - 0 1", "side to move"},
        {BOARD + "w KQkA - 0 1", "only K, Q, k and q"},
        {BOARD + "w KK - 0 1", "name K twice"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN1 w K - 0 1", "rook on h1"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQ1BNR w Q - 0 1", "king on e1"},
        {"1nbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w q - 0 1", "rook on a8"},
        {"rnbqkbn1/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w k - 0 1", "rook on h8"},
        {E4 + "b KQkq e4 0 1", "rank 3 or 6"},
        {E4 + "b KQkq e33 0 1", "rank 3 or 6"},
        {E4 + "w KQkq e3 0 1", "needs Black to move"},
        {E4 + "b KQkq d3 0 1", "just passed"},                  // no pawn beyond d3
        {"4k3/8/8/8/4p3/8/8/4K3 b - e3 0 1", "just passed"},    // a black pawn beyond
        {"4k3/8/8/8/4P3/4N3/8/4K3 b - e3 0 1", "just passed"},  // the square taken
        {"4k3/8/8/8/4P3/8/4N3/4K3 b - e3 0 1", "just passed"},  // the start square taken
        {"4k3/8/8/4p3/8/8/8/4K3 b - e6 0 1", "needs White to move"},
        {"4k3/4n3/8/4p3/8/8/8/4K3 w - e6 0 1", "just passed"},
        {BOARD + "w KQkq - -1 1", "half-move clock"},
        {BOARD + "w KQkq - 1000001 1", "half-move clock"},
        {BOARD + "w KQkq - 0 0", "full-move number"},
        {BOARD + "w KQkq - 0 1000001", "full-move number"},
        {BOARD + "w KQkq - 0 +", "full-move number"},
        {BOARD + "w KQkq - 0 ++1", "full-move number"},
    };
    for (const auto& [fen, reason] : BAD) {
        PositionRecord record = InitialPosition();
        std::string error;
        EXPECT_FALSE(ParseFen(fen, record, error)) << fen;
        EXPECT_NE(error.find(reason), std::string::npos) << fen << " gave: " << error;
        EXPECT_EQ(record, InitialPosition()) << fen;
    }
}
