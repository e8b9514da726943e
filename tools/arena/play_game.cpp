#include "tools/arena/play_game.h"

#include <algorithm>
#include <optional>

#include "chess/chess.h"
#include "chess/outcome.h"
#include "chess/san.h"
#include "tools/arena/openings.h"

namespace arena {

namespace {

const char* const kSideNames[2] = {"White", "Black"};

void Finish(GameRecord& record, const char* result, Termination termination, std::string reason) {
    record.result = result;
    record.termination = termination;
    record.reason = std::move(reason);
}

// The side that did wrong loses.
void Forfeit(GameRecord& record, int side, Termination termination, const std::string& what) {
    Finish(record, side == chess::WHITE ? "0-1" : "1-0", termination, kSideNames[side] + what);
}

// Ends the game when the rules or the adjudication rules say so.
bool FinishedByRules(const chess::Game& game, const std::vector<std::optional<int>>& scores,
                     const AdjudicationRules& rules, GameRecord& record) {
    switch (chess::OutcomeOf(game)) {
        case chess::Outcome::ONGOING: break;
        case chess::Outcome::CHECKMATE:
            Finish(record, game.board.side == chess::WHITE ? "0-1" : "1-0", Termination::NORMAL,
                   std::string(kSideNames[game.board.side ^ 1]) + " mates");
            return true;
        case chess::Outcome::STALEMATE:
            Finish(record, "1/2-1/2", Termination::NORMAL, "Draw by stalemate");
            return true;
        case chess::Outcome::REPETITION:
            Finish(record, "1/2-1/2", Termination::NORMAL, "Draw by threefold repetition");
            return true;
        case chess::Outcome::FIFTY_MOVES:
            Finish(record, "1/2-1/2", Termination::NORMAL, "Draw by the fifty-move rule");
            return true;
        case chess::Outcome::INSUFFICIENT_MATERIAL:
            Finish(record, "1/2-1/2", Termination::NORMAL, "Draw by insufficient material");
            return true;
    }
    switch (Adjudicate(scores, rules)) {
        case Verdict::NONE: return false;
        case Verdict::WHITE_WINS:
            Finish(record, "1-0", Termination::ADJUDICATION, "White wins by adjudication");
            return true;
        case Verdict::BLACK_WINS:
            Finish(record, "0-1", Termination::ADJUDICATION, "Black wins by adjudication");
            return true;
        case Verdict::DRAW:
            Finish(record, "1/2-1/2", Termination::ADJUDICATION, "Draw by adjudication");
            return true;
    }
    return false;
}

// Why an answer forfeits the game, or nothing when it stands. Charges the
// clock of side for the time the answer took.
std::optional<std::string> AnswerFault(const Answer& answer, const TimeControl& time,
                                       int64_t& clockMs, Termination& termination) {
    termination = Termination::ABANDONED;
    if (answer.status == AnswerStatus::CRASHED) return "'s engine exited";
    int64_t took = std::chrono::duration_cast<std::chrono::milliseconds>(answer.took).count();
    if (time.nodes > 0) {
        if (answer.status == AnswerStatus::NO_ANSWER) return "'s engine did not answer in time";
        return std::nullopt;
    }
    termination = Termination::TIME_FORFEIT;
    if (answer.status == AnswerStatus::NO_ANSWER || took > clockMs + time.marginMs)
        return " loses on time";
    clockMs = std::max<int64_t>(clockMs - took, 0) + time.incrementMs;
    return std::nullopt;
}

}  // namespace

std::string GoCommand(const TimeControl& time, const int64_t clocksMs[2]) {
    if (time.nodes > 0) return "go nodes " + std::to_string(time.nodes);
    return "go wtime " + std::to_string(clocksMs[0]) + " btime " + std::to_string(clocksMs[1]) +
           " winc " + std::to_string(time.incrementMs) + " binc " +
           std::to_string(time.incrementMs);
}

GameRecord PlayGame(Engine* const engines[2], const std::string& fen,
                    const GameSettings& settings) {
    GameRecord record;
    record.fen = fen;
    record.white = engines[0]->setup.name;
    record.black = engines[1]->setup.name;
    chess::Game game;
    std::string error;
    if (!GameFromFen(fen, game, error)) {
        record.reason = "Bad start position: " + error;
        return record;
    }
    const TimeControl& time = settings.time;
    int64_t clocksMs[2] = {time.baseMs, time.baseMs};
    std::vector<std::optional<int>> whiteScores;
    std::string moves;  // " e2e4 e7e5 ..."
    while (!FinishedByRules(game, whiteScores, settings.adjudication, record)) {
        int side = game.board.side;
        int64_t allowedMs = time.nodes > 0 ? time.moveTimeoutMs : clocksMs[side] + time.marginMs;
        std::string position = "position fen " + fen + (moves.empty() ? "" : " moves" + moves);
        TimeControl own = time;
        if (engines[side]->setup.nodes > 0) own.nodes = engines[side]->setup.nodes;
        Answer answer = AskMove(*engines[side], position, GoCommand(own, clocksMs),
                                Clock::now() + std::chrono::milliseconds(allowedMs));
        Termination termination;
        if (auto fault = AnswerFault(answer, time, clocksMs[side], termination)) {
            if (answer.status != AnswerStatus::MOVED) record.faultySide = side;
            Forfeit(record, side, termination, *fault);
            break;
        }
        chess::Move move = chess::NO_MOVE;
        if (!chess::ReadMove(game, answer.move, move, error)) {
            Forfeit(record, side, Termination::RULES_INFRACTION, " plays a bad move: " + error);
            break;
        }
        double seconds = std::chrono::duration<double>(answer.took).count();
        record.moves.push_back({FenOf(game), chess::SanOf(game, move), answer.report, seconds});
        std::optional<int> score;
        if (answer.report.scored) score = Centipawns(answer.report.score) * (side == 0 ? 1 : -1);
        whiteScores.push_back(score);
        std::string text = chess::MoveText(move);
        chess::PlayMove(game, text, error);
        moves += " " + text;
    }
    return record;
}

}  // namespace arena
