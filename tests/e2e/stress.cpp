// The long steps: the computer playing itself, many drags and repaints
// counted for leaks, and a storm of random input.
#include <cstdlib>
#include <fstream>

#include "steps.h"

namespace {

constexpr uint32_t MARK = 0xFF00FF;  // a colour that the game never draws

// Paints over the window and has it repaint itself, through the message
// queue or (now) at once; false when the mark is not gone within timeoutMs.
bool Repainted(HWND window, const RECT& area, bool now, int timeoutMs) {
    Require(PaintOver(window, area, MARK), "cannot draw over the game");
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | (now ? RDW_UPDATENOW : 0));
    const RECT corner{area.left, area.top, area.left + 1, area.top + 1};
    return WaitUntil([&] { return CaptureClient(window, corner).pixels[0] != MARK; }, timeoutMs);
}

}  // namespace

// Between two computer moves the game takes messages and repaints: a mark
// over the board is gone before the computer has made two more moves.
void RunWatch(Run& run, int entries) {
    HWND board = run.game.Child(BOARD), list = run.game.Child(LIST);
    for (int count = 0; count < entries && !FindMessageBox(run.game.main);) {
        const int before = ListCount(list, COMPUTER_WAIT_MS);
        Require(Repainted(board, RECT{0, 0, 8, 8}, false, COMPUTER_WAIT_MS),
                "the board was not repainted while the computer played");
        count = ListCount(list, COMPUTER_WAIT_MS);
        Require(before >= 0 && count - before <= 2,
                "the board was repainted only after " + std::to_string(count - before) + " moves");
        RequireGameShown(run);
    }
}

// Drags (four knight moves there and back and a refused pawn move, over and
// over) and repaints of the board and of the whole window leave the game as
// many GDI objects as before, give or take two.
void RunLeaks(Run& run, int count) {
    HWND board = run.game.Child(BOARD);
    const char* cycle[] = {"g1f3", "g8f6", "f3g1", "f6g8", "e2e5"};
    const auto repaint = [&](int k) {
        RECT client{};
        GetClientRect(board, &client);
        Repainted(k % 2 ? run.game.main : board, client, true, WAIT_MS);
        RunStep(run, {ExpectBoard, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR"});
    };
    const auto measure = [&] {
        int objects = 0;
        WaitForInputHandled(run);
        Require(CountGdiObjects(run.game.process, objects), "cannot count the GDI objects");
        return objects;
    };
    // First what lives as long as the game: the drag's snapshot, the list's
    // scroll bar once the list holds more entries than it shows.
    for (int k = 0; k < 22; ++k) k < 20 ? DragSquares(run, cycle[k % 5], k % 5 < 4) : repaint(k);
    const int before = measure();
    for (int k = 0; k < count; ++k) DragSquares(run, cycle[k % 5], k % 5 < 4);
    for (int k = 0; k < count; ++k) repaint(k);
    const int after = measure();
    std::ofstream(run.artifacts + "/" + run.name + ".txt")
        << "GDI objects: " << before << " before, " << after << " after " << count << " drags and "
        << count << " repaints\n";
    RunStep(run, {ExpectMoves, "", (count / 5 + 4) * 4});
    Require(after <= before + 2,
            "GDI objects grew from " + std::to_string(before) + " to " + std::to_string(after));
}

// Clicks and drags anywhere, legal moves among them, with now and then one
// side played by the computer. Then both sides go back to the human, the
// board shows the game that the list records, and a normal move works.
void RunStorm(Run& run, int events) {
    const char* seedText = std::getenv("QUILLMATE_STORM_SEED");  // another storm than usual
    uint32_t state = seedText ? static_cast<uint32_t>(std::strtoul(seedText, nullptr, 10)) : 0;
    state = state ? state : 20240611u;  // xorshift32 never leaves 0
    const auto below = [&](int bound) {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        return static_cast<int>(state % static_cast<uint32_t>(bound));
    };
    const auto anywhere = [&](HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        POINT point{below(client.right), 0};  // x first, whatever the compiler's order
        point.y = below(client.bottom);
        ClientToScreen(window, &point);
        return point;
    };
    std::ofstream log(run.artifacts + "/" + run.name + "-events.txt");
    // Each line is flushed before its event, so a failure's log ends with it.
    log << "seed " << state << std::endl;
    HWND main = run.game.main, board = run.game.Child(BOARD);
    for (int event = 0, computer = 0, until = 0; event < events; ++event) {
        const int roll = below(100);
        int from = 0, to = 0;
        DismissMessageBoxes(main);
        if (computer && event >= until) {
            log << event << ": button " << computer - 1 << std::endl;
            ClickButton(run, computer - 1);  // that side's "玩家"
            computer = 0;
        } else if (roll < 8 && !computer) {
            computer = below(2) ? BLACK_COMPUTER : WHITE_COMPUTER, until = event + 3 + below(8);
            log << event << ": button " << computer << std::endl;
            ClickButton(run, computer);
        } else if (roll < 35 && AnyMove(GamePosition(run), from, to, below(1000))) {
            log << event << ": " << SquareName(from) << SquareName(to) << std::endl;
            DragPointer(main, SquareOnScreen(board, from), SquareOnScreen(board, to), 3, nullptr,
                        0);
        } else {
            HWND area = roll < 75 ? board : main;
            const POINT a = anywhere(area), b = anywhere(area);
            log << event << ": " << a.x << "," << a.y << " -> " << b.x << "," << b.y << std::endl;
            DragPointer(main, a, b, 1 + below(4), nullptr, 0);
        }
    }
    // A click while a box is up goes nowhere.
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
