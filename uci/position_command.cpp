// position startpos|fen <FEN> [moves ...]: the whole line is checked before
// the session's position changes, so a bad part leaves it as it was.
#include "uci/commands.h"
#include "uci/fen.h"
#include "uci/notation.h"

namespace {

// The position named after the command word; next becomes the index of the
// first word after it.
bool ReadBasePosition(const Words& words, PositionRecord& position, std::size_t& next,
                      std::string& error) {
    if (words.size() >= 2 && words[1] == "startpos") {
        position = InitialPosition();
        next = 2;
        return true;
    }
    if (words.size() >= 2 && words[1] == "fen") {
        next = 2;
        while (next < words.size() && words[next] != "moves") ++next;
        const Words fields(words.begin() + 2, words.begin() + static_cast<std::ptrdiff_t>(next));
        return ParseFenFields(fields, position, error);
    }
    error = "position needs 'startpos' or 'fen <FEN>', then optionally 'moves ...'";
    return false;
}

bool PlayMoves(const Words& words, std::size_t next, PositionRecord& position, std::string& error) {
    if (next == words.size()) return true;
    if (words[next] != "moves") {
        error = "unexpected " + Quoted(words[next]) + " after the position; expected 'moves'";
        return false;
    }
    for (std::size_t i = next + 1; i < words.size(); ++i) {
        if (!PlayMoveText(position, words[i], position, error)) {
            error += " (move " + std::to_string(i - next) + " of the list)";
            return false;
        }
    }
    return true;
}

}  // namespace

void RunPosition(UciSession& session, const Words& words, std::ostream& out) {
    PositionRecord position{};
    std::size_t next = 0;
    std::string error;
    if (!ReadBasePosition(words, position, next, error) ||
        !PlayMoves(words, next, position, error)) {
        ReportError(session, out, error);
        return;
    }
    session.position = position;
}
