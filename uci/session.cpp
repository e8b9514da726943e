#include "uci/session.h"

#include <exception>

#include "uci/commands.h"

namespace {

using CommandHandler = void (*)(UciSession&, const Words&, std::ostream&);

// Searches finish before the next line is read, so there is never a search
// to stop or a ponder to turn into a search: these are accepted and do nothing.
void IgnoreCommand(UciSession&, const Words&, std::ostream&) {}

struct Command {
    const char* name;
    CommandHandler handler;
};

const Command COMMANDS[] = {
    {"uci", RunUci},
    {"isready", RunIsReady},
    {"ucinewgame", RunNewGame},
    {"setoption", RunSetOption},
    {"position", RunPosition},
    {"go", RunGo},
    {"d", RunDisplay},
    {"eval", RunEval},
    {"bench", RunBench},
    {"stop", IgnoreCommand},
    {"ponderhit", IgnoreCommand},
    {"debug", IgnoreCommand},
};

void ReportUnknownCommand(UciSession& session, const std::string& word, std::ostream& out) {
    std::string known;
    for (const Command& command : COMMANDS) known += std::string(command.name) + ", ";
    ReportError(session, out,
                "unknown command " + Quoted(word) + "; the commands are " + known + "quit");
}

}  // namespace

void ReportError(UciSession& session, std::ostream& out, const std::string& what) {
    ++session.errorCount;
    out << "info string error: " << what << '\n';
}

bool RunCommand(UciSession& session, const std::string& line, std::ostream& out) {
    const Words words = SplitWords(line);
    if (words.empty()) return true;
    if (words[0] == "quit") return false;
    try {
        for (const Command& command : COMMANDS) {
            if (words[0] == command.name) {
                command.handler(session, words, out);
                return true;
            }
        }
        ReportUnknownCommand(session, words[0], out);
    } catch (const std::exception& failure) {
        // Handlers change the session only once they have succeeded, so the
        // position is still the one from before this line.
        ReportError(session, out,
                    std::string("the command could not be completed: ") + failure.what());
    }
    return true;
}
