#include "tools/arena/pgn.h"

#include <cstdio>
#include <sstream>

namespace arena {

namespace {

constexpr const char* kInitialFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

std::string Tag(const std::string& name, const std::string& value) {
    std::string escaped;
    for (char c : value) {
        if (c == '"' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return "[" + name + " \"" + escaped + "\"]\n";
}

// Adds words to lines of at most 79 characters.
struct LineFiller {
    std::string text, line;
    void Add(const std::string& word) {
        if (!line.empty() && line.size() + 1 + word.size() > 79) {
            text += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    std::string Done() { return text + line + "\n"; }
};

// The side to move (0 White) and the move number of a FEN.
void StartOf(const std::string& fen, int& side, int& number) {
    std::istringstream in(fen);
    std::string board, color, castling, enPassant;
    int clock = 0;
    number = 1;
    in >> board >> color >> castling >> enPassant >> clock >> number;
    side = color == "b" ? 1 : 0;
}

}  // namespace

const char* TerminationText(Termination termination) {
    switch (termination) {
        case Termination::NORMAL: return "normal";
        case Termination::ADJUDICATION: return "adjudication";
        case Termination::TIME_FORFEIT: return "time forfeit";
        case Termination::RULES_INFRACTION: return "rules infraction";
        case Termination::ABANDONED: return "abandoned";
    }
    return "unterminated";
}

std::string TimeControlTag(const TimeControl& time) {
    if (time.nodes > 0) return "";
    char text[64];
    std::snprintf(text, sizeof text, "%g+%g", time.baseMs / 1000.0, time.incrementMs / 1000.0);
    return text;
}

std::string MoveComment(const PlayedMove& move) {
    char time[32];
    std::snprintf(time, sizeof time, "%.2fs", move.seconds);
    if (!move.report.scored) return time;
    return ScoreText(move.report.score) + "/" + std::to_string(move.report.depth) + " " + time;
}

std::string PgnOf(const GameRecord& game, const PgnHeader& header) {
    std::string text = Tag("Event", header.event) + Tag("Site", header.site) +
                       Tag("Date", header.date) + Tag("Round", std::to_string(header.round)) +
                       Tag("White", game.white) + Tag("Black", game.black) +
                       Tag("Result", game.result);
    if (game.fen != kInitialFen) text += Tag("FEN", game.fen) + Tag("SetUp", "1");
    text +=
        Tag("Termination", game.result == "*" ? "unterminated" : TerminationText(game.termination));
    if (!header.timeControl.empty()) text += Tag("TimeControl", header.timeControl);
    text += Tag("PlyCount", std::to_string(game.moves.size())) + "\n";
    int side = 0, number = 1;
    StartOf(game.fen, side, number);
    LineFiller filler;
    for (size_t i = 0; i < game.moves.size(); ++i, side ^= 1) {
        if (side == 0) filler.Add(std::to_string(number) + ".");
        if (side == 1 && i == 0) filler.Add(std::to_string(number) + "...");
        filler.Add(game.moves[i].san);
        filler.Add("{" + MoveComment(game.moves[i]) + "}");
        if (side == 1) ++number;
    }
    if (!game.reason.empty()) filler.Add("{" + game.reason + "}");
    filler.Add(game.result);
    return text + filler.Done() + "\n";
}

}  // namespace arena
