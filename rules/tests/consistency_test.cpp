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
// CheckMove accepts, each once. (The order of the list is the engine's move
// order, which the search's known figures hold.)
void ExpectGeneratorsAgreeWithCheckMove(const PositionRecord& record) {
    for (int rank = 1; rank <= 8; ++rank) {
        for (int file = 1; file <= 8; ++file) {
            const char piece = PieceAt(record, file, rank);
            if (SideOf(piece) == NO_SIDE) continue;
            const Square from{file, rank};
            const std::vector<Square> listed = TargetsOf(record, from);
            std::vector<Square> accepted;
            for (int tr = 1; tr <= 8; ++tr) {
                for (int tf = 1; tf <= 8; ++tf) {
                    if (CheckMove(record, file, rank, tf, tr) == MOVE_LEGAL)
                        accepted.push_back(Square{tf, tr});
                }
            }
            auto byIndex = [](Square a, Square b) {
                return SquareIndex(a.file, a.rank) < SquareIndex(b.file, b.rank);
            };
            std::vector<Square> sorted = listed;
            std::sort(sorted.begin(), sorted.end(), byIndex);
            ASSERT_EQ(sorted, accepted) << piece << " on " << SquareName(from) << " in "
                                        << ::testing::PrintToString(record);
        }
    }
}

void ExpectSquareAttackedIsLiteral(const PositionRecord& record) {
    for (int rank = 1; rank <= 8; ++rank) {
        for (int file = 1; file <= 8; ++file) {
            for (char side : {'w', 'b'}) {
                ASSERT_EQ(SquareAttacked(record, file, rank, side),
                          LiteralSquareAttacked(record, file, rank, side))
                    << SquareName(Square{file, rank}) << " by " << side << " in "
                    << ::testing::PrintToString(record);
            }
        }
    }
}

}  // namespace

TEST(RulesAgree, GeneratorsMatchCheckMoveOverRandomGamesAndBoards) {
    for (const PositionRecord& record : RandomGamePositions(20240611, 200, 150)) {
        ExpectGeneratorsAgreeWithCheckMove(record);
        if (HasFatalFailure()) return;
    }
    std::mt19937 random(7);
    for (int i = 0; i < 3000; ++i) {
        ExpectGeneratorsAgreeWithCheckMove(RandomBoard(random));
        if (HasFatalFailure()) return;
    }
}

TEST(RulesAgree, SquareAttackedMatchesTheLiteralRule) {
    for (const PositionRecord& record : RandomGamePositions(99, 60, 150)) {
        ExpectSquareAttackedIsLiteral(record);
        if (HasFatalFailure()) return;
    }
    std::mt19937 random(11);
    for (int i = 0; i < 3000; ++i) {
        ExpectSquareAttackedIsLiteral(RandomBoard(random));
        if (HasFatalFailure()) return;
    }
    // Sides that are not 'w' or 'b' attack nothing.
    const PositionRecord record = RandomBoard(random);
    for (int square = 0; square < 64; ++square) {
        EXPECT_EQ(SquareAttacked(record, square % 8 + 1, square / 8 + 1, 'x'), 0);
        EXPECT_EQ(SquareAttacked(record, square % 8 + 1, square / 8 + 1, NO_SIDE), 0);
    }
}
