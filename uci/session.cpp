#include "uci/session.h"

#include <algorithm>
#include <exception>

#include "uci/commands.h"

namespace {

using CommandHandler = void (*)(UciSession&, const Words&, std::ostream&);

// stop and ponderhit matter only while a search runs, and debug output
// is not offered: without a search these are accepted and do nothing.
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

bool IsKnownCommand(const std::string& word) {
    for (const Command& command : COMMANDS)
        if (word == command.name) return true;
    return false;
}

void ReportUnknownCommand(UciSession& session, const std::string& word, std::ostream& out) {
    std::string known;
    for (const Command& command : COMMANDS) known += std::string(command.name) + ", ";
    ReportError(session, out,
                "unknown command " + Quoted(word) + "; the commands are " + known + "quit");
}

// While a search runs, the commands meant for it are answered at once, and
// an unknown one is reported and otherwise ignored. Any other command first
// lets the search end: it waits for a search with a limit, and stops one
// that would wait for stop. Returns true when the command was handled here.
bool RunDuringSearch(UciSession& session, const std::string& word, std::ostream& out) {
    Searcher& searcher = session.searcher;
    if (!SearchIsRunning(searcher)) return false;
    if (word == "isready") {
        SendLines(session, out, "readyok\n");
    } else if (word == "stop") {
        StopSearch(searcher);
    } else if (word == "ponderhit") {
        PonderHit(searcher);
    } else if (word == "debug") {
    } else if (!IsKnownCommand(word)) {
        ReportUnknownCommand(session, word, out);
    } else {
        if (SearchWaitsForStop(searcher))
            StopSearch(searcher);
        else
            WaitForSearch(searcher);
        return false;
    }
    return true;
}

}  // namespace

UciSession::UciSession(const SessionLimits& sessionLimits)
    : limits(sessionLimits), rules(MakeChessRules()) {
    std::string error;
    hashMegabytes =
        rules->SetHash(std::min(DEFAULT_HASH_MEGABYTES, limits.maxHashMegabytes), error);
}

UciSession::~UciSession() { StopSearch(searcher); }

void SendLines(UciSession& session, std::ostream& out, const std::string& text) {
    std::lock_guard<std::mutex> guard(session.outputLock);
    out << text;
    out.flush();  // a GUI waits for each line on a pipe
}

void ReportError(UciSession& session, std::ostream& out, const std::string& what) {
    ++session.errorCount;
    SendLines(session, out, "info string error: " + what + '\n');
}

bool RunCommand(UciSession& session, const std::string& line, std::ostream& out) {
    const Words words = SplitWords(line);
    if (words.empty()) return true;
    if (words[0] == "quit") {
        StopSearch(session.searcher);
        return false;
    }
    if (RunDuringSearch(session, words[0], out)) return true;
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

void FinishInput(UciSession& session) {
    if (SearchWaitsForStop(session.searcher))
        StopSearch(session.searcher);
    else
        WaitForSearch(session.searcher);
}
