#include "tools/arena/uci_lines.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace arena {

namespace {

std::vector<std::string> WordsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// The whole word as an integer.
bool ReadInt(const std::string& word, int& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    long read = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || read < -1000000000L || read > 1000000000L) return false;
    value = static_cast<int>(read);
    return true;
}

}  // namespace

bool ReadInfo(const std::string& line, Report& report) {
    std::vector<std::string> words = WordsOf(line);
    if (words.empty() || words[0] != "info") return false;
    Report read;
    int multiPv = 1;
    bool bound = false, scored = false, deep = false;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "string") return false;  // free text follows: nothing to read
        if (word == "pv") break;             // moves follow
        if (word == "lowerbound" || word == "upperbound") bound = true;
        if (i + 1 >= words.size()) break;
        if (word == "depth") deep = ReadInt(words[++i], read.depth);
        if (word == "multipv" && !ReadInt(words[++i], multiPv)) return false;
        if (word == "score" && i + 2 < words.size()) {
            read.score.mate = words[i + 1] == "mate";
            if (words[i + 1] != "cp" && !read.score.mate) return false;
            scored = ReadInt(words[i + 2], read.score.value);
            i += 2;
        }
    }
    if (!scored || !deep || bound || multiPv != 1) return false;
    read.scored = true;
    report = read;
    return true;
}

bool ReadBestMove(const std::string& line, std::string& move) {
    std::vector<std::string> words = WordsOf(line);
    if (words.empty() || words[0] != "bestmove") return false;
    move = words.size() > 1 ? words[1] : "";
    return true;
}

std::string ScoreText(const Score& score) {
    char text[32];
    if (score.mate)
        std::snprintf(text, sizeof text, "%cM%d", score.value <= 0 ? '-' : '+',
                      std::abs(score.value));
    else
        std::snprintf(text, sizeof text, "%c%d.%02d", score.value < 0 ? '-' : '+',
                      std::abs(score.value) / 100, std::abs(score.value) % 100);
    return text;
}

int Centipawns(const Score& score) {
    if (!score.mate) return score.value;
    int distance = std::abs(score.value);
    // "mate 0": the side to move is mated already.
    return score.value > 0 ? kMateCentipawns - distance : -(kMateCentipawns - distance);
}

}  // namespace arena
