// An engine as a child process: started through /bin/sh from a command line,
// fed lines on its standard input, read line by line from its standard output
// with a deadline. Its standard error is the runner's. POSIX only.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

namespace arena {

using Clock = std::chrono::steady_clock;

struct EngineProcess {
    pid_t pid = -1;
    int input = -1;       // the engine's standard input, written by us
    int output = -1;      // the engine's standard output, read by us (non-blocking)
    std::string pending;  // read but not yet a whole line
};

// Starts command (run as "exec <command>" by /bin/sh, so that pid is the
// engine's own) in directory (the current one when empty). The first call
// makes the program ignore SIGPIPE, for good.
bool StartProcess(const std::string& command, const std::string& directory, EngineProcess& process,
                  std::string& error);

// Writes line and a newline; false when the engine no longer reads.
bool WriteLine(EngineProcess& process, const std::string& line);

enum class ReadStatus { LINE, TIMEOUT, CLOSED };

// The next line without its end (\n or \r\n), waiting until deadline at most.
// CLOSED: the engine closed its output (it exited or crashed).
ReadStatus ReadLine(EngineProcess& process, Clock::time_point deadline, std::string& line);

// Asks the engine to quit, gives it grace to do so, then kills it; waits for
// it either way, so that no zombie is left. Safe to call on a stopped process.
void StopProcess(EngineProcess& process, std::chrono::milliseconds grace);

}  // namespace arena
