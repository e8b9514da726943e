// The protocol's handshake and the tool's options.
#include "uci/commands.h"

namespace {

struct RulesChoice {
    const char* name;
    std::unique_ptr<RuleSet> (*make)();
};

const RulesChoice RULES[] = {{"chess", MakeChessRules}, {"kingcapture", MakeKingCaptureRules}};

// The new rules get the session's hash and threads. The position is kept in
// one rule set only, so a change of rules starts from the initial position.
bool SetVariant(UciSession& session, const std::string& value, std::string& error) {
    for (const RulesChoice& choice : RULES) {
        if (!SameWordIgnoringCase(value, choice.name)) continue;
        if (choice.name == std::string(session.rules->Name())) return true;
        session.rules.reset();  // the old table goes before the new one is made
        session.rules = choice.make();
        session.rules->SetChess960(session.chess960);
        session.hashMegabytes = session.rules->SetHash(session.hashMegabytes, error);
        session.threads = session.rules->SetThreads(session.threads, error);
        return error.empty();
    }
    error = "UCI_Variant must be chess or kingcapture, not " + Quoted(value);
    return false;
}

// Hash and Threads: a size already in use changes nothing; otherwise the
// rules make what they can, and the option holds what they made.
bool SetResource(UciSession& session, const std::string& value, const char* name, int low, int high,
                 int& option, int (RuleSet::*set)(int, std::string&), std::string& error) {
    int64_t number = 0;
    if (!ParseBoundedNumber(value, name, low, high, number, error)) return false;
    if (number == option) return true;
    option = (session.rules.get()->*set)(static_cast<int>(number), error);
    return error.empty();
}

// The value of a check option, true or false in any case.
bool ReadCheck(const std::string& value, const char* name, bool& on, std::string& error) {
    on = SameWordIgnoringCase(value, "true");
    if (on || SameWordIgnoringCase(value, "false")) return true;
    error = std::string(name) + " must be true or false, not " + Quoted(value);
    return false;
}

bool SetOption(UciSession& session, const std::string& name, const std::string& value,
               std::string& error) {
    if (SameWordIgnoringCase(name, "UCI_Variant")) return SetVariant(session, value, error);
    if (SameWordIgnoringCase(name, "Threads"))
        return SetResource(session, value, "Threads", MIN_THREADS, session.limits.maxThreads,
                           session.threads, &RuleSet::SetThreads, error);
    if (SameWordIgnoringCase(name, "Hash"))
        return SetResource(session, value, "Hash", MIN_HASH_MEGABYTES,
                           session.limits.maxHashMegabytes, session.hashMegabytes,
                           &RuleSet::SetHash, error);
    if (SameWordIgnoringCase(name, "Clear Hash")) {
        session.rules->ClearHash();
        return true;
    }
    if (SameWordIgnoringCase(name, "Move Overhead")) {
        return ParseBoundedNumber(value, "Move Overhead", 0, MAX_MOVE_OVERHEAD_MS,
                                  session.moveOverhead, error);
    }
    if (SameWordIgnoringCase(name, "MultiPV"))
        return ParseBoundedNumber(value, "MultiPV", 1, MAX_MULTI_PV, session.multiPv, error);
    if (SameWordIgnoringCase(name, "Skill Level"))
        return ParseBoundedNumber(value, "Skill Level", 0, chess::MAX_SKILL_LEVEL,
                                  session.skillLevel, error);
    bool on = false;
    // Ponder: the GUI says whether it will send go ponder; nothing to prepare.
    // UCI_AnalyseMode: the search already analyses as it plays, with no
    // contempt for draws and with its whole line.
    for (const char* accepted : {"Ponder", "UCI_AnalyseMode"})
        if (SameWordIgnoringCase(name, accepted)) return ReadCheck(value, accepted, on, error);
    if (SameWordIgnoringCase(name, "UCI_Elo"))
        return ParseBoundedNumber(value, "UCI_Elo", chess::MIN_ELO, chess::MAX_ELO, session.elo,
                                  error);
    if (SameWordIgnoringCase(name, "UCI_LimitStrength")) {
        if (!ReadCheck(value, "UCI_LimitStrength", on, error)) return false;
        session.limitStrength = on;
        return true;
    }
    if (SameWordIgnoringCase(name, "UCI_ShowWDL")) {
        if (!ReadCheck(value, "UCI_ShowWDL", on, error)) return false;
        session.showWdl = on;
        return true;
    }
    if (SameWordIgnoringCase(name, "UCI_Chess960")) {
        if (!ReadCheck(value, "UCI_Chess960", on, error)) return false;
        session.chess960 = on;
        session.rules->SetChess960(on);
        return true;
    }
    error =
        "unknown option " + Quoted(name) +
        "; the options are UCI_Variant, UCI_Chess960, Threads, Hash, Clear Hash, Move "
        "Overhead, MultiPV, Skill Level, UCI_LimitStrength, UCI_Elo, Ponder, UCI_AnalyseMode and "
        "UCI_ShowWDL";
    return false;
}

}  // namespace

void RunUci(UciSession& session, const Words&, std::ostream& out) {
    out << "id name Quillmate\n"
        << "id author the Quillmate developers\n"
        << "option name UCI_Variant type combo default chess var chess var kingcapture\n";
    if (session.rules->Name() == std::string("chess"))
        out << "option name UCI_Chess960 type check default false\n";
    out << "option name Threads type spin default " << DEFAULT_THREADS << " min " << MIN_THREADS
        << " max " << session.limits.maxThreads << '\n'
        << "option name Hash type spin default " << DEFAULT_HASH_MEGABYTES << " min "
        << MIN_HASH_MEGABYTES << " max " << session.limits.maxHashMegabytes << '\n'
        << "option name Clear Hash type button\n"
        << "option name Move Overhead type spin default " << DEFAULT_MOVE_OVERHEAD_MS
        << " min 0 max " << MAX_MOVE_OVERHEAD_MS << '\n'
        << "option name MultiPV type spin default 1 min 1 max " << MAX_MULTI_PV << '\n'
        << "option name Skill Level type spin default " << chess::MAX_SKILL_LEVEL << " min 0 max "
        << chess::MAX_SKILL_LEVEL << '\n'
        << "option name UCI_LimitStrength type check default false\n"
        << "option name UCI_Elo type spin default " << chess::MAX_ELO << " min " << chess::MIN_ELO
        << " max " << chess::MAX_ELO << '\n'
        << "option name Ponder type check default false\n"
        << "option name UCI_AnalyseMode type check default false\n"
        << "option name UCI_ShowWDL type check default false\n"
        << "uciok\n";
}

void RunIsReady(UciSession& session, const Words&, std::ostream& out) {
    SendLines(session, out, "readyok\n");
}

void RunNewGame(UciSession& session, const Words&, std::ostream&) {
    std::string error;
    session.rules->SetPosition(FenPosition{InitialPosition(), 0, chess::STANDARD_CASTLING}, {},
                               error);
    session.rules->ClearHash();
}

// setoption name <name> [value <value>]; option names ignore case.
void RunSetOption(UciSession& session, const Words& words, std::ostream& out) {
    std::size_t value = 2;
    while (value < words.size() && words[value] != "value") ++value;
    if (value == 2 || words[1] != "name") {
        ReportError(session, out, "setoption needs the form: setoption name <name> value <value>");
        return;
    }
    const std::string name = JoinWords(words, 2, value);
    const std::string given = JoinWords(words, value + 1, words.size());
    std::string error;
    if (!SetOption(session, name, given, error)) ReportError(session, out, error);
}
