#include <gtest/gtest.h>

#include "board/pickup.h"
#include "rules/make_move.h"
#include "shell/player_panel_table.h"
#include "shell/turn.h"

TEST(Turn, HumanSidesAreLeftToMove) {
    const int32_t bothHuman[2] = {HUMAN_PLAYER, HUMAN_PLAYER};
    EXPECT_EQ(DecideTurn(InitialPosition(), bothHuman), TurnAction::WAIT_FOR_HUMAN);
    const int32_t blackComputer[2] = {HUMAN_PLAYER, COMPUTER_PLAYER};
    EXPECT_EQ(DecideTurn(InitialPosition(), blackComputer), TurnAction::WAIT_FOR_HUMAN);
}

TEST(Turn, TheComputerMovesForItsSide) {
    const int32_t whiteComputer[2] = {COMPUTER_PLAYER, HUMAN_PLAYER};
    EXPECT_EQ(DecideTurn(InitialPosition(), whiteComputer), TurnAction::COMPUTER_MOVES);
    PositionRecord afterE4;
    MakeMove(InitialPosition(), 5, 2, 5, 4, afterE4);
    const int32_t blackComputer[2] = {HUMAN_PLAYER, COMPUTER_PLAYER};
    EXPECT_EQ(DecideTurn(afterE4, blackComputer), TurnAction::COMPUTER_MOVES);
    EXPECT_EQ(DecideTurn(afterE4, whiteComputer), TurnAction::WAIT_FOR_HUMAN);
}

TEST(Turn, ALostKingEndsTheGameWhoeverPlays) {
    const int32_t bothComputer[2] = {COMPUTER_PLAYER, COMPUTER_PLAYER};
    const int32_t bothHuman[2] = {HUMAN_PLAYER, HUMAN_PLAYER};
    PositionRecord noWhiteKing = InitialPosition();
    noWhiteKing.board[4] = EMPTY_SQUARE;
    EXPECT_EQ(DecideTurn(noWhiteKing, bothComputer), TurnAction::BLACK_WINS);
    EXPECT_EQ(DecideTurn(noWhiteKing, bothHuman), TurnAction::BLACK_WINS);

    PositionRecord noBlackKing = InitialPosition();
    noBlackKing.board[60] = EMPTY_SQUARE;
    noBlackKing.sideToMove = 'b';
    EXPECT_EQ(DecideTurn(noBlackKing, bothComputer), TurnAction::WHITE_WINS);

    // Only the side to move's king counts: White to move without Black's
    // king is not yet announced here (the computer finds no move instead).
    noBlackKing.sideToMove = 'w';
    EXPECT_EQ(DecideTurn(noBlackKing, bothHuman), TurnAction::WAIT_FOR_HUMAN);
}

TEST(PlayerButtons, TableAndChoice) {
    ASSERT_EQ(FindPlayerButton(1), nullptr);
    ASSERT_EQ(FindPlayerButton(6), nullptr);
    const PlayerButton* blackHuman = FindPlayerButton(2);
    const PlayerButton* blackComputer = FindPlayerButton(3);
    const PlayerButton* whiteHuman = FindPlayerButton(4);
    const PlayerButton* whiteComputer = FindPlayerButton(5);
    ASSERT_TRUE(blackHuman && blackComputer && whiteHuman && whiteComputer);
    EXPECT_EQ(blackHuman->sideIndex, SideIndex('b'));
    EXPECT_EQ(whiteComputer->sideIndex, SideIndex('w'));
    EXPECT_EQ(blackComputer->x, 450);
    EXPECT_EQ(blackComputer->y, 40);
    EXPECT_EQ(whiteHuman->x, 380);
    EXPECT_EQ(whiteHuman->y, 95);

    int32_t kinds[2] = {HUMAN_PLAYER, HUMAN_PLAYER};
    EXPECT_TRUE(IsChosen(*blackHuman, kinds));
    EXPECT_FALSE(IsChosen(*blackComputer, kinds));
    kinds[1] = COMPUTER_PLAYER;
    EXPECT_FALSE(IsChosen(*blackHuman, kinds));
    EXPECT_TRUE(IsChosen(*blackComputer, kinds));
    EXPECT_TRUE(IsChosen(*whiteHuman, kinds));
}
