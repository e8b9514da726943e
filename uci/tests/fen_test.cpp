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
        FenPosition position;
        std::string error;
        EXPECT_TRUE(ParseFen(SplitWords(fen), false, position, error)) << fen << ": " << error;
        position.halfMoveClock = 0;
        EXPECT_EQ(FormatFen(position), written.empty() ? fen : written);
    }
    EXPECT_EQ(FormatFen(InitialPosition()), START_FEN);  // its "00" also means no square
}
