#include <gtest/gtest.h>

#include <algorithm>

#include "engine/successors.h"
#include "uci/fen.h"
#include "uci/notation.h"

namespace {

PositionRecord FromFen(const std::string& fen) {
    PositionRecord record{};
    std::string error;
    EXPECT_TRUE(ParseFen(fen, record, error)) << error;
    return record;
}

// Plays the moves in turn; fails the test at the first refusal.
PositionRecord Play(PositionRecord position, const std::vector<std::string>& moves) {
    for (const std::string& move : moves) {
        std::string error;
        EXPECT_TRUE(PlayMoveText(position, move, position, error)) << move << ": " << error;
    }
    return position;
}

std::string Refusal(const PositionRecord& position, const std::string& move) {
    PositionRecord next = position;
    std::string error;
    EXPECT_FALSE(PlayMoveText(position, move, next, error)) << move;
    EXPECT_EQ(next, position) << move;
    return error;
}

// The texts of all successors, in list order.
std::vector<std::string> SuccessorTexts(const PositionRecord& position) {
    SuccessorList list = nullptr;
    bool outOfMemory = false;
    const int count = GenerateSuccessorsQuietly(position, list, outOfMemory);
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) texts.push_back(SuccessorMoveText(position, list[i]));
    if (count > 0) ReleaseSuccessors(list);
    return texts;
}

const char* const CASTLING_FEN = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1";

}  // namespace

TEST(Notation, CastlingIsWrittenAsTheKingsMoveAndMovesTheRook) {
    const PositionRecord after = Play(FromFen(CASTLING_FEN), {"e1g1", "e8c8"});
    EXPECT_EQ(FormatFen(after), "2kr3r/pppppppp/8/8/8/8/PPPPPPPP/R4RK1 w - - 0 2");
    const std::vector<std::string> texts = SuccessorTexts(FromFen(CASTLING_FEN));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "e1g1"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "e1c1"), texts.end());
}

TEST(Notation, EnPassantTakesThePawnBesideTheTarget) {
    const PositionRecord after = Play(InitialPosition(), {"e2e4", "a7a6", "e4e5", "d7d5"});
    EXPECT_EQ(std::string(after.enPassant), "D6");
    const PositionRecord taken = Play(after, {"e5d6"});
    EXPECT_EQ(FormatFen(taken), "rnbqkbnr/1pp1pppp/p2P4/8/8/8/PPPP1PPP/RNBQKBNR b KQkq - 0 3");
    const std::vector<std::string> texts = SuccessorTexts(after);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "e5d6"), texts.end());
}

TEST(Notation, PromotionWithOrWithoutQMakesAQueen) {
    const PositionRecord position = FromFen("4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1");
    const PositionRecord withQ = Play(position, {"b7b8q"});
    EXPECT_EQ(Play(position, {"b7b8"}), withQ);
    EXPECT_EQ(FormatFen(Play(withQ, {"g2g1"})), "1Q2k3/8/8/8/8/8/8/4K1q1 w - - 0 2");
    EXPECT_EQ(SuccessorTexts(position).back(), "b7b8q");
    EXPECT_EQ(SuccessorTexts(withQ)[0], "g2g1q");
}

TEST(Notation, RefusesBadMovesAndSaysWhy) {
    const PositionRecord start = InitialPosition();
    EXPECT_NE(Refusal(start, "e2").find("malformed"), std::string::npos);
    EXPECT_NE(Refusal(start, "e2e4e").find("may only be q"), std::string::npos);
    EXPECT_NE(Refusal(start, "E2E4").find("malformed"), std::string::npos);
    EXPECT_NE(Refusal(start, "e2i4").find("malformed"), std::string::npos);
    EXPECT_NE(Refusal(start, "e0e4").find("malformed"), std::string::npos);
    EXPECT_NE(Refusal(start, "e3e4").find("no piece on e3"), std::string::npos);
    EXPECT_NE(Refusal(start, "e7e5").find("Black's, and White is to move"), std::string::npos);
    EXPECT_NE(Refusal(start, "e2e5").find("cannot move to e5"), std::string::npos);
    EXPECT_NE(Refusal(start, "e1g1").find("cannot move to g1"), std::string::npos);
    EXPECT_NE(Refusal(start, "e2e4q").find("last rank"), std::string::npos);
    const PositionRecord promoting = FromFen("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_NE(Refusal(promoting, "b7b8n").find("only to a queen"), std::string::npos);
    EXPECT_NE(Refusal(promoting, "e1e2q").find("last rank"), std::string::npos);
    // Castling through an attacked square: the f1 square is covered by the bishop on a6.
    const PositionRecord attacked = FromFen("4k3/8/b7/8/8/8/8/4K2R w K - 0 1");
    EXPECT_NE(Refusal(attacked, "e1g1").find("cannot move to g1"), std::string::npos);
}
