// The protocol's handshake and the tool's options.
#include "uci/commands.h"
#include "uci/running_search.h"

namespace {

const char* const VARIANT_NAMES[] = {"chess", "kingcapture"};

bool SetVariant(UciSession& session, const std::string& value, std::string& error) {
    for (Variant variant : {Variant::CHESS, Variant::KING_CAPTURE}) {
        if (!SameWordIgnoringCase(value, VARIANT_NAMES[static_cast<int>(variant)])) continue;
        // The position is kept in one rule set only, so a change of rules
        // starts from the initial position.
        if (variant != session.variant) {
            session.variant = variant;
            session.position = InitialPosition();
            session.game = chess::Game();
        }
        return true;
    }
    error = "UCI_Variant must be chess or kingcapture, not " + Quoted(value);
    return false;
}

bool SetNumber(const std::string& value, const char* name, int low, int high, int& target,
               std::string& error) {
    int64_t number = 0;
    if (!ParseBoundedNumber(value, name, low, high, number, error)) return false;
    target = static_cast<int>(number);
    return true;
}

bool SetOption(UciSession& session, const std::string& name, const std::string& value,
               std::string& error) {
    if (SameWordIgnoringCase(name, "UCI_Variant")) return SetVariant(session, value, error);
    if (SameWordIgnoringCase(name, "Threads")) {
        if (!SetNumber(value, "Threads", MIN_THREADS, MAX_THREADS, session.threads, error))
            return false;
        return chess::SetSearchThreads(session.chessThreads, session.threads, error) ==
               session.threads;
    }
    if (SameWordIgnoringCase(name, "Hash")) {
        session.tablesSized = false;
        return SetNumber(value, "Hash", MIN_HASH_MEGABYTES, MAX_HASH_MEGABYTES,
                         session.hashMegabytes, error);
    }
    if (SameWordIgnoringCase(name, "Clear Hash")) {
        if (session.tablesSized) chess::ClearSearchTables(session.tables);
        return true;
    }
    if (SameWordIgnoringCase(name, "Ponder")) {
        // The GUI says whether it will send go ponder; nothing to prepare.
        if (SameWordIgnoringCase(value, "true") || SameWordIgnoringCase(value, "false"))
            return true;
        error = "Ponder must be true or false, not " + Quoted(value);
        return false;
    }
    error = "unknown option " + Quoted(name) +
            "; the options are UCI_Variant, Threads, Hash, Clear Hash and Ponder";
    return false;
}

}  // namespace

void RunUci(UciSession&, const Words&, std::ostream& out) {
    out << "id name Quillmate\n"
        << "id author the Quillmate developers\n"
        << "option name UCI_Variant type combo default chess var chess var kingcapture\n"
        << "option name Threads type spin default 1 min " << MIN_THREADS << " max " << MAX_THREADS
        << '\n'
        << "option name Hash type spin default " << DEFAULT_HASH_MEGABYTES << " min "
        << MIN_HASH_MEGABYTES << " max " << MAX_HASH_MEGABYTES << '\n'
        << "option name Clear Hash type button\n"
        << "option name Ponder type check default false\n"
        << "uciok\n";
}

void RunIsReady(UciSession& session, const Words&, std::ostream& out) {
    SendLines(session, out, "readyok\n");
}

void RunNewGame(UciSession& session, const Words&, std::ostream&) {
    session.position = InitialPosition();
    session.game = chess::Game();
    if (session.tablesSized) chess::ClearSearchTables(session.tables);
}

// setoption name <name> [value <value>]; option names ignore case.
void RunSetOption(UciSession& session, const Words& words, std::ostream& out) {
    std::size_t value = 2;
    while (value < words.size() && words[value] != "value") ++value;
    if (words.size() < 3 || words[1] != "name" || value == 2) {
        ReportError(session, out, "setoption needs the form: setoption name <name> value <value>");
        return;
    }
    const std::string name = JoinWords(words, 2, value);
    const std::string given =
        value + 1 < words.size() ? JoinWords(words, value + 1, words.size()) : "";
    std::string error;
    if (!SetOption(session, name, given, error)) ReportError(session, out, error);
}
