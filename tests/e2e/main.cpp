// quillmate_e2e <quillmate.exe> <artifact dir> [scenario ...]
//
// Plays the real game from outside, as its user would: each scenario starts
// a fresh game, runs its steps and closes the window, which must end the
// game with exit code 0. Prints "PASS name" or "FAIL name: reason" for each,
// then "N passed, N failed"; the exit code is 0 only when all passed.
#include <algorithm>
#include <cstdio>

#include "steps.h"

namespace {

constexpr char START[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
constexpr char WHITE_WINS[] = "\xB0\xD7\xB7\xBD\xCA\xA4";  // 白方胜
constexpr char BLACK_WINS[] = "\xBA\xDA\xB7\xBD\xCA\xA4";  // 黑方胜
#define BLACK_ENTRY "             "                        // 13 spaces, then the move

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

// One row per few actions of the user or looks at the screen.
// clang-format off
const std::vector<Scenario> SCENARIOS = {
    {"drag", {{ExpectBoard, START}, {Screenshot, "start"},
        {Drag, "e2e4"}, {ExpectList, "1. E2 - E4"},
        {ExpectBoard, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"},
        {Drag, "e7e5"}, {ExpectList, BLACK_ENTRY "E7 - E5"}, {Screenshot, "e4-e5"}}},
    {"refused_drop", {{Refuse, "e2e5"}, {Screenshot, "refused"}, {Refuse, "d1d2"},
        {Refuse, "g1g1"}, {NoPickUp, "e7e5"}, {NoPickUp, "e4e5"},
        {Drag, "e2e4"}, {ExpectList, "1. E2 - E4"}}},
    {"interrupted_drag", {{Interrupt, "g1f3", WM_CANCELMODE},
        {Interrupt, "g1f3", WM_CAPTURECHANGED}, {Interrupt, "b1c3", WM_ACTIVATE},
        {Drag, "g1f3"}, {ExpectList, "1. G1 - F3"}}},
    {"castling", {{Drag, "e2e4"}, {Drag, "e7e5"}, {Drag, "g1f3"}, {Drag, "b8c6"},
        {Drag, "f1c4"}, {Drag, "g8f6"}, {Drag, "e1g1"}, {ExpectList, "4. E1 - G1"},
        {ExpectBoard, "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQ1RK1"},
        {Screenshot, "castled"}}},
    {"promotion", {{Drag, "h2h4"}, {Drag, "g7g5"}, {Drag, "h4g5"}, {Drag, "h7h6"},
        {Drag, "g5h6"}, {Drag, "a7a6"}, {Drag, "h6h7"}, {Drag, "a6a5"},
        {Drag, "h7g8"}, {ExpectList, "5. H7 - G8"},
        {ExpectBoard, "rnbqkbQr/1ppppp2/8/p7/8/8/PPPPPPP1/RNBQKBNR"}, {Screenshot, "promoted"},
        {Drag, "b7b6"}, {Drag, "g8g6"}}},  // the new queen moves like one
    {"black_computer", {{ClickPlayer, "", BLACK_COMPUTER}, {ExpectSteady, "", 500},
        {Drag, "e2e4"}, {ExpectMoves, "", 2}, {Screenshot, "reply"},
        {Drag}, {ExpectMoves, "", 4}, {ExpectSteady, "", 500}}},
    {"white_computer", {{ClickPlayer, "", WHITE_COMPUTER}, {ExpectMoves, "", 1},
        {Drag}, {ExpectMoves, "", 3}, {Screenshot, "reply"}}},
    // The computer's game with itself ends after 21 moves: stop it well before.
    {"computer_vs_computer", {{ClickPlayer, "", BLACK_COMPUTER},
        {ClickPlayer, "", WHITE_COMPUTER}, {WatchComputers, "", 4},
        {ClickPlayer, "", WHITE_HUMAN}, {ClickPlayer, "", BLACK_HUMAN},
        {ExpectSteady, "", 1500}, {ExpectBoard}, {Screenshot, "stopped"},
        {Drag}, {ExpectSteady, "", 1000}}},
    {"white_wins", {{Drag, "e2e4"}, {Drag, "f7f6"}, {Drag, "d1h5"}, {Drag, "a7a6"},
        {Drag, "h5e8"}, {ExpectMessageBox, WHITE_WINS}, {ExpectBoard},
        {ExpectList, "3. H5 - E8"},
        {ClickPlayer, "", WHITE_HUMAN}, {ExpectMessageBox, WHITE_WINS},
        {ClickPlayer, "", BLACK_COMPUTER}, {ExpectMessageBox, WHITE_WINS},
        {ExpectSteady, "", 1000}, {ExpectMoves, "", 5}}},
    {"black_wins", {{Drag, "f2f3"}, {Drag, "e7e5"}, {Drag, "a2a3"}, {Drag, "d8h4"},
        {Drag, "b2b3"}, {Drag, "h4e1"}, {ExpectMessageBox, BLACK_WINS}, {ExpectBoard},
        {ExpectList, BLACK_ENTRY "H4 - E1"},
        {ClickPlayer, "", WHITE_COMPUTER}, {ExpectMessageBox, BLACK_WINS},
        {ExpectSteady, "", 1000}, {ExpectMoves, "", 6}}},
    // Closed right after the computer's second move, while it searches the third.
    {"close_during_search", {{ClickPlayer, "", BLACK_COMPUTER},
        {ClickPlayer, "", WHITE_COMPUTER}, {WatchComputers, "", 2}}},
    {"gdi_leaks", {{Leaks, "", 200}}},
    {"input_storm", {{Storm, "", 200}}},
};
// clang-format on

std::string RunScenario(const Scenario& scenario, const std::string& exe, const PieceArt& art,
                        const std::string& artifacts) {
    Game game;
    std::string reason = StartGame(exe, game);
    if (!reason.empty()) return reason;
    Run run{game, art, artifacts, scenario.name};
    for (const char* state : {"failed", "board-mismatch"})
        DeleteFileA((artifacts + "/" + scenario.name + "-" + state + ".bmp").c_str());
    size_t at = 0;
    try {
        RunStep(run, {ExpectBoard});  // the start of a game, painted
        for (; at < scenario.steps.size(); ++at) RunStep(run, scenario.steps[at]);
    } catch (const Failure& failure) {
        reason = "step " + std::to_string(at + 1) + ": " + failure.what();
        ReleaseLeftIfPressed();
        if (game.Running()) SaveScreenshot(run, "failed");
    }
    if (game.Running()) DismissMessageBoxes(game.main);
    const DWORD code = CloseGame(game);
    if (reason.empty() && code != 0)
        reason = "the game ended with exit code " + std::to_string(code);
    return reason;
}

}  // namespace

int main(int argc, char** argv) {
    PieceArt art;
    const std::string error =
        argc < 3 ? "usage: quillmate_e2e <game> <artifacts> [scenario ...]" : art.Load(argv[1]);
    if (!error.empty()) {
        std::printf("%s\n", error.c_str());
        return 2;
    }
    CreateDirectoryA(argv[2], nullptr);
    KeepPointerUngrabbed();
    int passed = 0, failed = 0;
    for (const Scenario& scenario : SCENARIOS) {
        const auto named = [&](const char* name) { return scenario.name == std::string(name); };
        if (argc > 3 && std::none_of(argv + 3, argv + argc, named)) continue;
        const std::string reason = RunScenario(scenario, argv[1], art, argv[2]);
        std::printf(reason.empty() ? "PASS %s\n" : "FAIL %s: %s\n", scenario.name, reason.c_str());
        std::fflush(stdout);
        ++(reason.empty() ? passed : failed);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
