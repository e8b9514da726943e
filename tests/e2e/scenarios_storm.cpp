// An input storm: a fixed pseudo-random run of clicks and drags over the
// whole window, now and then with the computer playing one side. Afterwards
// the game still runs, no drag is left hanging, the board shows the game that
// the list records, and a normal move still works.
#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "board_check.h"
#include "board_geometry.h"
#include "board_input.h"
#include "message_boxes.h"
#include "mouse.h"
#include "move_list.h"
#include "move_replay.h"
#include "poll.h"
#include "rules/legality.h"
#include "scenario.h"
#include "scenario_steps.h"

namespace {

// The storm is the same on every run; QUILLMATE_STORM_SEED picks another.
constexpr uint32_t DEFAULT_SEED = 20240611;
constexpr int EVENTS = 300;
constexpr int CHECK_EVERY = 25;

// xorshift32: the same numbers with every compiler and library.
class Random {
   public:
    explicit Random(uint32_t seed) : state_(seed) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int Below(int bound) { return static_cast<int>(Next() % static_cast<uint32_t>(bound)); }

   private:
    uint32_t state_;
};

uint32_t StormSeed() {
    char text[32] = {};
    if (GetEnvironmentVariableA("QUILLMATE_STORM_SEED", text, sizeof text) == 0)
        return DEFAULT_SEED;
    const uint32_t seed = static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
    return seed != 0 ? seed : DEFAULT_SEED;  // xorshift never leaves 0
}

struct Storm {
    explicit Storm(ScenarioContext& scenario, uint32_t seed) : context(scenario), random(seed) {}

