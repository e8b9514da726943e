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

constexpr int QUEEN_FILE[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int QUEEN_RANK[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int KNIGHT_FILE[8] = {1, 2, 2, 1, -1, -2, -2, -1};
constexpr int KNIGHT_RANK[8] = {2, 1, -1, -2, -2, -1, 1, 2};

// Index of the ray (in queen order) that leads from one square to another.
int RayIndex(int df, int dr) {
    const int distance = std::max(std::abs(df), std::abs(dr));
    if (distance == 0) return -1;
    for (int d = 0; d < 8; ++d) {
        if (QUEEN_FILE[d] * distance == df && QUEEN_RANK[d] * distance == dr) return d;
    }
    return -1;
}

// Where a target belongs in its generator's order, as a number that must
// rise strictly along the list; -1 when the piece cannot go there at all.
int OrderKey(char piece, Square from, Square to) {
    const int df = to.file - from.file, dr = to.rank - from.rank;
    const int distance = std::max(std::abs(df), std::abs(dr));
    const int ray = RayIndex(df, dr);
    switch (piece) {
        case 'R':
        case 'r':
            if (ray < 0 || ray % 2 != 0) return -1;
            return (ray / 2) * 8 + distance;
        case 'B':
        case 'b': {
            if (ray < 0 || ray % 2 != 1) return -1;
            static constexpr int BISHOP_ORDER[8] = {-1, 0, -1, 1, -1, 2, -1, 3};
            return BISHOP_ORDER[ray] * 8 + distance;
        }
        case 'Q':
        case 'q': return ray < 0 ? -1 : ray * 8 + distance;
        case 'N':
        case 'n':
            for (int jump = 0; jump < 8; ++jump) {
                if (KNIGHT_FILE[jump] == df && KNIGHT_RANK[jump] == dr) return jump;
            }
            return -1;
        case 'K':
        case 'k':
            if (distance == 1) return ray;
            if (dr == 0 && to.file == 7) return 8;
            if (dr == 0 && to.file == 3) return 9;
            return -1;
        case 'P':
        case 'p': {
            const int up = piece == 'P' ? 1 : -1;
            if (df == 0 && dr == up) return 0;
            if (df == 0 && dr == 2 * up) return 1;
            if (df == -1 && dr == up) return 2;
            if (df == 1 && dr == up) return 3;
            return -1;
        }
        default: return -1;
    }
}

// For every piece of either side: the generator lists exactly the squares
// CheckMove accepts, each once, in the generator's fixed order.
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
            int previous = -1;
            for (Square to : listed) {
                const int key = OrderKey(piece, from, to);
                ASSERT_GT(key, previous)
                    << piece << " on " << SquareName(from) << " lists " << SquareName(to)
                    << " out of order in " << ::testing::PrintToString(record);
                previous = key;
            }
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

TEST(RulesAgree, GeneratorsMatchCheckMoveOverRandomGames) {
    const std::vector<PositionRecord> positions = RandomGamePositions(20240611, 200, 150);
    ASSERT_GT(positions.size(), 10000u);
    for (const PositionRecord& record : positions) {
        ExpectGeneratorsAgreeWithCheckMove(record);
        if (HasFatalFailure()) return;
    }
}

TEST(RulesAgree, RandomGamesReachCastlingEnPassantAndPromotion) {
    // The games must exercise what the comparison is meant to cover.
    const std::vector<PositionRecord> positions = RandomGamePositions(20240611, 200, 150);
    int castled = 0, enPassantOffered = 0, promoted = 0, rightsLost = 0;
    for (const PositionRecord& record : positions) {
        const std::string board(record.board, 64);
        if (PieceAt(record, 7, 1) == 'K' && PieceAt(record, 6, 1) == 'R') ++castled;
        if (record.enPassant[0] != '-' && record.enPassant[0] != '0') ++enPassantOffered;
        if (std::count(board.begin(), board.end(), 'Q') > 1 ||
            std::count(board.begin(), board.end(), 'q') > 1)
            ++promoted;
        if (std::string(record.castling, 4) != "KQkq") ++rightsLost;
    }
    EXPECT_GT(castled, 0);
    EXPECT_GT(enPassantOffered, 0);
    EXPECT_GT(promoted, 0);
    EXPECT_GT(rightsLost, 0);
}

TEST(RulesAgree, GeneratorsMatchCheckMoveOnArbitraryBoards) {
    std::mt19937 random(7);
    for (int i = 0; i < 3000; ++i) {
        ExpectGeneratorsAgreeWithCheckMove(RandomBoard(random));
        if (HasFatalFailure()) return;
    }
}

TEST(RulesAgree, SquareAttackedMatchesTheLiteralRuleOverRandomGames) {
    const std::vector<PositionRecord> positions = RandomGamePositions(99, 60, 150);
    for (const PositionRecord& record : positions) {
        ExpectSquareAttackedIsLiteral(record);
        if (HasFatalFailure()) return;
    }
}

TEST(RulesAgree, SquareAttackedMatchesTheLiteralRuleOnArbitraryBoards) {
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

TEST(RulesAgree, MakeMoveLeavesExactlyTheExpectedSquaresChanged) {
    // Over random games: a move changes its two squares, plus the rook's two
    // in castling or the passed pawn's square en passant, and nothing else.
    const std::vector<PositionRecord> positions = RandomGamePositions(5, 40, 150);
    for (const PositionRecord& record : positions) {
        for (const Move& move : GeneratedMoves(record)) {
            const PositionRecord next = Play(record, move);
            const char mover = PieceAt(record, move.from.file, move.from.rank);
            int changed = 0;
            for (int i = 0; i < 64; ++i) changed += record.board[i] != next.board[i];
            const bool castling =
                (mover == 'K' || mover == 'k') && std::abs(move.to.file - move.from.file) == 2;
            const bool enPassant = (mover == 'P' || mover == 'p') &&
                                   move.to.file != move.from.file &&
                                   PieceAt(record, move.to.file, move.to.rank) == EMPTY_SQUARE;
            EXPECT_EQ(changed, castling    ? 4
                               : enPassant ? 3
                                           : 2)
                << MoveName(move) << " in " << ::testing::PrintToString(record);
            EXPECT_EQ(PieceAt(next, move.from.file, move.from.rank), EMPTY_SQUARE);
            const char arrived = PieceAt(next, move.to.file, move.to.rank);
            const bool promotes =
                (mover == 'P' && move.to.rank == 8) || (mover == 'p' && move.to.rank == 1);
            EXPECT_EQ(arrived, promotes ? (mover == 'P' ? 'Q' : 'q') : mover);
            EXPECT_NE(next.sideToMove, record.sideToMove);
            if (HasFailure()) return;
        }
    }
}
