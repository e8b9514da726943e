#include "tools/tuner/weights_file.h"

namespace tuner {

namespace {

constexpr const char* kPieceNames[6] = {"pawn", "knight", "bishop", "rook", "queen", "king"};

void AppendGroup(std::string& text, const std::string& name, int first, int count,
                 const std::vector<chess::EvalWeight>& weights) {
    text += "    // " + name + "\n";
    for (int line = first; line < first + count; line += 8) {
        text += "   ";
        for (int term = line; term < line + 8 && term < first + count; ++term)
            text += " {" + std::to_string(weights[term].middle) + ", " +
                    std::to_string(weights[term].end) + "},";
        text += "\n";
    }
}

}  // namespace

std::string WeightsHeader(const std::vector<chess::EvalWeight>& weights) {
    std::string text =
        "// The evaluation's weights, {middle game, end game} in centipawns, by term.\n"
        "// Written by quillmate-tune from the engine's own games; tools/tuner/README.md\n"
        "// has the recipe. Do not edit by hand.\n"
        "#pragma once\n\n"
        "#include \"chess/eval_terms.h\"\n\n"
        "namespace chess {\n\n"
        "// clang-format off\n"
        "inline constexpr EvalWeight kEvalWeights[EVAL_TERM_COUNT] = {\n";
    for (const chess::EvalTermGroup& group : chess::kEvalTermGroups) {
        if (group.first != chess::TERM_PIECE_SQUARE) {
            AppendGroup(text, group.name, group.first, group.count, weights);
            continue;
        }
        for (int type = 0; type < 6; ++type)
            AppendGroup(text, std::string(group.name) + ": " + kPieceNames[type],
                        group.first + type * 64, 64, weights);
    }
    return text + "};\n// clang-format on\n\n}  // namespace chess\n";
}

}  // namespace tuner
