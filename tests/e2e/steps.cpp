#include "steps.h"

#include <cstdio>

namespace {

constexpr uint32_t MARK = 0x123456;  // a colour that the game never draws
constexpr uint32_t GREEN_DOT = 0x00FF00;

int Count(const Run& run) { return ListCount(run.game.Child(LIST), WAIT_MS); }

std::string GameDifference(const Run& run) {
    try {
        const PositionRecord position = GamePosition(run);
        return run.art.Differences(CaptureClient(run.game.Child(BOARD)),
                                   std::string(position.board, 64));
    } catch (const Failure& failure) {
        return failure.what();
    }
}

// Waits until difference() is ""; fails with its last answer.
void RequireBoard(const Run& run, const std::function<std::string()>& difference,
                  int timeoutMs = COMPUTER_WAIT_MS) {
    std::string last;
    if (WaitUntil([&] { return (last = difference()).empty(); }, timeoutMs)) return;
    SaveScreenshot(run, "board-mismatch");
    Require(false, "the board is wrong: " + last);
}

// A drag that must change nothing: the same pixels, the same list.
void DragWithoutEffect(const Run& run, const Step& step) {
    HWND board = run.game.Child(BOARD);
    const Image before = CaptureClient(board);
    const int count = Count(run), from = SquareNamed(step.text);
    const auto interrupt = [&] {
        SendMessageTimeoutW(step.n == WM_ACTIVATE ? run.game.main : board,
                            static_cast<UINT>(step.n), 0, 0, SMTO_NORMAL, WAIT_MS, nullptr);
        Require(WaitUntil(PointerIsFree), "the pointer stayed confined after the interruption");
    };
    Require(DragPointer(run.game.main, SquareOnScreen(board, from),
                        SquareOnScreen(board, SquareNamed(step.text + 2)), 2,
                        step.op == Interrupt ? std::function<void()>(interrupt) : nullptr) ==
                (step.op != NoPickUp),
            "the press on " + SquareName(from) + " did not do as expected");
    WaitForInputHandled(run);
    RequireBoard(
        run, [&] { return CaptureClient(board) == before ? "" : "its pixels changed"; }, WAIT_MS);
    Require(Count(run) == count, "the list changed");
}

void DragMove(const Run& run, std::string move) {
    const int before = Count(run);
    int from = 0, to = 0;
    if (move.empty()) {
        Require(AnyMove(GamePosition(run), from, to), "the side to move has no move");
        move = SquareName(from) + SquareName(to);
    }
    DragSquares(run, move, true);
    Require(WaitUntil([&] { return Count(run) > before; }), "the list did not record " + move);
    // A win message may cover the board; its step checks the board after it.
    RequireBoard(run, [&] { return FindMessageBox(run.game.main) ? "" : GameDifference(run); });
}

void RequireLastEntry(const Run& run, const std::string& text) {
    std::vector<std::string> entries;
    int selected = -1;
    Require(ReadList(run.game.Child(LIST), entries, &selected), "the list does not answer");
    const std::string last = entries.empty() ? "" : entries.back();
    Require(last == text, "the newest entry is \"" + last + "\", not \"" + text + "\"");
    Require(selected + 1 == static_cast<int>(entries.size()), "the newest entry is not selected");
}

void RequireMessageBox(const Run& run, const std::string& text) {
    HWND box = nullptr;
    Require(WaitUntil([&] { return (box = FindMessageBox(run.game.main)) != nullptr; },
                      COMPUTER_WAIT_MS),
            "no message box owned by the main window came up");
    char caption[64] = {}, message[64] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetWindowTextA(GetDlgItem(box, 0xFFFF), message, sizeof message);
    Require(std::string(caption) == "Rezu" && message == text,
            "the box says \"" + std::string(message) + "\" under the caption \"" + caption + "\"");
    WaitUntil([&] { return CountPixels(CaptureClient(box), 0) > 0; }, 2000);  // its text drawn
    SaveScreenshot(run, "message-box");
    Require(DismissMessageBoxes(run.game.main) == 1, "another box followed");
}

}  // namespace

