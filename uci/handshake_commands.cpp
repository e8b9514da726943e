// The protocol's handshake and its one option.
#include "uci/commands.h"

void RunUci(UciSession&, const Words&, std::ostream& out) {
    out << "id name Quillmate\n"
        << "id author the Quillmate developers\n"
        << "option name Threads type spin default 1 min " << MIN_THREADS << " max " << MAX_THREADS
        << '\n'
        << "uciok\n";
}

void RunIsReady(UciSession&, const Words&, std::ostream& out) { out << "readyok\n"; }

void RunNewGame(UciSession& session, const Words&, std::ostream&) {
    session.position = InitialPosition();
}

// setoption name <name> value <value>; option names ignore case.
void RunSetOption(UciSession& session, const Words& words, std::ostream& out) {
    std::size_t value = 2;
    while (value < words.size() && words[value] != "value") ++value;
    if (words.size() < 3 || words[1] != "name" || value == 2) {
        ReportError(session, out, "setoption needs the form: setoption name Threads value N");
        return;
    }
    const std::string name = JoinWords(words, 2, value);
    if (!SameWordIgnoringCase(name, "Threads")) {
        ReportError(session, out,
                    "unknown option " + Quoted(name) + "; the only option is Threads");
        return;
    }
    int64_t threads = 0;
    std::string error;
    const std::string given =
        value + 1 < words.size() ? JoinWords(words, value + 1, words.size()) : "";
    if (!ParseBoundedNumber(given, "Threads", MIN_THREADS, MAX_THREADS, threads, error)) {
        ReportError(session, out, error);
        return;
    }
    session.threads = static_cast<int>(threads);
}
