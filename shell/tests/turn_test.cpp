#include <gtest/gtest.h>

#include "board/pickup.h"
#include "rules/make_move.h"
#include "shell/game_state.h"
#include "shell/player_panel_table.h"
#include "shell/turn.h"

namespace {

constexpr int32_t H = HUMAN_PLAYER, C = COMPUTER_PLAYER;
constexpr TurnAction WAIT = TurnAction::WAIT_FOR_HUMAN, MOVE = TurnAction::COMPUTER_MOVES,
                     BLACK_WINS = TurnAction::BLACK_WINS, WHITE_WINS = TurnAction::WHITE_WINS;

PositionRecord Without(int kingSquare, char sideToMove) {
    PositionRecord position = InitialPosition();
    position.board[kingSquare] = EMPTY_SQUARE;
    position.sideToMove = sideToMove;
    return position;
}

}  // namespace

TEST(GameState, TheGameStartsFromTheInitialPositionWithBothSidesHuman) {
    EXPECT_EQ(CurrentPosition, InitialPosition());
    EXPECT_TRUE(PlayerKinds[0] == H && PlayerKinds[1] == H);
}

// A lost king of the side to move ends the game whoever plays (only that
// side's king counts); otherwise the computer moves for its own side only.
TEST(Turn, TheKingOfTheSideToMoveThenItsPlayer) {
    PositionRecord afterE4;
    MakeMove(InitialPosition(), 5, 2, 5, 4, afterE4);
    const struct {
        PositionRecord position;
        TurnAction action[4];  // White and Black played by HH, HC, CH, CC
    } cases[] = {{InitialPosition(), {WAIT, WAIT, MOVE, MOVE}},
                 {afterE4, {WAIT, MOVE, WAIT, MOVE}},
                 {Without(4, 'w'), {BLACK_WINS, BLACK_WINS, BLACK_WINS, BLACK_WINS}},
                 {Without(60, 'b'), {WHITE_WINS, WHITE_WINS, WHITE_WINS, WHITE_WINS}},
                 {Without(60, 'w'), {WAIT, WAIT, MOVE, MOVE}}};
    for (const auto& c : cases) {
        for (int k = 0; k < 4; ++k) {
            const int32_t kinds[2] = {k < 2 ? H : C, k % 2 ? C : H};
            EXPECT_EQ(DecideTurn(c.position, kinds), c.action[k]) << c.position.sideToMove << k;
        }
    }
}

// Each side has a human and a computer button side by side, labelled after
// their kind; the one of the side's player shows the chosen dot.
TEST(PlayerButtons, OneButtonPerSideAndKind) {
    const int last = FIRST_PLAYER_BUTTON_ID + PLAYER_BUTTON_COUNT - 1;
    EXPECT_TRUE(!FindPlayerButton(FIRST_PLAYER_BUTTON_ID - 1) && !FindPlayerButton(last + 1));
    const int32_t kinds[2] = {C, H};
    for (int id = FIRST_PLAYER_BUTTON_ID; id <= last; ++id) {
        const PlayerButton* button = FindPlayerButton(id);
        ASSERT_TRUE(button && button->controlId == id);
        const PlayerButton* left = FindPlayerButton(FirstButtonOfSide(*button));
        const PlayerButton* right = FindPlayerButton(FirstButtonOfSide(*button) + 1);
        ASSERT_TRUE(left && right && left->y == right->y && left->kind == H && right->kind == C);
        EXPECT_TRUE(left->sideIndex == button->sideIndex && right->sideIndex == button->sideIndex);
        EXPECT_STREQ(PLAYER_LABELS[id - FIRST_PLAYER_BUTTON_ID],
                     button->kind == H ? TEXT_PLAYER : TEXT_COMPUTER);
        EXPECT_EQ(IsChosen(*button, kinds), button->kind == kinds[button->sideIndex]);
    }
}
