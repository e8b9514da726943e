#include "tools/arena/openings.h"

#include <atomic>
#include <cstdlib>
#include <random>
#include <unordered_set>

#include "chess/chess.h"
#include "chess/outcome.h"
#include "uci/fen.h"

namespace arena {

namespace {

// A game of random legal plies, or false when it ended on the way.
bool RandomGame(int plies, std::mt19937_64& random, chess::Game& game) {
    game = chess::Game();
    std::string error;
    for (int ply = 0; ply < plies; ++ply) {
        chess::MoveList legal;
        chess::GenerateLegalMoves(game.board, legal);
        if (legal.count == 0) return false;
        // The remainder, not a library distribution: the same on every platform.
        chess::Move move = legal.moves[random() % static_cast<uint64_t>(legal.count)];
        chess::PlayMove(game, chess::MoveText(move), error);
    }
    return chess::OutcomeOf(game) == chess::Outcome::ONGOING;
}

bool Level(const chess::Game& game, const OpeningRecipe& recipe, chess::SearchTables& tables) {
    chess::ClearSearchTables(tables);
    chess::SearchThreads one;
    chess::SearchLimits limits;
    limits.maxDepth = recipe.depth;
    std::atomic<bool> stop{false};
    chess::Iteration last;
    chess::Think(tables, one, game, limits, stop, [&](const chess::Iteration& iteration) {
        last = iteration;
        return true;
    });
    return last.mateIn == 0 && std::abs(last.score) <= recipe.margin;
}

}  // namespace

bool GameFromFen(const std::string& fen, chess::Game& game, std::string& error) {
    FenPosition position;
    return ParseFen(SplitWords(fen), false, position, error) &&
           chess::StartGame(position.record, position.halfMoveClock, game, error);
}

std::string FenOf(const chess::Game& game) {
    return FormatFen(chess::RecordOf(game), chess::HalfMoveClock(game));
}

bool ReadOpenings(std::istream& in, std::vector<std::string>& fens, std::string& error) {
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        Words words = SplitWords(line);
        std::string fen = JoinWords(words, 0, words.size());
        if (fen.empty() || fen[0] == '#') continue;
        chess::Game game;
        if (!GameFromFen(fen, game, error)) {
            error = "line " + std::to_string(number) + ": " + error;
            return false;
        }
        fens.push_back(fen);
    }
    return true;
}

std::vector<std::string> GenerateOpenings(
    const OpeningRecipe& recipe, const std::function<void(int kept, int tried)>& progress) {
    std::mt19937_64 random(recipe.seed);
    chess::SearchTables tables;
    std::string error;
    chess::ResizeSearchTables(tables, 4, error);
    std::unordered_set<uint64_t> seen;
    std::vector<std::string> fens;
    int span = recipe.maxPlies - recipe.minPlies + 1;
    for (int tried = 1; static_cast<int>(fens.size()) < recipe.count; ++tried) {
        int plies = recipe.minPlies + static_cast<int>(random() % static_cast<uint64_t>(span));
        chess::Game game;
        if (!RandomGame(plies, random, game) || seen.count(game.board.key)) continue;
        seen.insert(game.board.key);
        if (!Level(game, recipe, tables)) continue;
        fens.push_back(FenOf(game));
        progress(static_cast<int>(fens.size()), tried);
    }
    return fens;
}

}  // namespace arena
