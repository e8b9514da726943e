// position startpos|fen <FEN> [moves ...]: the whole line is checked before
// the session's position changes, so a bad part leaves it as it was.
#include "uci/commands.h"
#include "uci/fen.h"
#include "uci/notation.h"

namespace {

// The position named after the command word; next becomes the index of the
// first word after it.
bool ReadBasePosition(const Words& words, PositionRecord& position, int& halfMoveClock,
                      std::size_t& next, std::string& error) {
    halfMoveClock = 0;
    if (words.size() >= 2 && words[1] == "startpos") {
        position = InitialPosition();
        next = 2;
        return true;
    }
    if (words.size() >= 2 && words[1] == "fen") {
        next = 2;
        while (next < words.size() && words[next] != "moves") ++next;
        const Words fields(words.begin() + 2, words.begin() + static_cast<std::ptrdiff_t>(next));
        return ParseFenFields(fields, position, error, &halfMoveClock);
    }
    error = "position needs 'startpos' or 'fen <FEN>', then optionally 'moves ...'";
    return false;
}

// Plays the moves after the base position with play(text, error).
template <typename PlayOne>
bool PlayMoves(const Words& words, std::size_t next, PlayOne&& play, std::string& error) {
    if (next == words.size()) return true;
    if (words[next] != "moves") {
        error = "unexpected " + Quoted(words[next]) + " after the position; expected 'moves'";
        return false;
    }
    for (std::size_t i = next + 1; i < words.size(); ++i) {
        if (!play(words[i], error)) {
            error += " (move " + std::to_string(i - next) + " of the list)";
            return false;
        }
    }
    return true;
}

bool SetPosition(UciSession& session, const Words& words, std::string& error) {
    PositionRecord position{};
    int halfMoveClock = 0;
    std::size_t next = 0;
    if (!ReadBasePosition(words, position, halfMoveClock, next, error)) return false;
    if (session.variant == Variant::KING_CAPTURE) {
        auto play = [&](const std::string& text, std::string& why) {
            return PlayMoveText(position, text, position, why);
        };
        if (!PlayMoves(words, next, play, error)) return false;
        session.position = position;
        return true;
    }
    chess::Game game;
    if (!chess::StartGame(position, halfMoveClock, game, error)) return false;
    auto play = [&](const std::string& text, std::string& why) {
        return chess::PlayMove(game, text, why);
    };
    if (!PlayMoves(words, next, play, error)) return false;
    session.game = game;
    return true;
}

}  // namespace

void RunPosition(UciSession& session, const Words& words, std::ostream& out) {
    std::string error;
    if (!SetPosition(session, words, error)) ReportError(session, out, error);
}