    ScenarioContext& context;
    Random random;
    std::ofstream log;
    int computerButton = 0;  // the "电脑" button in force, 0 for none
    int giveBackAt = 0;      // the event at which its side goes back to the human
};

POINT OnScreen(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

// A random point of a window's client area, x drawn before y: the order in
// which arguments are evaluated differs between compilers.
POINT RandomPoint(Storm& storm, HWND window, const RECT& area) {
    const int x = area.left + storm.random.Below(area.right - area.left);
    const int y = area.top + storm.random.Below(area.bottom - area.top);
    return OnScreen(window, x, y);
}

// Anywhere on the board window, margins included.
POINT BoardPoint(Storm& storm) {
    return RandomPoint(storm, storm.context.game.Child(BOARD_ID),
                       RECT{0, 0, BOARD_SIZE, BOARD_SIZE});
}

// Anywhere in the main window's client area.
POINT WindowPoint(Storm& storm) {
    HWND main = storm.context.game.Window();
    RECT client{};
    GetClientRect(main, &client);
    return RandomPoint(storm, main, client);
}

// A move the rules accept for the side to move, chosen at random.
bool RandomLegalMove(Storm& storm, Square& from, Square& to) {
    std::vector<std::string> entries;
    PositionRecord position{};
    std::string error;
    if (!ListEntries(storm.context.game.Child(MOVE_LIST_ID), entries) ||
        !ReplayEntries(entries, position, error))
        return false;
    std::vector<std::pair<Square, Square>> moves;
    ForEachSquare([&](Square a) {
        if (SideOf(PieceAt(position, a.file, a.rank)) != position.sideToMove) return;
        ForEachSquare([&](Square b) {
            if (CheckMove(position, a.file, a.rank, b.file, b.rank) == MOVE_LEGAL)
                moves.push_back({a, b});
        });
    });
    if (moves.empty()) return false;
    const auto& move =
        moves[static_cast<size_t>(storm.random.Below(static_cast<int>(moves.size())))];
    from = move.first;
    to = move.second;
    return true;
}

void ClickButton(Storm& storm, int id) {
    HWND button = storm.context.game.Child(id);
    ClickAt(RandomPoint(storm, button, RECT{5, 3, 50, 17}), storm.context.game.Window());
    storm.log << "click button " << id << "\n";
}

// Now and then one side goes to the computer for a few events.
void PlayerButtonEvent(Storm& storm, int event) {
    if (storm.computerButton == 0 && storm.random.Below(3) == 0) {
        storm.computerButton =
            storm.random.Below(2) == 0 ? BLACK_COMPUTER_BUTTON : WHITE_COMPUTER_BUTTON;
        storm.giveBackAt = event + 3 + storm.random.Below(8);
        ClickButton(storm, storm.computerButton);
    } else {
        ClickButton(storm, storm.random.Below(2) == 0 ? BLACK_HUMAN_BUTTON : WHITE_HUMAN_BUTTON);
    }
}

void DragEvent(Storm& storm, POINT from, POINT to) {
    DragBetween(from, to, 1 + storm.random.Below(4), storm.context.game.Window());
    storm.log << "drag " << from.x << "," << from.y << " -> " << to.x << "," << to.y << "\n";
}

void StormEvent(Storm& storm, int event) {
    if (storm.computerButton != 0 && event >= storm.giveBackAt) {
        ClickButton(storm, storm.computerButton - 1);  // that side's "玩家"
        storm.computerButton = 0;
        return;
    }
    const int roll = storm.random.Below(100);
    HWND board = storm.context.game.Child(BOARD_ID);
    Square from{}, to{};
    if (roll < 25 && RandomLegalMove(storm, from, to)) {
        DragEvent(storm, SquareCentreOnScreen(board, from), SquareCentreOnScreen(board, to));
    } else if (roll < 55) {
        const POINT start = BoardPoint(storm);
        DragEvent(storm, start, BoardPoint(storm));
    } else if (roll < 65) {
        const POINT start = WindowPoint(storm);
        DragEvent(storm, start, WindowPoint(storm));
    } else if (roll < 80) {
        const POINT at = BoardPoint(storm);
        ClickAt(at, storm.context.game.Window());
        storm.log << "click " << at.x << "," << at.y << "\n";
    } else if (roll < 90) {
        const POINT at = WindowPoint(storm);
        ClickAt(at, storm.context.game.Window());
        storm.log << "click " << at.x << "," << at.y << "\n";
    } else {
        PlayerButtonEvent(storm, event);
    }
}

// Both sides back to the human, every box closed and the game at rest. A
// click on the window while a box is up does nothing, so keep at it until
// both "玩家" buttons show their green dots.
void Settle(ScenarioContext& context) {
    HWND main = context.game.Window();
    const auto human = [&] {
        return PlayerButtonChosen(context, WHITE_HUMAN_BUTTON) &&
               PlayerButtonChosen(context, BLACK_HUMAN_BUTTON);
    };
    const bool settled = WaitUntil([&] {
        DismissMessageBoxes(main);
        for (int id : {WHITE_HUMAN_BUTTON, BLACK_HUMAN_BUTTON}) {
            if (!PlayerButtonChosen(context, id)) ClickPlayerButton(context, id);
            DismissMessageBoxes(main);
        }
        WaitForInputHandled(context);
        return human() && !FindMessageBox(main);
    });
    Require(settled, "both sides could not be given back to the human after the storm");
    RequireListSteady(context, 1000, "after the storm");
    // A computer move just before the clicks hands on the turn a moment
    // later; after a lost king that shows the win message once more.
    DismissMessageBoxes(main);
}

// A normal move by drag after the storm: recorded, and shown.
void RequireNormalMove(ScenarioContext& context, PositionRecord position) {
    Square from{}, to{};
    Require(FindLegalMove(position, from, to), "the side to move has no move after the storm");
    const int before = static_cast<int>(ReadMoveList(context).size());
    const bool gameOver = !SideToMoveHasKing(position);
    DragPiece(context, from, to);
    RequireListCount(context, before + 1, DEFAULT_WAIT_MS);
    if (gameOver) DismissMessageBoxes(context.game.Window());
    RequireBoardShows(context, ReplayMoveList(context), "after a move following the storm");
}

void InputStorm(ScenarioContext& context) {
    const uint32_t seed = StormSeed();
    Storm storm(context, seed);
    storm.log.open(context.artifactDir + "/" + context.name + "-events.txt");
    storm.log << "seed " << seed << "\n";
    HWND main = context.game.Window();
    for (int event = 0; event < EVENTS; ++event) {
        storm.log << event << ": ";
        StormEvent(storm, event);
        DismissMessageBoxes(main);
        if (event % CHECK_EVERY == CHECK_EVERY - 1) {
            Require(context.game.IsRunning(),
                    "the game ended during the storm, at event " + std::to_string(event));
            WaitForInputHandled(context);
        }
    }
    Settle(context);
    Require(context.game.IsRunning(), "the game ended during the storm");
    Require(WaitUntil(PointerIsFree), "the pointer is still confined after the storm");
    const PositionRecord position = ReplayMoveList(context);
    RequireBoardShows(context, position, "after the storm");
    context.SaveScreenshot("after");
    RequireNormalMove(context, position);
}

}  // namespace

void AddStormScenarios(std::vector<Scenario>& scenarios) {
    scenarios.push_back({"input_storm", InputStorm});
}
