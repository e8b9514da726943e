// Steps that many scenarios share: a move made by drag and confirmed in the
// list and on the board, and the list read back as a game.
#pragma once

#include <string>
#include <vector>

#include "rules/position.h"
#include "scenario.h"

// The list's entries; fails when the list does not answer.
std::vector<std::string> ReadMoveList(ScenarioContext& context);

// The game the list records, replayed; fails when the list is no legal game.
PositionRecord ReplayMoveList(ScenarioContext& context);

// Drags a legal move for a human side and waits until the list records it
// and the board shows the position after it; position is brought up to date.
void PlayMove(ScenarioContext& context, PositionRecord& position, const char* from, const char* to);

// Waits until the list holds count entries; fails at the deadline.
void RequireListCount(ScenarioContext& context, int count, int timeoutMs);

// Fails unless the list's count stays the same for holdMs.
void RequireListSteady(ScenarioContext& context, int holdMs, const std::string& when);
