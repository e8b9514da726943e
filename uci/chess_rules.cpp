// Standard chess: the position is a game of the chess library, and its
// search keeps a transposition table and helper threads between searches.
#include <chrono>

#include "chess/chess.h"
#include "chess/skill.h"
#include "chess/threads.h"
#include "chess/wdl.h"
#include "uci/bench.h"
#include "uci/rule_set.h"
#include "uci/settings.h"

namespace {

std::string ScoreText(int mateIn, int score) {
    return mateIn != 0 ? "mate " + std::to_string(mateIn) : "cp " + std::to_string(score);
}

Words MoveTexts(const chess::Game& game, const std::vector<chess::Move>& moves) {
    Words texts;
    for (chess::Move move : moves) texts.push_back(chess::MoveText(game, move));
    return texts;
}

bool StartGame(const FenPosition& start, bool chess960, chess::Game& game, std::string& error) {
    if (!chess::StartGame(start.record, start.halfMoveClock, game, error, start.castling))
        return false;
    game.chess960 = chess960;
    return true;
}

// The tighter of two limits, where 0 means none.
template <typename Limit>
Limit TighterLimit(Limit a, Limit b) {
    return !a ? b : !b ? a : std::min(a, b);
}

std::string WdlText(const chess::Game& game, const chess::Iteration& line) {
    const chess::WinDrawLoss chances = chess::ExpectedResult(game.board, line.score, line.mateIn);
    return "wdl " + std::to_string(chances.win) + ' ' + std::to_string(chances.draw) + ' ' +
           std::to_string(chances.loss);
}

class ChessRules : public RuleSet {
   public:
    const char* Name() const override { return "chess"; }
    int BenchDepth() const override { return DEFAULT_CHESS_BENCH_DEPTH; }

    bool Chess960() const override { return chess960_; }
    void SetChess960(bool on) override { chess960_ = on; }

    bool SetPosition(const FenPosition& start, const Words& moves, std::string& error) override {
        chess::Game game;
        if (!StartGame(start, chess960_, game, error)) return false;
        for (std::size_t i = 0; i < moves.size(); ++i) {
            if (!chess::PlayMove(game, moves[i], error)) {
                error += " (move " + std::to_string(i + 1) + " of the list)";
                return false;
            }
        }
        game_ = game;
        return true;
    }

    bool AcceptsPosition(const FenPosition& start, std::string& error) const override {
        chess::Game game;
        return StartGame(start, chess960_, game, error);
    }

    FenPosition Position() const override {
        return {chess::RecordOf(game_), chess::HalfMoveClock(game_), chess::CastlingOf(game_)};
    }

    std::size_t PlayableMoves(const Words& line, std::string& error) const override {
        chess::Game game = game_;
        std::size_t played = 0;
        while (played < line.size() && chess::PlayMove(game, line[played], error)) ++played;
        return played;
    }

    SearchResult Search(const SearchJob& job, SearchStop& stop,
                        const IterationSink& sink) override {
        const chess::SkillSearch skill = chess::SkillSearchFor(job.skillLevel);
        chess::SearchLimits limits;
        limits.maxDepth = TighterLimit(job.maxDepth, skill.maxDepth);
        limits.maxNodes = TighterLimit(job.maxNodes, skill.maxNodes);
        limits.multiPv = std::max(job.lines, skill.lines);
        std::string unused;
        for (const std::string& text : job.searchMoves) {
            chess::Move move = chess::NO_MOVE;
            if (chess::ReadMove(game_, text, move, unused)) limits.searchMoves.push_back(move);
        }
        SearchResult result;
        std::vector<chess::Iteration> lines;  // the last depth's
        auto onIteration = [&](const chess::Iteration& iteration) {
            if (iteration.line == 1) lines.clear();
            lines.push_back(iteration);
            if (iteration.line > job.lines) return true;  // found only to choose among
            IterationInfo info;
            info.depth = iteration.depth;
            info.line = job.lines > 1 ? iteration.line : 0;
            info.selectiveDepth = iteration.selectiveDepth;
            info.score = ScoreText(iteration.mateIn, iteration.score);
            if (job.showWdl) info.wdl = WdlText(game_, iteration);
            info.nodes = info.totalNodes = iteration.nodes;
            info.pv = MoveTexts(game_, iteration.pv);
            if (iteration.line > 1) return sink(info);
            result.pv = info.pv;
            const bool mateFound =
                job.mateIn > 0 && iteration.mateIn > 0 && iteration.mateIn <= job.mateIn;
            return sink(info) && !mateFound;
        };
        const chess::Move best =
            chess::Think(tables_, threads_, game_, limits, stop.requested, onIteration);
        if (best == chess::NO_MOVE) {
            // No legal move: the game is over, lost when in check, else drawn.
            result.noMoveScore = chess::InCheck(game_) ? "mate 0" : "cp 0";
            return result;
        }
        result.bestMove = chess::MoveText(game_, best);
        if (skill.lines > 1 && !lines.empty()) {
            // Chosen among the level's own lines, however many were shown.
            if (int(lines.size()) > skill.lines) lines.resize(skill.lines);
            const chess::Iteration& chosen =
                lines[chess::ChooseSkillLine(lines, job.skillLevel, random_)];
            result.bestMove = chess::MoveText(game_, chosen.pv[0]);
            result.pv = MoveTexts(game_, chosen.pv);
        }
        return result;
    }

    // Each position from cleared tables, so that with one thread the node
    // count is always the same.
    BenchLine BenchSearch(const FenPosition& start, int depth) override {
        chess::Game game;
        std::string error;
        if (!StartGame(start, chess960_, game, error)) return {"0000", "cp 0", 0};
        chess::ClearSearchTables(tables_);
        chess::SearchLimits limits;
        limits.maxDepth = depth;
        const std::atomic<bool> never{false};
        chess::Iteration last;
        const chess::Move best =
            chess::Think(tables_, threads_, game, limits, never, [&](const chess::Iteration& i) {
                last = i;
                return true;
            });
        return {chess::MoveText(game, best), ScoreText(last.mateIn, last.score), last.nodes};
    }

    std::vector<PerftBranch> Perft(int depth, bool&) const override {
        std::vector<PerftBranch> branches;
        for (const chess::PerftBranch& branch : chess::DividedPerft(game_, depth))
            branches.push_back({chess::MoveText(game_, branch.move), branch.nodes});
        return branches;
    }

    int Evaluate() const override { return chess::Evaluate(game_); }

    int SetHash(int megabytes, std::string& error) override {
        if (chess::ResizeSearchTables(tables_, megabytes, error)) return megabytes;
        return static_cast<int>(tables_.entries.size() * sizeof(chess::TableEntry) >> 20);
    }

    void ClearHash() override { chess::ClearSearchTables(tables_); }

    int SetThreads(int threads, std::string& error) override {
        return chess::SetSearchThreads(threads_, threads, error);
    }

   private:
    bool chess960_ = false;
    chess::Game game_;
    chess::SearchTables tables_;
    chess::SearchThreads threads_;
    // Where the weaker levels' choices come from: a new sequence every run.
    uint64_t random_ = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
};

}  // namespace

std::unique_ptr<RuleSet> MakeChessRules() { return std::make_unique<ChessRules>(); }
