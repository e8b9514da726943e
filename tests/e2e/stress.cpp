// The long steps: the computer playing itself, many drags and repaints
// counted for leaks, and a storm of random input.
#include <cstdlib>
#include <fstream>

#include "check.h"
#include "mouse.h"
#include "steps.h"

namespace {

constexpr uint32_t MARK = 0xFF00FF;  // a colour that the game never draws

// xorshift32: the same storm with every compiler and library.
struct Random {
    uint32_t state;
    int Below(int bound) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<int>(state % static_cast<uint32_t>(bound));
    }
};

POINT Anywhere(Random& random, HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT point{random.Below(client.right), 0};  // x first, whatever the compiler's order
    point.y = random.Below(client.bottom);
    ClientToScreen(window, &point);
    return point;
}

}  // namespace

// Between two computer moves the game takes messages and repaints: a mark
// painted over the board is gone again before the computer has made two
// more moves, and the board then shows the game so far.
void RunWatch(Run& run, int entries) {
    HWND board = run.game.Child(BOARD), list = run.game.Child(MOVE_LIST);
    for (int count = 0; count < entries && !FindMessageBox(run.game.main);) {
        Require(PaintOver(board, RECT{0, 0, 8, 8}, MARK), "cannot draw over the board");
        const int before = ListCount(list, COMPUTER_WAIT_MS);
        RedrawWindow(board, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        Require(WaitUntil(
                    [&] {
                        return CaptureClient(board, RECT{0, 0, 1, 1}).pixels[0] != MARK;
                    },
                    COMPUTER_WAIT_MS),
                "the board was not repainted while the computer played");
        count = ListCount(list, COMPUTER_WAIT_MS);
        Require(before >= 0 && count - before <= 2,
                "the board was repainted only after " + std::to_string(count - before) + " moves");
        RequireBoard(run, [&] { return GameDifference(run); });
    }
}

// Drags (four knight moves there and back and a refused pawn move, over and
// over) and repaints of the board and of the whole window leave the game
// with as many GDI objects as before, give or take two.
void RunLeaks(Run& run, int count) {
    HWND board = run.game.Child(BOARD);
    const char* cycle[] = {"g1f3", "g8f6", "f3g1", "f6g8", "e2e5"};
    const auto repaint = [&](int k) {
        RECT client{};
        GetClientRect(board, &client);
        Require(PaintOver(board, client, MARK), "cannot draw over the board");
        RedrawWindow(k % 2 ? run.game.main : board, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        RunStep(run, {ExpectBoard, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR"});
    };
    const auto measure = [&] {
        int objects = 0;
        WaitForInputHandled(run);
        Require(CountGdiObjects(run.game.process, objects), "cannot count the GDI objects");
        return objects;
    };
    // First what lives as long as the game: the drag's snapshot, the list's
    // scroll bar once it has more entries than it shows.
    for (int k = 0; k < 22; ++k) k < 20 ? DragSquares(run, cycle[k % 5], true) : repaint(k);
    const int before = measure();
    for (int k = 0; k < count; ++k) DragSquares(run, cycle[k % 5], true);
    for (int k = 0; k < count; ++k) repaint(k);
    const int after = measure();
    std::ofstream(run.artifacts + "/" + run.name + ".txt")
        << "GDI objects: " << before << " before, " << after << " after " << count << " drags and "
        << count << " repaints\n";
    RunStep(run, {ExpectMoves, "", (count / 5 + 4) * 4});
    Require(after <= before + 2,
            "GDI objects grew from " + std::to_string(before) + " to " + std::to_string(after));
}

// Clicks and drags anywhere, legal moves, and now and then one side played
// by the computer for a few events. Afterwards the game answers, no drag is
// left over, the board shows the game that the list records, and a normal
// move works. QUILLMATE_STORM_SEED chooses another storm.
void RunStorm(Run& run, int events) {
    const char* seedText = std::getenv("QUILLMATE_STORM_SEED");
    const uint32_t seed = seedText ? static_cast<uint32_t>(std::strtoul(seedText, nullptr, 10)) : 0;
    Random random{seed ? seed : 20240611u};  // xorshift never leaves 0
    std::ofstream log(run.artifacts + "/" + run.name + "-events.txt");
    log << "seed " << random.state << "\n";
    HWND main = run.game.main, board = run.game.Child(BOARD);
    int computer = 0, giveBackAt = 0;
    for (int event = 0; event < events; ++event) {
        const int roll = random.Below(100);
        int from = 0, to = 0;
        if (computer && event >= giveBackAt) {
            log << event << ": button " << computer - 1 << "\n";  // that side's "玩家"
            DismissMessageBoxes(main);
            ClickButton(run, computer - 1);
            computer = 0;
        } else if (roll < 8 && !computer) {
            computer = random.Below(2) ? BLACK_COMPUTER : WHITE_COMPUTER;
            giveBackAt = event + 3 + random.Below(8);
            log << event << ": button " << computer << "\n";
            DismissMessageBoxes(main);
            ClickButton(run, computer);
        } else if (roll < 35 && AnyMove(GamePosition(run), from, to, random.Below(1000))) {
            log << event << ": move " << SquareName(from) << SquareName(to) << "\n";
            DragPointer(main, SquareOnScreen(board, from), SquareOnScreen(board, to), 3);
        } else {
            HWND area = roll < 75 ? board : main;
            const POINT a = Anywhere(random, area), b = Anywhere(random, area);
            log << event << ": " << a.x << "," << a.y << " -> " << b.x << "," << b.y << "\n";
            DragPointer(main, a, b, 1 + random.Below(4));
        }
        DismissMessageBoxes(main);
        if (event % 25 == 24) WaitForInputHandled(run);
    }
    // Both sides back to the human; a click while a box is up goes nowhere.
    Require(WaitUntil([&] {
                for (int id : {WHITE_HUMAN, BLACK_HUMAN}) {
                    DismissMessageBoxes(main);
                    if (!ShowsGreenDot(run, id)) ClickButton(run, id);
                }
                return ShowsGreenDot(run, WHITE_HUMAN) && ShowsGreenDot(run, BLACK_HUMAN);
            }),
            "the sides could not be given back to the human");
    DismissMessageBoxes(main);
    for (const Step& step :
         {Step{ExpectSteady, "", 1000}, Step{ExpectBoard}, Step{Screenshot, "after"}, Step{Drag}})
        RunStep(run, step);
}
