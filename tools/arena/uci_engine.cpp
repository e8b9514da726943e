#include "tools/arena/uci_engine.h"

namespace arena {

namespace {

void Log(Engine& engine, const char* direction, const std::string& line) {
    if (!engine.log) return;
    auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - engine.log->start);
    std::lock_guard<std::mutex> lock(engine.log->mutex);
    *engine.log->out << ms.count() << " w" << engine.worker << " " << engine.setup.name << " "
                     << direction << " " << line << "\n";
}

bool Write(Engine& engine, const std::string& line) {
    Log(engine, ">", line);
    return WriteLine(engine.process, line);
}

ReadStatus Read(Engine& engine, Clock::time_point deadline, std::string& line) {
    ReadStatus status = ReadLine(engine.process, deadline, line);
    if (status == ReadStatus::LINE) Log(engine, "<", line);
    if (status == ReadStatus::TIMEOUT) Log(engine, "!", "no answer in time");
    if (status == ReadStatus::CLOSED) Log(engine, "!", "output closed");
    return status;
}

// Reads lines until one equals expected.
bool AwaitLine(Engine& engine, const std::string& expected, std::string& error) {
    Clock::time_point deadline = Clock::now() + kHandshakeTime;
    std::string line;
    for (;;) {
        switch (Read(engine, deadline, line)) {
            case ReadStatus::LINE:
                if (line == expected) return true;
                break;
            case ReadStatus::TIMEOUT:
                error = engine.setup.name + " did not answer '" + expected + "' in time";
                return false;
            case ReadStatus::CLOSED:
                error = engine.setup.name + " exited before '" + expected + "'";
                return false;
        }
    }
}

bool Send(Engine& engine, const std::string& line, std::string& error) {
    if (Write(engine, line)) return true;
    error = engine.setup.name + " no longer reads its input";
    return false;
}

}  // namespace

bool OpenEngine(const EngineSetup& setup, Engine& engine, std::string& error) {
    engine.setup = setup;
    if (!StartProcess(setup.command, setup.directory, engine.process, error)) return false;
    bool ready = Send(engine, "uci", error) && AwaitLine(engine, "uciok", error);
    for (const auto& [name, value] : setup.options)
        ready = ready && Send(engine, "setoption name " + name + " value " + value, error);
    ready = ready && Send(engine, "isready", error) && AwaitLine(engine, "readyok", error);
    if (!ready) CloseEngine(engine);
    return ready;
}

void CloseEngine(Engine& engine) { StopProcess(engine.process, std::chrono::milliseconds(500)); }

bool NewGame(Engine& engine, std::string& error) {
    return Send(engine, "ucinewgame", error) && Send(engine, "isready", error) &&
           AwaitLine(engine, "readyok", error);
}

Answer AskMove(Engine& engine, const std::string& position, const std::string& go,
               Clock::time_point deadline) {
    Answer answer;
    Clock::time_point start = Clock::now();
    if (!Write(engine, position) || !Write(engine, go)) {
        answer.status = AnswerStatus::CRASHED;
        return answer;
    }
    std::string line;
    for (;;) {
        ReadStatus status = Read(engine, deadline, line);
        answer.took = Clock::now() - start;
        if (status == ReadStatus::CLOSED) {
            answer.status = AnswerStatus::CRASHED;
            return answer;
        }
        if (status == ReadStatus::TIMEOUT) {
            Write(engine, "stop");
            return answer;
        }
        ReadInfo(line, answer.report);
        if (ReadBestMove(line, answer.move)) {
            answer.status = AnswerStatus::MOVED;
            return answer;
        }
    }
}

}  // namespace arena
