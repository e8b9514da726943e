// Moves whose drop changes more than two squares or puts a new piece down:
// castling by dragging the king, and a pawn promoted on the last rank.
#include "board_check.h"
#include "board_geometry.h"
#include "scenario.h"
#include "scenario_steps.h"

namespace {

struct Move {
    const char* from;
    const char* to;
};

void PlayMoves(ScenarioContext& context, PositionRecord& position, const Move* moves, int count) {
    for (int i = 0; i < count; ++i) PlayMove(context, position, moves[i].from, moves[i].to);
}

Image SquarePixels(const ScenarioContext& context, const char* square) {
    return CaptureBoard(context).Crop(SquareRect(SquareNamed(square)));
}

void Castling(ScenarioContext& context) {
    const Move opening[] = {{"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"},
                            {"b8", "c6"}, {"f1", "c4"}, {"g8", "f6"}};
    PositionRecord position = InitialPosition();
    PlayMoves(context, position, opening, 6);
    // The rook goes from h1 to f1 and the king from e1 to g1: each lands on
    // a square of the colour it left, so each must look as it did.
    const Image rook = SquarePixels(context, "h1"), king = SquarePixels(context, "e1");
    PlayMove(context, position, "e1", "g1");
    context.SaveScreenshot("castled");
    const Image board = CaptureBoard(context);
    Require(board.Crop(SquareRect(SquareNamed("f1"))) == rook, "the rook did not appear on f1");
    Require(board.Crop(SquareRect(SquareNamed("g1"))) == king, "the king is not on g1");
    Require(SquareIsEmpty(board, SquareNamed("h1")), "h1 is not empty after castling");
    Require(SquareIsEmpty(board, SquareNamed("e1")), "e1 is not empty after castling");
    const std::vector<std::string> entries = ReadMoveList(context);
    Require(entries.size() == 7 && entries.back() == "4. E1 - G1",
            "castling is recorded as \"" + entries.back() + "\", not \"4. E1 - G1\"");
}

// The h-pawn takes its way to g8, a light square like d1, where White's queen
// stands: the new queen must look exactly like her.
void Promotion(ScenarioContext& context) {
    const Move moves[] = {{"h2", "h4"}, {"g7", "g5"}, {"h4", "g5"}, {"h7", "h6"},
                          {"g5", "h6"}, {"a7", "a6"}, {"h6", "h7"}, {"a6", "a5"}};
    PositionRecord position = InitialPosition();
    PlayMoves(context, position, moves, 8);
    const Image queen = SquarePixels(context, "d1");
    PlayMove(context, position, "h7", "g8");
    context.SaveScreenshot("promoted");
    Require(SquarePixels(context, "g8") == queen, "no queen like White's appeared on g8");
    Require(SquareIsEmpty(CaptureBoard(context), SquareNamed("h7")), "h7 is not empty");
    const std::vector<std::string> entries = ReadMoveList(context);
    Require(entries.size() == 9 && entries.back() == "5. H7 - G8",
            "the promotion is recorded as \"" + entries.back() + "\", not \"5. H7 - G8\"");
    // The new queen moves like one: g8 to g6 along the file.
    PlayMove(context, position, "b7", "b6");
    PlayMove(context, position, "g8", "g6");
}

}  // namespace

void AddCastlingPromotionScenarios(std::vector<Scenario>& scenarios) {
    scenarios.push_back({"castling", Castling});
    scenarios.push_back({"promotion", Promotion});
}
