// The four player buttons: which side each chooses for and whom.
#pragma once

#include <cstdint>

#include "board/pickup.h"
#include "shell/texts.h"

constexpr int FIRST_PLAYER_BUTTON_ID = 2;
constexpr int PLAYER_BUTTON_COUNT = 4;

struct PlayerButton {
    int controlId;
    int x, y;       // in the main window's client area
    int sideIndex;  // 0 White, 1 Black, as SideIndex gives
    int32_t kind;   // HUMAN_PLAYER or COMPUTER_PLAYER
};

constexpr PlayerButton PLAYER_BUTTONS[PLAYER_BUTTON_COUNT] = {
    {2, 380, 40, 1, HUMAN_PLAYER},
    {3, 450, 40, 1, COMPUTER_PLAYER},
    {4, 380, 95, 0, HUMAN_PLAYER},
    {5, 450, 95, 0, COMPUTER_PLAYER},
};

// The labels, indexed by control id - 2: ten bytes each, zero-padded.
constexpr char PLAYER_LABELS[PLAYER_BUTTON_COUNT][10] = {
    "\xCD\xE6\xBC\xD2",  // 玩家
    "\xB5\xE7\xC4\xD4",  // 电脑
    "\xCD\xE6\xBC\xD2",  // 玩家
    "\xB5\xE7\xC4\xD4",  // 电脑
};

// The button with a control id, or nullptr for any other id.
inline const PlayerButton* FindPlayerButton(int controlId) {
    const int index = controlId - FIRST_PLAYER_BUTTON_ID;
    return index >= 0 && index < PLAYER_BUTTON_COUNT ? &PLAYER_BUTTONS[index] : nullptr;
}

// The control id of the first of the two buttons of the button's side; the
// other is the next id.
constexpr int FirstButtonOfSide(const PlayerButton& button) {
    return button.controlId - (button.controlId - FIRST_PLAYER_BUTTON_ID) % 2;
}

// Whether the button shows the chosen (green) dot.
inline bool IsChosen(const PlayerButton& button, const int32_t playerKinds[2]) {
    return playerKinds[button.sideIndex] == button.kind;
}