void RunStep(Run& run, const Step& step) {
    const int count = step.op == ExpectSteady ? Count(run) : 0;
    switch (step.op) {
        case ExpectBoard:
            if (!*step.text) return RequireGameShown(run);
            return RequireBoard(run, [&] {
                return run.art.Differences(CaptureClient(run.game.Child(BOARD)),
                                           Placement(step.text));
            });
        case Drag: return DragMove(run, step.text);
        case Refuse:
        case NoPickUp:
        case Interrupt: return DragWithoutEffect(run, step);
        case ClickPlayer:
            ClickButton(run, step.n);
            return Require(
                WaitUntil(
                    [&] { return ShowsGreenDot(run, step.n) && !ShowsGreenDot(run, step.n ^ 1); }),
                "button " + std::to_string(step.n) + " is not the chosen one of its row");
        case ExpectList: return RequireLastEntry(run, step.text);
        case ExpectMoves:
            Require(WaitUntil([&] { return Count(run) == step.n; }, COMPUTER_WAIT_MS),
                    "the list did not reach " + std::to_string(step.n) + " entries");
            return RequireGameShown(run);
        case ExpectMessageBox: return RequireMessageBox(run, step.text);
        case ExpectSteady:
            return Require(!WaitUntil([&] { return Count(run) != count; }, step.n),
                           "the list changed from " + std::to_string(count) + " entries");
        case Screenshot: return SaveScreenshot(run, step.text);
        case WatchComputers: return RunWatch(run, step.n);
        case Leaks: return RunLeaks(run, step.n);
        case Storm: return RunStorm(run, step.n);
    }
}

void SaveScreenshot(const Run& run, const std::string& state) {
    RECT frame{}, box{};
    GetWindowRect(run.game.main, &frame);
    if (HWND message = FindMessageBox(run.game.main); message && GetWindowRect(message, &box))
        UnionRect(&frame, &frame, &box);
    SaveBmp(CaptureScreen(frame), run.artifacts + "/" + run.name + "-" + state + ".bmp");
}

void WaitForInputHandled(const Run& run) {
    // Input comes out of the queue before painting does: once the game has
    // repainted a mark away, it has taken in all the input sent before.
    HWND status = run.game.Child(STATUS);
    Require(PaintOver(status, RECT{4, 4, 8, 8}, MARK), "cannot draw over the status bar");
    RedrawWindow(status, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    Require(WaitUntil(
                [&] {
                    return CaptureClient(status, RECT{4, 4, 5, 5}).pixels[0] != MARK;
                },
                COMPUTER_WAIT_MS),
            "the game does not repaint: it takes no input");
}

PositionRecord GamePosition(const Run& run) {
    std::vector<std::string> entries;
    PositionRecord position{};
    Require(ReadList(run.game.Child(LIST), entries), "the move list does not answer");
    const std::string error = Replay(entries, position);
    Require(error.empty(), "the move list is no game: " + error);
    return position;
}

void DragSquares(const Run& run, const std::string& move, bool recorded) {
    HWND board = run.game.Child(BOARD);
    const int from = SquareNamed(move.c_str()), to = SquareNamed(move.c_str() + 2);
    for (int attempt = 1;; ++attempt) {
        const int before = Count(run);
        const bool picked =
            DragPointer(run.game.main, SquareOnScreen(board, from), SquareOnScreen(board, to), 2);
        // A recorded move shows that the press picked the piece up, however
        // late the driver saw the pointer's confinement.
        if (recorded && WaitUntil([&] { return Count(run) != before; }, picked ? WAIT_MS : 2000))
            return;
        if (picked && !recorded) return;
        // A pointer move that Wine reports late can shift a press or a
        // release on a busy machine. When nothing was picked up, or the drop
        // was refused, the game is as it was and the drag can be made again.
        Require(attempt < 3 && Count(run) == before,
                "the drag " + move + (picked ? " was not recorded" : " picked nothing up"));
        std::printf("note: %s: the drag %s is made again\n", run.name.c_str(), move.c_str());
    }
}

void ClickButton(const Run& run, int id) {
    HWND button = run.game.Child(id);
    RECT client{};
    GetClientRect(button, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(button, &centre);
    ClickAt(run.game.main, centre);
    WaitForInputHandled(run);
}

bool ShowsGreenDot(const Run& run, int id) {
    return CountPixels(CaptureClient(run.game.Child(id)), GREEN_DOT) > 0;
}

void RequireGameShown(const Run& run) {
    RequireBoard(run, [&] { return GameDifference(run); });
}
