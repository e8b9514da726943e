// The computer as a player: answering the human on either side, and playing
// both sides on its own while the window stays responsive and a click on
// "玩家" stops it.
#include "board_check.h"
#include "board_geometry.h"
#include "board_input.h"
#include "message_boxes.h"
#include "move_list.h"
#include "move_replay.h"
#include "poll.h"
#include "scenario.h"
#include "scenario_steps.h"

namespace {

constexpr int COMPUTER_MOVE_MS = 60000;  // a depth-5 search, however slow the machine
constexpr COLORREF CHOSEN_DOT = 0x00FF00, OTHER_DOT = 0xFFFFFF;

void RequireDot(ScenarioContext& context, int button, COLORREF colour) {
    HWND window = context.game.Child(button);
    COLORREF seen = CLR_INVALID;
    WaitUntil([&] { return (seen = ClientPixel(window, 10, 10)) == colour; });
    Require(seen == colour, "button " + std::to_string(button) + "'s dot is " + ColourName(seen) +
                                " instead of " + ColourName(colour));
}

// The computer's entry at index: its side's form, a legal move, and the
// board showing the game so far.
void RequireComputerEntry(ScenarioContext& context, size_t index, bool white) {
    const std::vector<std::string> entries = ReadMoveList(context);
    Require(entries.size() > index, "the computer's move was not recorded");
    RecordedMove move{};
    Require(ParseEntry(entries[index], move) && move.white == white,
            "the computer's move is recorded as \"" + entries[index] + "\"");
    const PositionRecord position = ReplayMoveList(context);
    RequireBoardShows(context, position, "after the computer's " + entries[index]);
    Require(SquareIsEmpty(CaptureBoard(context), move.from),
            "the computer's piece is still on " + SquareName(move.from));
}

// Drags some legal move of the side to move, chosen by the rules; the
// caller waits for what follows.
void DragAnyMove(ScenarioContext& context) {
    const PositionRecord position = ReplayMoveList(context);
    Square from{}, to{};
    Require(FindLegalMove(position, from, to), "the side to move has no move");
    DragPiece(context, from, to);
}

void BlackComputer(ScenarioContext& context) {
    ClickPlayerButton(context, BLACK_COMPUTER_BUTTON);
    RequireDot(context, BLACK_COMPUTER_BUTTON, CHOSEN_DOT);
    RequireDot(context, BLACK_HUMAN_BUTTON, OTHER_DOT);
    RequireDot(context, WHITE_HUMAN_BUTTON, CHOSEN_DOT);
    RequireDot(context, WHITE_COMPUTER_BUTTON, OTHER_DOT);
    RequireListCount(context, 0, 0);  // White is to move: the computer waits
    DragPiece(context, "e2", "e4");
    RequireListCount(context, 2, COMPUTER_MOVE_MS);
    RequireComputerEntry(context, 1, false);
    context.SaveScreenshot("reply");
    DragAnyMove(context);
    RequireListCount(context, 4, COMPUTER_MOVE_MS);
    RequireComputerEntry(context, 3, false);
}

void WhiteComputer(ScenarioContext& context) {
    ClickPlayerButton(context, WHITE_COMPUTER_BUTTON);  // White is to move: it plays at once
    RequireListCount(context, 1, COMPUTER_MOVE_MS);
    RequireComputerEntry(context, 0, true);
    RequireDot(context, WHITE_COMPUTER_BUTTON, CHOSEN_DOT);
    RequireDot(context, WHITE_HUMAN_BUTTON, OTHER_DOT);
    DragAnyMove(context);
    RequireListCount(context, 3, COMPUTER_MOVE_MS);
    RequireComputerEntry(context, 2, true);
    context.SaveScreenshot("reply");
}

struct WatchResult {
    int moves = 0;        // entries seen in the list
    int largestStep = 0;  // the most entries added between two answers of the window
    int answered = 0;     // quick probes answered right after a move
    bool ended = false;   // a win message came up
};

// Watches the computer play itself until the list passes target entries.
// The window must answer between moves: each read of the list returns once
// the move under way is made, so a read never sees more than a move or two
// added since the one before. Right after each move a quick probe
// (100 ms, SMTO_ABORTIFHUNG) must find the window waiting for messages.
WatchResult WatchComputerGame(ScenarioContext& context, int target) {
    HWND list = context.game.Child(MOVE_LIST_ID);
    WatchResult watch;
    const unsigned long long deadline = NowMs() + 2ull * COMPUTER_MOVE_MS;
    while (!watch.ended && watch.moves <= target && NowMs() < deadline) {
        DWORD_PTR count = 0;
        Require(SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, COMPUTER_MOVE_MS, &count),
                "the window did not answer for a whole computer move");
        const int now = static_cast<int>(count);
        if (now > watch.moves) {
            if (context.game.Answers(100)) ++watch.answered;
            if (now - watch.moves > watch.largestStep) watch.largestStep = now - watch.moves;
            watch.moves = now;
        }
        if (DismissMessageBoxes(context.game.Window()) > 0) watch.ended = true;
        Sleep(1);
    }
    Require(watch.ended || watch.moves > target,
            "the computer played only " + std::to_string(watch.moves) + " moves by itself");
    return watch;
}

void ComputerVersusComputer(ScenarioContext& context) {
    ClickPlayerButton(context, BLACK_COMPUTER_BUTTON);
    ClickPlayerButton(context, WHITE_COMPUTER_BUTTON);
    const WatchResult watch = WatchComputerGame(context, 6);
    context.SaveScreenshot("playing");
    Require(watch.largestStep <= 2, "the window did not answer while the computer made " +
                                        std::to_string(watch.largestStep) + " moves");
    Require(watch.answered * 2 >= watch.moves,
            "the window answered only " + std::to_string(watch.answered) + " quick probes in " +
                std::to_string(watch.moves) + " computer moves");
    ClickPlayerButton(context, WHITE_HUMAN_BUTTON);
    ClickPlayerButton(context, BLACK_HUMAN_BUTTON);
    DismissMessageBoxes(context.game.Window());
    RequireListSteady(context, 1500, "after both sides were given back to the human");
    const PositionRecord position = ReplayMoveList(context);
    RequireBoardShows(context, position, "after the computer stopped");
    context.SaveScreenshot("stopped");
    if (watch.ended || !SideToMoveHasKing(position)) return;
    // The human plays on, and nothing answers.
    const int before = static_cast<int>(ReadMoveList(context).size());
    DragAnyMove(context);
    RequireListCount(context, before + 1, DEFAULT_WAIT_MS);
    RequireListSteady(context, 1000, "after the human's move");
    RequireBoardShows(context, ReplayMoveList(context), "after the human's move");
}

}  // namespace

void AddComputerScenarios(std::vector<Scenario>& scenarios) {
    scenarios.push_back({"black_computer", BlackComputer});
    scenarios.push_back({"white_computer", WhiteComputer});
    scenarios.push_back({"computer_vs_computer", ComputerVersusComputer});
}
