// The generators, CheckMove and SquareAttacked are three views of the same
// rules. These tests hold them against each other over many positions: those
// reached by random games, and arbitrary boards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "rules/legality.h"
#include "rules/tests/test_positions.h"

namespace {

// SquareAttacked exactly as the rule reads: visit every piece of bySide; rooks,
// knights, bishops and queens attack where CheckMove lets them move, kings
// their neighbours, pawns the two squares diagonally forward.
int LiteralSquareAttacked(const PositionRecord& record, int file, int rank, char bySide) {
    for (int pr = 1; pr <= 8; ++pr) {
        for (int pf = 1; pf <= 8; ++pf) {
            if (pf == file && pr == rank) continue;
            const char piece = PieceAt(record, pf, pr);
            if (SideOf(piece) != bySide) continue;
            bool attacks = false;
            switch (piece) {
                case 'K':
                case 'k': attacks = std::abs(pf - file) <= 1 && std::abs(pr - rank) <= 1; break;
                case 'P': attacks = rank == pr + 1 && std::abs(pf - file) == 1; break;
                case 'p': attacks = rank == pr - 1 && std::abs(pf - file) == 1; break;
                default: attacks = CheckMove(record, pf, pr, file, rank) == MOVE_LEGAL; break;
            }
            if (attacks) return 1;
        }
    }
    return 0;
}

// For every piece of either side: the generator lists exactly the squares
// CheckMove accepts, each once (the order of the list is the engine's move
// order, which the search's known figures hold); and SquareAttacked answers
// as the literal rule does for every square and side.
void ExpectRulesAgree(const PositionRecord& record) {
    auto byIndex = [](Square a, Square b) {
        return SquareIndex(a.file, a.rank) < SquareIndex(b.file, b.rank);
    };
    for (int from = 0; from < 64; ++from) {
        const Square square{from % 8 + 1, from / 8 + 1};
        std::vector<Square> listed = TargetsOf(record, square), accepted;
        for (int to = 0; to < 64; ++to) {
            if (CheckMove(record, square.file, square.rank, to % 8 + 1, to / 8 + 1) == MOVE_LEGAL)
                accepted.push_back(Square{to % 8 + 1, to / 8 + 1});
        }
        std::sort(listed.begin(), listed.end(), byIndex);
        ASSERT_EQ(listed, accepted) << SquareName(square) << ::testing::PrintToString(record);
        for (char side : {'w', 'b'}) {
            ASSERT_EQ(SquareAttacked(record, square.file, square.rank, side),
                      LiteralSquareAttacked(record, square.file, square.rank, side))
                << SquareName(square) << " by " << side << ::testing::PrintToString(record);
        }
    }
}

}  // namespace

TEST(RulesAgree, OverRandomGamesAndArbitraryBoards) {
    for (const PositionRecord& record : RandomGamePositions(20240611, 200, 150)) {
        ExpectRulesAgree(record);
        if (HasFatalFailure()) return;
    }
    std::mt19937 random(7);
    for (int i = 0; i < 5000; ++i) {
        ExpectRulesAgree(RandomBoard(random));
        if (HasFatalFailure()) return;
    }
    // Sides that are not 'w' or 'b' attack nothing.
    const PositionRecord record =
        MakePosition("QQQQQQQQ/qqqqqqqq/8/PPPPPPPP/pppppppp/8/KKKKKKKK/kkkkkkkk");
    for (int square = 0; square < 64; ++square) {
        EXPECT_EQ(SquareAttacked(record, square % 8 + 1, square / 8 + 1, 'x'), 0);
        EXPECT_EQ(SquareAttacked(record, square % 8 + 1, square / 8 + 1, NO_SIDE), 0);
    }
}
