// Complete games of the engine against itself, checked move by move and then
// replayed from the move list alone.
#include <gtest/gtest.h>

#include <vector>

#include "engine/evaluate.h"
#include "engine/search.h"
#include "engine/successors.h"
#include "rules/legality.h"
#include "rules/tests/test_positions.h"

namespace {

struct Game {
    std::vector<Move> moves;
    PositionRecord final{};
    const char* ending = "ply limit";
};

// Plays until the side to move has lost its king, the engine finds no move,
// or maxPlies. Each chosen move must be legal for a piece of the side to move
// and must lead to one of the engine's own successors, which becomes the
// next position.
Game PlayEngineGame(PositionRecord position, int depth, int threads, int maxPlies) {
    Game game;
    SearchSettings settings;
    settings.threads = threads;
    for (int ply = 0; ply < maxPlies; ++ply) {
        if (IsKingMissing(position, position.sideToMove)) {
            game.ending = "king lost";
            break;
        }
        Move move{};
        if (!FindBestMove(position, depth, move.from, move.to, settings)) {
            game.ending = "no move";
            break;
        }
        EXPECT_EQ(SideOf(PieceAt(position, move.from.file, move.from.rank)), position.sideToMove)
            << "ply " << ply << " " << MoveName(move);
        EXPECT_EQ(CheckMove(position, move.from.file, move.from.rank, move.to.file, move.to.rank),
                  MOVE_LEGAL)
            << "ply " << ply << " " << MoveName(move) << " in "
            << ::testing::PrintToString(position);

        SuccessorList list = nullptr;
        const int count = GenerateSuccessors(position, list);
        const PositionRecord made = Play(position, move);
        int matches = 0;
        for (int i = 0; i < count; ++i) matches += list[i] == made;
        EXPECT_EQ(matches, 1) << "ply " << ply << " " << MoveName(move);
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                if (list[i] == made) position = list[i];
            }
            ReleaseSuccessors(list);
        }
        game.moves.push_back(move);
        if (::testing::Test::HasFailure()) break;
    }
    game.final = position;
    return game;
}

void ExpectReplayReproduces(const PositionRecord& start, const Game& game) {
    PositionRecord replay = start;
    int blackMoves = 0;
    for (const Move& move : game.moves) {
        ASSERT_EQ(CheckMove(replay, move.from.file, move.from.rank, move.to.file, move.to.rank),
                  MOVE_LEGAL)
            << MoveName(move);
        blackMoves += replay.sideToMove == 'b';
        replay = Play(replay, move);
    }
    EXPECT_EQ(replay, game.final);
    EXPECT_EQ(replay.moveNumber, start.moveNumber + blackMoves);
}

}  // namespace

TEST(SelfPlay, GameFromTheInitialPositionReplays) {
    const Game game = PlayEngineGame(InitialPosition(), 3, 2, 200);
    ASSERT_FALSE(HasFailure());
    EXPECT_GT(game.moves.size(), 10u) << game.ending;
    ExpectReplayReproduces(InitialPosition(), game);
}

TEST(SelfPlay, GamesWithCastlingPromotionAndMateReplay) {
    // An open middlegame in which White castles and mates, and a pawn race
    // with promotions on both sides.
    const PositionRecord starts[] = {
        MakePosition("r1b1k2r/ppp2ppp/2n5/3q4/8/8/PPP2PPP/RNBQK2R", 'w', "KQkq", "--", 9),
        MakePosition("4k3/1P5p/8/8/8/8/P5p1/4K3", 'w', "----", "--", 40),
    };
    for (const PositionRecord& start : starts) {
        const Game game = PlayEngineGame(start, 3, 2, 200);
        ASSERT_FALSE(HasFailure());
        EXPECT_FALSE(game.moves.empty());
        ExpectReplayReproduces(start, game);
    }
}

TEST(SelfPlay, TheSameGameIsPlayedTwice) {
    // With one thread and with three, which share the deep root moves.
    const Game first = PlayEngineGame(Play(InitialPosition(), {"d2d4"}), 3, 1, 60);
    const Game second = PlayEngineGame(Play(InitialPosition(), {"d2d4"}), 3, 3, 60);
    EXPECT_EQ(first.moves, second.moves);
    EXPECT_EQ(first.final, second.final);
}
