// A scenario: one fresh game, driven from outside, with checks that stop it
// at the first failure and say why.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "game_art.h"
#include "game_process.h"

struct ScenarioFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Stops the scenario with reason when ok is false.
void Require(bool ok, const std::string& reason);

struct ScenarioContext {
    GameProcess& game;
    const GameArt& art;
    std::string artifactDir;
    std::string name;

    // Saves the main window as it looks now, with its message box if one is
    // up, as <artifact dir>/<name>-<state>.bmp.
    void SaveScreenshot(const std::string& state) const;

    // Removes the screenshots that an earlier run of this scenario left.
    void RemoveOldScreenshots() const;
};

struct Scenario {
    const char* name;
    void (*run)(ScenarioContext& context);
};

// Each file of scenarios adds its own.
void AddLayoutScenarios(std::vector<Scenario>& scenarios);
void AddBoardScenarios(std::vector<Scenario>& scenarios);
void AddCastlingPromotionScenarios(std::vector<Scenario>& scenarios);
void AddComputerScenarios(std::vector<Scenario>& scenarios);
void AddGameEndScenarios(std::vector<Scenario>& scenarios);
void AddLeakScenarios(std::vector<Scenario>& scenarios);
void AddStormScenarios(std::vector<Scenario>& scenarios);
