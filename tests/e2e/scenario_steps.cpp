#include "scenario_steps.h"

#include "board_check.h"
#include "board_geometry.h"
#include "board_input.h"
#include "move_list.h"
#include "move_replay.h"
#include "poll.h"
#include "rules/make_move.h"

std::vector<std::string> ReadMoveList(ScenarioContext& context) {
    std::vector<std::string> entries;
    Require(ListEntries(context.game.Child(MOVE_LIST_ID), entries), "the move list did not answer");
    return entries;
}

PositionRecord ReplayMoveList(ScenarioContext& context) {
    PositionRecord position{};
    std::string error;
    Require(ReplayEntries(ReadMoveList(context), position, error),
            "the move list is no legal game: " + error);
    return position;
}

void RequireListCount(ScenarioContext& context, int count, int timeoutMs) {
    HWND list = context.game.Child(MOVE_LIST_ID);
    int now = -1;
    WaitUntil([&] { return ListCount(list, now) && now == count; }, timeoutMs);
    Require(now == count,
            "the move list has " + std::to_string(now) + " entries, not " + std::to_string(count));
}

void RequireListSteady(ScenarioContext& context, int holdMs, const std::string& when) {
    HWND list = context.game.Child(MOVE_LIST_ID);
    int before = 0;
    Require(ListCount(list, before), "the move list did not answer");
    const unsigned long long start = NowMs();
    int now = before;
    WaitUntil([&] { return !ListCount(list, now) || now != before; }, holdMs);
    Require(now == before, when + ": the move list grew from " + std::to_string(before) + " to " +
                               std::to_string(now) + " within " + std::to_string(NowMs() - start) +
                               " ms");
}

void PlayMove(ScenarioContext& context, PositionRecord& position, const char* from,
              const char* to) {
    const Square a = SquareNamed(from), b = SquareNamed(to);
    HWND list = context.game.Child(MOVE_LIST_ID);
    int count = 0;
    Require(ListCount(list, count), "the move list did not answer");
    DragPiece(context, a, b);
    const std::string move = std::string(from) + "-" + to;
    Require(WaitForListCount(list, count + 1, DEFAULT_WAIT_MS),
            "the list did not record the drag " + move);
    MakeMove(position, a.file, a.rank, b.file, b.rank, position);
    RequireBoardShows(context, position, "after " + move);
}
