// position startpos|fen <FEN> [moves ...]: the whole line is checked before
// the session's position changes, so a bad part leaves it as it was.
#include "uci/commands.h"
#include "uci/fen.h"

namespace {

// The position named after the command word; next becomes the index of the
// first word after it.
bool ReadBasePosition(const Words& words, bool chess960, FenPosition& position, std::size_t& next,
                      std::string& error) {
    if (words.size() >= 2 && words[1] == "startpos") {
        position = FenPosition{InitialPosition(), 0, chess::STANDARD_CASTLING};
        next = 2;
        return true;
    }
    if (words.size() >= 2 && words[1] == "fen") {
        next = 2;
        while (next < words.size() && words[next] != "moves") ++next;
        const Words fields(words.begin() + 2, words.begin() + static_cast<std::ptrdiff_t>(next));
        return ParseFen(fields, chess960, position, error);
    }
    error = "position needs 'startpos' or 'fen <FEN>', then optionally 'moves ...'";
    return false;
}

bool SetPosition(UciSession& session, const Words& words, std::string& error) {
    FenPosition position;
    std::size_t next = 0;
    if (!ReadBasePosition(words, session.rules->Chess960(), position, next, error)) return false;
    if (next < words.size() && words[next] != "moves") {
        error = "unexpected " + Quoted(words[next]) + " after the position; expected 'moves'";
        return false;
    }
    const std::size_t first = next < words.size() ? next + 1 : next;
    const Words moves(words.begin() + static_cast<std::ptrdiff_t>(first), words.end());
    return session.rules->SetPosition(position, moves, error);
}

}  // namespace

void RunPosition(UciSession& session, const Words& words, std::ostream& out) {
    std::string error;
    if (!SetPosition(session, words, error)) ReportError(session, out, error);
}
