// quillmate-arena: a headless match runner for UCI engines (see kUsage).
#include <fstream>
#include <iostream>

#include "tools/arena/arguments.h"

namespace {

int GenerateOpenings(const arena::OpeningRecipe& recipe) {
    std::vector<std::string> fens = arena::GenerateOpenings(recipe, [&](int kept, int tried) {
        if (kept % 25 == 0 || kept == recipe.count)
            std::cerr << "kept " << kept << " of " << tried << " tried" << std::endl;
    });
    for (const std::string& fen : fens) std::cout << fen << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    arena::Command command;
    std::string error;
    if (!arena::ParseArguments(std::vector<std::string>(argv + 1, argv + argc), command, error)) {
        std::cerr << "quillmate-arena: " << error << " (--help explains)\n";
        return 2;
    }
    if (command.help) {
        std::cout << arena::kUsage;
        return 0;
    }
    if (command.generateOpenings) return GenerateOpenings(command.recipe);
    arena::MatchSettings& match = command.match;
    if (command.openingsPath.empty()) {
        match.openings = {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"};
    } else {
        std::ifstream in(command.openingsPath);
        if (!in || !arena::ReadOpenings(in, match.openings, error) || match.openings.empty()) {
            std::cerr << "quillmate-arena: " << command.openingsPath << ": "
                      << (in ? error.empty() ? "no positions" : error : "cannot be read") << "\n";
            return 2;
        }
    }
    for (const std::string& path : {match.pgnPath, match.positionsPath}) {
        if (!path.empty() && !std::ofstream(path, std::ios::app)) {
            std::cerr << "quillmate-arena: " << path << " cannot be written\n";
            return 2;
        }
    }
    match.timeControl = arena::TimeControlTag(match.game.time);
    arena::Standing standing;
    return arena::RunMatch(match, std::cout, standing) ? 0 : 1;
}
