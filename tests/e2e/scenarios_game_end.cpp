// The end of a game and of the program: a captured king announced in a
// message box, again at every turn notification, and the window closed with
// exit code 0, also while the computer plays.
#include "board_input.h"
#include "message_boxes.h"
#include "move_list.h"
#include "poll.h"
#include "scenario.h"
#include "scenario_steps.h"
#include "screen.h"

namespace {

constexpr char WHITE_WINS[] = "\xB0\xD7\xB7\xBD\xCA\xA4";  // 白方胜
constexpr char BLACK_WINS[] = "\xBA\xDA\xB7\xBD\xCA\xA4";  // 黑方胜
constexpr char GAME_CAPTION[] = "Rezu";

bool IsInk(COLORREF p) { return GetRValue(p) < 0x80 && GetGValue(p) < 0x80 && GetBValue(p) < 0x80; }

struct Move {
    const char* from;
    const char* to;
};

// Waits for the game's win message, checks it and closes it.
void RequireWinMessage(ScenarioContext& context, const char* text, const std::string& when) {
    HWND main = context.game.Window();
    HWND box = WaitForMessageBox(main, DEFAULT_WAIT_MS);
    Require(box != nullptr, when + ": no message box owned by the main window appeared");
    const std::string caption = WindowTextAnsi(box), message = MessageBoxText(box);
    Require(caption == GAME_CAPTION, when + ": the box's caption is \"" + caption + "\"");
    Require(message == text, when + ": the box says \"" + message + "\", not \"" + text + "\"");
    // The box may not have drawn its text yet; the picture can wait a moment.
    WaitUntil([&] { return CountPixels(CaptureClient(box), IsInk) > 0; }, 2000);
    context.SaveScreenshot("win-message");
    Require(DismissMessageBox(box), when + ": the box did not close on OK");
    Require(FindMessageBox(main) == nullptr, when + ": another box followed");
}

void PlayUntilKingTaken(ScenarioContext& context, const Move* moves, int count) {
    PositionRecord position = InitialPosition();
    for (int i = 0; i + 1 < count; ++i) PlayMove(context, position, moves[i].from, moves[i].to);
    // The capture itself: its message box comes up before the board settles.
    DragPiece(context, moves[count - 1].from, moves[count - 1].to);
}

// The game stays over: every notification repeats the message, the computer
// never moves for the side without its king, and the list stays as it is.
void RequireGameStaysOver(ScenarioContext& context, const char* text, int entries,
                          int kinglessComputerButton) {
    ClickPlayerButton(context, WHITE_HUMAN_BUTTON);
    RequireWinMessage(context, text, "after a click on White's \"玩家\"");
    ClickPlayerButton(context, kinglessComputerButton);
    RequireWinMessage(context, text, "after the side without its king went to the computer");
    RequireListSteady(context, 1000, "after the game ended");
    RequireListCount(context, entries, 0);
}

void WhiteTakesKing(ScenarioContext& context) {
    const Move moves[] = {{"e2", "e4"}, {"f7", "f6"}, {"d1", "h5"}, {"a7", "a6"}, {"h5", "e8"}};
    PlayUntilKingTaken(context, moves, 5);
    RequireWinMessage(context, WHITE_WINS, "after White took the king");
    const std::vector<std::string> entries = ReadMoveList(context);
    Require(entries.size() == 5 && entries.back() == "3. H5 - E8",
            "the capture is recorded as \"" + entries.back() + "\"");
    RequireGameStaysOver(context, WHITE_WINS, 5, BLACK_COMPUTER_BUTTON);
}

void BlackTakesKing(ScenarioContext& context) {
    const Move moves[] = {{"f2", "f3"}, {"e7", "e5"}, {"a2", "a3"},
                          {"d8", "h4"}, {"b2", "b3"}, {"h4", "e1"}};
    PlayUntilKingTaken(context, moves, 6);
    RequireWinMessage(context, BLACK_WINS, "after Black took the king");
    RequireGameStaysOver(context, BLACK_WINS, 6, WHITE_COMPUTER_BUTTON);
}

void RequireExitCodeZero(ScenarioContext& context, const std::string& when) {
    DWORD exitCode = STILL_ACTIVE;
    Require(context.game.Close(exitCode), when + ": the game did not end after WM_CLOSE");
    Require(exitCode == 0, when + ": the game ended with exit code " + std::to_string(exitCode));
}

void CloseWindow(ScenarioContext& context) {
    PositionRecord position = InitialPosition();
    PlayMove(context, position, "d2", "d4");
    RequireExitCodeZero(context, "closed after a move");
}

void CloseWhileComputerPlays(ScenarioContext& context) {
    ClickPlayerButton(context, BLACK_COMPUTER_BUTTON);
    ClickPlayerButton(context, WHITE_COMPUTER_BUTTON);
    Require(WaitForListCount(context.game.Child(MOVE_LIST_ID), 2, DEFAULT_WAIT_MS * 6),
            "the computer did not start playing");
    RequireExitCodeZero(context, "closed while the computer played itself");
}

}  // namespace

void AddGameEndScenarios(std::vector<Scenario>& scenarios) {
    scenarios.push_back({"white_takes_king", WhiteTakesKing});
    scenarios.push_back({"black_takes_king", BlackTakesKing});
    scenarios.push_back({"close_window", CloseWindow});
    scenarios.push_back({"close_while_computer_plays", CloseWhileComputerPlays});
}
