// quillmate_e2e <quillmate.exe> <artifact dir> [scenario ...]
//
// Plays the real game from outside, as its user would: each scenario starts
// a fresh game, drives it with the mouse, reads what the screen, the move
// list and the message boxes show, and closes it. Prints "PASS name" or
// "FAIL name: reason" per scenario, then "N passed, N failed"; the exit code
// is 0 only when every scenario passed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game_art.h"
#include "message_boxes.h"
#include "mouse.h"
#include "scenario.h"

namespace {

struct Options {
    std::string exePath;
    std::string artifactDir;
    std::vector<std::string> names;
};

std::vector<Scenario> AllScenarios() {
    std::vector<Scenario> scenarios;
    AddLayoutScenarios(scenarios);
    AddBoardScenarios(scenarios);
    AddCastlingPromotionScenarios(scenarios);
    AddComputerScenarios(scenarios);
    AddGameEndScenarios(scenarios);
    AddLeakScenarios(scenarios);
    AddStormScenarios(scenarios);
    return scenarios;
}

// Closes the game as the user would; every scenario ends with exit code 0.
std::string CloseGame(GameProcess& game) {
    ReleaseLeftIfPressed();
    if (game.IsRunning()) DismissMessageBoxes(game.Window());
    DWORD exitCode = 0;
    if (!game.Close(exitCode)) return "the game did not end after WM_CLOSE";
    if (exitCode != 0) return "the game ended with exit code " + std::to_string(exitCode);
    return "";
}

// Runs one scenario on a fresh game; "" when it passed, else the reason.
std::string RunScenario(const Scenario& scenario, const Options& options, const GameArt& art) {
    GameProcess game;
    std::string reason;
    if (!game.Start(options.exePath, reason)) return reason;
    ScenarioContext context{game, art, options.artifactDir, scenario.name};
    context.RemoveOldScreenshots();
    try {
        scenario.run(context);
    } catch (const ScenarioFailure& failure) {
        reason = failure.what();
        if (game.IsRunning()) context.SaveScreenshot("failed");
    }
    if (!reason.empty() && !game.IsRunning()) reason += " (the game is no longer running)";
    const std::string closing = CloseGame(game);
    if (reason.empty()) reason = closing;
    return reason;
}

bool ParseOptions(int argc, char** argv, const std::vector<Scenario>& all, Options& options) {
    if (argc < 3) {
        std::printf("usage: %s <quillmate.exe> <artifact dir> [scenario ...]\nscenarios:", argv[0]);
        for (const Scenario& scenario : all) std::printf(" %s", scenario.name);
        std::printf("\n");
        return false;
    }
    options.exePath = argv[1];
    options.artifactDir = argv[2];
    for (int i = 3; i < argc; ++i) {
        bool known = false;
        for (const Scenario& scenario : all) known = known || scenario.name == std::string(argv[i]);
        if (!known) {
            std::printf("no scenario is called %s\n", argv[i]);
            return false;
        }
        options.names.push_back(argv[i]);
    }
    return true;
}

bool Selected(const Options& options, const Scenario& scenario) {
    if (options.names.empty()) return true;
    for (const std::string& name : options.names)
        if (name == scenario.name) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<Scenario> all = AllScenarios();
    Options options;
    if (!ParseOptions(argc, argv, all, options)) return 2;
    CreateDirectoryA(options.artifactDir.c_str(), nullptr);
    GameArt art;
    std::string error;
    if (!art.Load(options.exePath, error)) {
        std::printf("cannot start: %s\n", error.c_str());
        return 2;
    }
    if (GetACP() != 936)
        std::printf("note: the ANSI code page is %u, not 936; Chinese texts will not match\n",
                    GetACP());
    int passed = 0, failed = 0;
    for (const Scenario& scenario : all) {
        if (!Selected(options, scenario)) continue;
        const std::string reason = RunScenario(scenario, options, art);
        if (reason.empty()) {
            std::printf("PASS %s\n", scenario.name);
            ++passed;
        } else {
            std::printf("FAIL %s: %s\n", scenario.name, reason.c_str());
            ++failed;
        }
        std::fflush(stdout);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
