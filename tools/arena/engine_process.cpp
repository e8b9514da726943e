#include "tools/arena/engine_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace arena {

namespace {

void CloseFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void RunChild(int toEngine[2], int fromEngine[2], const char* directory,
                           const char* command) {
    dup2(toEngine[0], STDIN_FILENO);
    dup2(fromEngine[1], STDOUT_FILENO);
    if (directory[0] != '\0' && chdir(directory) != 0) _exit(127);
    execl("/bin/sh", "sh", "-c", command, static_cast<char*>(nullptr));
    _exit(127);
}

bool TakeLine(std::string& pending, std::string& line) {
    size_t end = pending.find('\n');
    if (end == std::string::npos) return false;
    line = pending.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pending.erase(0, end + 1);
    return true;
}

}  // namespace

bool StartProcess(const std::string& command, const std::string& directory, EngineProcess& process,
                  std::string& error) {
    // Close-on-exec: other engines started by other threads at the same time
    // must not inherit these pipes, or an engine's end of file would never come.
    // An engine that exits makes writes to its pipe fail; that is reported
    // by WriteLine, and must not end the whole program with SIGPIPE.
    static const bool kPipeSignalIgnored = signal(SIGPIPE, SIG_IGN) != SIG_ERR;
    (void)kPipeSignalIgnored;
    int toEngine[2], fromEngine[2];
    if (pipe2(toEngine, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    if (pipe2(fromEngine, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        close(toEngine[0]);
        close(toEngine[1]);
        return false;
    }
    std::string shellCommand = "exec " + command;
    pid_t pid = fork();
    if (pid == 0) RunChild(toEngine, fromEngine, directory.c_str(), shellCommand.c_str());
    close(toEngine[0]);
    close(fromEngine[1]);
    if (pid < 0) {
        error = std::string("fork: ") + std::strerror(errno);
        close(toEngine[1]);
        close(fromEngine[0]);
        return false;
    }
    fcntl(fromEngine[0], F_SETFL, fcntl(fromEngine[0], F_GETFL) | O_NONBLOCK);
    process = EngineProcess{pid, toEngine[1], fromEngine[0], ""};
    return true;
}

bool WriteLine(EngineProcess& process, const std::string& line) {
    std::string text = line + "\n";
    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(process.input, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

ReadStatus ReadLine(EngineProcess& process, Clock::time_point deadline, std::string& line) {
    char buffer[4096];
    while (!TakeLine(process.pending, line)) {
        if (process.output < 0) return ReadStatus::CLOSED;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() < 0) return ReadStatus::TIMEOUT;
        pollfd ready{process.output, POLLIN, 0};
        // One more millisecond: poll rounds down, and a wait must reach the deadline.
        int polled = poll(&ready, 1, static_cast<int>(left.count()) + 1);
        if (polled < 0 && errno != EINTR) return ReadStatus::CLOSED;
        if (polled <= 0) continue;
        ssize_t n = read(process.output, buffer, sizeof buffer);
        if (n > 0) process.pending.append(buffer, static_cast<size_t>(n));
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) CloseFd(process.output);
    }
    return ReadStatus::LINE;
}

void StopProcess(EngineProcess& process, std::chrono::milliseconds grace) {
    if (process.pid > 0) {
        if (process.input >= 0) WriteLine(process, "quit");
        Clock::time_point until = Clock::now() + grace;
        int status = 0;
        pid_t done = 0;
        while ((done = waitpid(process.pid, &status, WNOHANG)) == 0 && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (done == 0) {
            kill(process.pid, SIGKILL);
            waitpid(process.pid, &status, 0);
        }
    }
    CloseFd(process.input);
    CloseFd(process.output);
    process.pid = -1;
    process.pending.clear();
}

}  // namespace arena
