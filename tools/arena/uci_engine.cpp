#include "tools/arena/uci_engine.h"

namespace arena {

namespace {

// Reads lines until one equals expected.
bool AwaitLine(Engine& engine, const std::string& expected, std::string& error) {
    Clock::time_point deadline = Clock::now() + kHandshakeTime;
    std::string line;
    for (;;) {
        switch (ReadLine(engine.process, deadline, line)) {
            case ReadStatus::LINE:
                if (line == expected) return true;
                break;
            case ReadStatus::TIMEOUT:
                error = engine.spec.name + " did not answer '" + expected + "' in time";
                return false;
            case ReadStatus::CLOSED:
                error = engine.spec.name + " exited before '" + expected + "'";
                return false;
        }
    }
}

bool Send(Engine& engine, const std::string& line, std::string& error) {
    if (WriteLine(engine.process, line)) return true;
    error = engine.spec.name + " no longer reads its input";
    return false;
}

}  // namespace

bool OpenEngine(const EngineSpec& spec, Engine& engine, std::string& error) {
    engine.spec = spec;
    if (!StartProcess(spec.command, spec.directory, engine.process, error)) return false;
    bool ready = Send(engine, "uci", error) && AwaitLine(engine, "uciok", error);
    for (const auto& [name, value] : spec.options)
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
    if (!WriteLine(engine.process, position) || !WriteLine(engine.process, go)) {
        answer.status = AnswerStatus::CRASHED;
        return answer;
    }
    std::string line;
    for (;;) {
        ReadStatus status = ReadLine(engine.process, deadline, line);
        answer.took = Clock::now() - start;
        if (status == ReadStatus::CLOSED) {
            answer.status = AnswerStatus::CRASHED;
            return answer;
        }
        if (status == ReadStatus::TIMEOUT) {
            WriteLine(engine.process, "stop");
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
