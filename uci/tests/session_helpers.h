// Running the tool's commands in tests and picking its output apart.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "uci/session.h"

// Runs each line of script in turn, as the end of the input does lets the
// last search end, and returns everything written.
inline std::string RunScript(UciSession& session, const std::string& script) {
    std::ostringstream out;
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) RunCommand(session, line, out);
    FinishInput(session);
    return out.str();
}

// Switches the session to the rules named ("chess" or "kingcapture").
inline void UseRules(UciSession& session, const std::string& name) {
    std::ostringstream out;
    RunCommand(session, "setoption name UCI_Variant value " + name, out);
}

// A session in the game's own rules, in which kings are captured.
struct KingCaptureSession : UciSession {
    KingCaptureSession() { UseRules(*this, "kingcapture"); }
};

inline std::vector<std::string> OutputLines(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

inline bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}
