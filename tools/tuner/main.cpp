// quillmate-tune: fits the evaluation's weights to the results of played
// games and writes them as the header the engine is compiled with.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "chess/eval_weights.h"
#include "tools/tuner/fit.h"
#include "tools/tuner/training_set.h"
#include "tools/tuner/weights_file.h"

namespace {

constexpr const char* kUsage =
    "Usage: quillmate-tune [--epochs N] [--rate R] [--prior P] [--blend B] [--limit N] [--k K]\n"
    "                      [--check F] [--only G] --out HEADER POSITIONS...\n"
    "\n"
    "Fits every evaluation weight, starting from those compiled in, to the\n"
    "results of the games the POSITIONS files come from (lines FEN;score;points,\n"
    "as quillmate-arena --positions writes them), and writes the weights to\n"
    "HEADER (chess/eval_weights.h to use them).\n"
    "  --epochs N  descent steps over the whole set (default 2000; 0 writes\n"
    "              the compiled weights again)\n"
    "  --rate R    the first steps' size in centipawns (default 1)\n"
    "  --prior P   adds P * (weight - compiled weight)^2 for every weight to\n"
    "              the error, holding back terms few positions show (default 0)\n"
    "  --blend B   fits to (1 - B) * the game's points + B * the points the\n"
    "              game's own search score predicts (default 0: results only;\n"
    "              the check set is always measured against results)\n"
    "  --limit N   reads at most N positions\n"
    "  --check F   also reports the error on the positions of F, which the fit\n"
    "              does not see: how well the weights carry over to other games\n"
    "  --k K       the logistic curve's scale, instead of fitting it first\n"
    "  --only G    fits only the groups of terms whose names begin with G, as\n"
    "              the written header names them (repeatable); the rest stay\n"
    "              as compiled\n";

struct Arguments {
    tuner::TuneSettings settings;
    long limit = -1;
    double k = 0;
    double blend = 0;
    std::string out;
    std::vector<std::string> inputs;
    std::vector<std::string> checks;
    std::vector<std::string> only;
};

bool ParseArguments(int argc, char** argv, Arguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const bool hasValue = i + 1 < argc;
        if (word == "--epochs" && hasValue)
            arguments.settings.epochs = std::atoi(argv[++i]);
        else if (word == "--rate" && hasValue)
            arguments.settings.rate = std::atof(argv[++i]);
        else if (word == "--blend" && hasValue)
            arguments.blend = std::atof(argv[++i]);
        else if (word == "--prior" && hasValue)
            arguments.settings.prior = std::atof(argv[++i]);
        else if (word == "--limit" && hasValue)
            arguments.limit = std::atol(argv[++i]);
        else if (word == "--k" && hasValue)
            arguments.k = std::atof(argv[++i]);
        else if (word == "--check" && hasValue)
            arguments.checks.push_back(argv[++i]);
        else if (word == "--only" && hasValue)
            arguments.only.push_back(argv[++i]);
        else if (word == "--out" && hasValue)
            arguments.out = argv[++i];
        else if (word.rfind("--", 0) == 0)
            return false;
        else
            arguments.inputs.push_back(word);
    }
    if (!arguments.only.empty() && !tuner::SelectGroups(arguments.only, arguments.settings.fitted))
        return false;
    return !arguments.out.empty() && !arguments.inputs.empty() && arguments.settings.epochs >= 0 &&
           arguments.settings.rate > 0 && arguments.settings.prior >= 0 && arguments.k >= 0 &&
           arguments.blend >= 0 && arguments.blend <= 1;
}

// Reads the positions of paths, each distinct line once: two engines that
// play alike repeat each other's games when the colours are swapped.
bool Load(const std::vector<std::string>& paths, long limit, tuner::TrainingSet& set) {
    long counts[4] = {0, 0, 0, 0}, lines = 0, repeated = 0;
    std::unordered_set<std::size_t> seen;
    for (const std::string& path : paths) {
        std::ifstream in(path);
        if (!in) {
            std::fprintf(stderr, "quillmate-tune: cannot read %s\n", path.c_str());
            return false;
        }
        for (std::string line; std::getline(in, line);) {
            if (limit >= 0 && lines >= limit) break;
            ++lines;
            if (!seen.insert(std::hash<std::string>()(line)).second) {
                ++repeated;
                continue;
            }
            ++counts[static_cast<int>(tuner::AddPositionLine(line, set))];
        }
    }
    std::printf(
        "%ld positions read: %ld kept, %ld repeated, %ld in check, %ld dead draws, "
        "%ld malformed\n",
        lines, counts[0], repeated, counts[2], counts[3], counts[1]);
    return !set.samples.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    tuner::TrainingSet set, check;
    if (!Load(arguments.inputs, arguments.limit, set) ||
        (!arguments.checks.empty() && !Load(arguments.checks, -1, check)))
        return 1;

    tuner::Parameters parameters = tuner::ParametersOf(chess::kEvalWeights);
    const double k = arguments.k > 0 ? arguments.k : tuner::FitScaling(set, parameters);
    std::printf("k %.3f, error of the compiled weights %.6f\n", k,
                tuner::MeanSquaredError(set, parameters, k));
    if (arguments.blend > 0) {
        tuner::BlendTargets(set, arguments.blend, k);
        std::printf("aiming at %.2f of the game's points and %.2f of the search's\n",
                    1 - arguments.blend, arguments.blend);
    }
    if (arguments.settings.epochs > 0)
        parameters = tuner::Tune(set, parameters, k, arguments.settings,
                                 [&](int epoch, double error, const tuner::Parameters& reached) {
                                     std::printf("epoch %d: error %.6f", epoch, error);
                                     if (!check.samples.empty())
                                         std::printf(", on the check set %.6f",
                                                     tuner::MeanSquaredError(check, reached, k));
                                     std::printf("\n");
                                     std::fflush(stdout);
                                 });

    std::ofstream out(arguments.out, std::ios::binary);
    out << tuner::WeightsHeader(tuner::RoundedWeights(parameters));
    if (!out.flush()) {
        std::fprintf(stderr, "quillmate-tune: cannot write %s\n", arguments.out.c_str());
        return 1;
    }
    std::printf("weights written to %s\n", arguments.out.c_str());
    return 0;
}
