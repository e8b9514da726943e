// The game's own rules: kings are captured, pawns promote to queens only,
// and the game's search chooses the move. That search has no deepening of
// its own, so each depth is a whole new search, whose move, score and nodes
// are exactly the game's at that depth.
#include "engine/evaluate.h"
#include "uci/bench.h"
#include "uci/notation.h"
#include "uci/rule_set.h"

namespace {

RootMove SquaresOf(const std::string& text) {
    return {{text[0] - 'a' + 1, text[1] - '0'}, {text[2] - 'a' + 1, text[3] - '0'}};
}

class KingCaptureRules : public RuleSet {
   public:
    const char* Name() const override { return "kingcapture"; }
    int BenchDepth() const override { return DEFAULT_BENCH_DEPTH; }

    // The game's rules have standard castling only.
    bool Chess960() const override { return false; }
    void SetChess960(bool) override {}

    bool SetPosition(const FenPosition& start, const Words& moves, std::string& error) override {
        PositionRecord position = start.record;
        for (std::size_t i = 0; i < moves.size(); ++i) {
            if (!PlayMoveText(position, moves[i], position, error)) {
                error += " (move " + std::to_string(i + 1) + " of the list)";
                return false;
            }
        }
        position_ = position;
        return true;
    }

    bool AcceptsPosition(const FenPosition&, std::string&) const override { return true; }
    FenPosition Position() const override { return {position_, 0, chess::STANDARD_CASTLING}; }

    std::size_t PlayableMoves(const Words& line, std::string& error) const override {
        PositionRecord position = position_;
        std::size_t played = 0;
        while (played < line.size() && PlayMoveText(position, line[played], position, error))
            ++played;
        return played;
    }

    SearchResult Search(const SearchJob& job, SearchStop& stop,
                        const IterationSink& sink) override {
        std::vector<RootMove> onlyMoves;
        for (const std::string& text : job.searchMoves) onlyMoves.push_back(SquaresOf(text));
        stop.maxNodes = job.maxNodes;
        const SearchSettings settings{threads_, &stop, onlyMoves.data(),
                                      static_cast<int>(onlyMoves.size())};
        SearchResult result;
        bool outOfMemory = false;
        int64_t total = 0;
        for (int depth = 1; depth <= job.maxDepth; ++depth) {
            Square from{}, to{};
            SearchReport report;
            const int found = FindBestMove(position_, depth, from, to, settings, &report);
            // Depth 1 scores every move by its evaluation alone and never stops.
            if (report.stopped && depth > 1) break;
            total += report.nodes;
            outOfMemory = outOfMemory || report.outOfMemory;
            result.bestMove = found ? MoveText(position_, from, to) : "0000";
            IterationInfo info;
            info.depth = depth;
            info.score = "cp " + std::to_string(static_cast<int>(report.score));
            info.nodes = report.nodes;
            info.totalNodes = total;
            info.pv = {result.bestMove};
            if (!sink(info)) break;
            if (job.maxNodes > 0 && total >= job.maxNodes) break;
        }
        if (outOfMemory) result.warning = "memory ran out during the search; the move may be weak";
        return result;
    }

    BenchLine BenchSearch(const FenPosition& start, int depth) override {
        const PositionRecord& record = start.record;
        Square from{}, to{};
        SearchReport report;
        const int found = FindBestMove(record, depth, from, to, SearchSettings{threads_}, &report);
        return {found ? MoveText(record, from, to) : "0000",
                "cp " + std::to_string(static_cast<int>(report.score)), report.nodes};
    }

    std::vector<PerftBranch> Perft(int depth, bool& outOfMemory) const override {
        return DividedPerft(position_, depth, outOfMemory);
    }

    int Evaluate() const override { return static_cast<int>(EvaluatePosition(position_)); }

    // The game's search keeps nothing between searches.
    int SetHash(int megabytes, std::string&) override { return megabytes; }
    void ClearHash() override {}
    int SetThreads(int threads, std::string&) override {
        threads_ = threads;
        return threads;
    }

   private:
    PositionRecord position_ = InitialPosition();
    int threads_ = 1;
};

}  // namespace

std::unique_ptr<RuleSet> MakeKingCaptureRules() { return std::make_unique<KingCaptureRules>(); }
