#include "board_check.h"

#include "board_geometry.h"
#include "poll.h"

namespace {

constexpr int MAX_REPORTED_SQUARES = 4;

std::string PieceName(char piece) {
    return piece == EMPTY_SQUARE ? std::string("nothing") : std::string(1, piece);
}

}  // namespace

Image CaptureBoard(const ScenarioContext& context) {
    return CaptureClient(context.game.Child(BOARD_ID), RECT{0, 0, BOARD_SIZE, BOARD_SIZE});
}

bool SquareIsEmpty(const Image& board, Square square) {
    const Image pixels = board.Crop(SquareRect(square));
    const COLORREF colour = SquareColour(square);
    return CountPixels(pixels, [&](COLORREF p) { return p != colour; }) == 0;
}

std::string SquareDifference(const ScenarioContext& context, const Image& board, Square square,
                             char piece) {
    const Image shown = board.Crop(SquareRect(square));
    const Image expected = context.art.RenderSquare(square, piece);
    if (shown == expected) return "";
    int differing = 0;
    for (size_t i = 0; i < shown.pixels.size(); ++i)
        differing += shown.pixels[i] != expected.pixels[i] ? 1 : 0;
    std::string seen = SquareIsEmpty(board, square) ? "an empty square"
                                                    : std::to_string(differing) + " pixels differ";
    return SquareName(square) + " should show " + PieceName(piece) + " but " + seen;
}

std::string BoardDifference(const ScenarioContext& context, const Image& board,
                            const PositionRecord& position) {
    std::string report;
    int reported = 0, wrong = 0;
    ForEachSquare([&](Square square) {
        const std::string difference =
            SquareDifference(context, board, square, PieceAt(position, square.file, square.rank));
        if (difference.empty()) return;
        ++wrong;
        if (reported++ < MAX_REPORTED_SQUARES) report += (report.empty() ? "" : "; ") + difference;
    });
    if (wrong > MAX_REPORTED_SQUARES)
        report += " (" + std::to_string(wrong) + " squares differ in all)";
    return report;
}

void RequireBoardShows(ScenarioContext& context, const PositionRecord& position,
                       const std::string& when) {
    std::string difference;
    WaitUntil([&] {
        difference = BoardDifference(context, CaptureBoard(context), position);
        return difference.empty();
    });
    if (!difference.empty()) context.SaveScreenshot("board-mismatch");
    Require(difference.empty(), when + ": " + difference);
}
