#include "tools/tuner/training_set.h"

#include <algorithm>
#include <cstdlib>

#include "chess/chess.h"
#include "chess/evaluate.h"
#include "chess/game.h"
#include "tools/tuner/fit.h"
#include "tools/tuner/quiet.h"
#include "uci/fen.h"

namespace tuner {

namespace {

// White's points as the line gives them, or a negative number.
float ParsePoints(const std::string& text) {
    return text == "1" ? 1.0f : text == "0.5" ? 0.5f : text == "0" ? 0.0f : -1.0f;
}

bool ReadBoard(const std::string& fen, chess::Board& board) {
    FenPosition position;
    chess::Game game;
    std::string error;
    if (!ParseFen(SplitWords(fen), false, position, error) ||
        !chess::StartGame(position.record, position.halfMoveClock, game, error, position.castling))
        return false;
    board = game.board;
    return true;
}

// Scores beyond this many centipawns predict a sure result anyway.
constexpr long MOST_SEARCH_SCORE = 3000;

}  // namespace

LineVerdict AddPositionLine(const std::string& line, TrainingSet& set) {
    const std::size_t first = line.find(';'), second = line.find(';', first + 1);
    if (first == std::string::npos || second == std::string::npos) return LineVerdict::MALFORMED;
    std::string points = line.substr(second + 1);
    if (!points.empty() && points.back() == '\r') points.pop_back();
    const float result = ParsePoints(points);
    const std::string scoreText = line.substr(first + 1, second - first - 1);
    char* end = nullptr;
    const long score = std::strtol(scoreText.c_str(), &end, 10);
    chess::Board board;
    if (result < 0 || scoreText.empty() || *end || !ReadBoard(line.substr(0, first), board))
        return LineVerdict::MALFORMED;
    if (chess::InCheck(board)) return LineVerdict::IN_CHECK;

    const chess::EvalTrace trace = chess::TraceEvaluation(QuietLeaf(board));
    if (trace.insufficientMaterial) return LineVerdict::DEAD;
    Sample sample;
    sample.firstTerm = static_cast<uint32_t>(set.terms.size());
    for (int term = 0; term < chess::EVAL_TERM_COUNT; ++term) {
        if (!trace.count[term]) continue;
        set.terms.push_back({static_cast<uint16_t>(term), trace.count[term]});
        ++sample.termCount;
    }
    sample.firstDanger = static_cast<uint32_t>(set.dangers.size());
    for (int color = chess::WHITE; color <= chess::BLACK; ++color)
        for (int feature = 0; feature < chess::KING_DANGER_FEATURES; ++feature) {
            if (!trace.danger[color][feature]) continue;
            set.dangers.push_back({static_cast<uint8_t>(color), static_cast<uint8_t>(feature),
                                   trace.danger[color][feature]});
            ++sample.dangerCount;
        }
    sample.phase = static_cast<uint8_t>(trace.phase);
    sample.scale = static_cast<uint8_t>(trace.scale);
    sample.offset = static_cast<int16_t>(trace.offset);
    const long clipped = std::clamp(score, -MOST_SEARCH_SCORE, MOST_SEARCH_SCORE);
    sample.searchScore = static_cast<int16_t>(board.side == chess::WHITE ? clipped : -clipped);
    sample.result = sample.target = result;
    set.samples.push_back(sample);
    return LineVerdict::KEPT;
}

void BlendTargets(TrainingSet& set, double blend, double k) {
    for (Sample& sample : set.samples)
        sample.target = static_cast<float>((1 - blend) * sample.result +
                                           blend * ExpectedPoints(sample.searchScore, k));
}

chess::EvalTrace TraceOf(const TrainingSet& set, const Sample& sample) {
    chess::EvalTrace trace;
    for (uint32_t i = sample.firstTerm; i < sample.firstTerm + sample.termCount; ++i)
        trace.count[set.terms[i].term] = set.terms[i].count;
    for (uint32_t i = sample.firstDanger; i < sample.firstDanger + sample.dangerCount; ++i)
        trace.danger[set.dangers[i].color][set.dangers[i].feature] = set.dangers[i].count;
    trace.phase = sample.phase;
    trace.scale = sample.scale;
    trace.offset = sample.offset;
    return trace;
}

}  // namespace tuner
