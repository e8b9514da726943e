#include "tools/arena/match.h"

#include <ctime>
#include <fstream>
#include <mutex>
#include <thread>

#include "tools/arena/positions.h"

namespace arena {

namespace {

struct Shared {
    Shared(const MatchSettings& s, std::ostream& o, Standing& t)
        : settings(s), out(o), standing(t) {}
    const MatchSettings& settings;
    std::ostream& out;
    Standing& standing;
    std::mutex mutex;
    int next = 0;
    bool stopping = false;
    bool failed = false;
    std::string error;  // why the match was abandoned
    std::string date;
    TrafficLog log;
};

std::string Today() {
    std::time_t now = std::time(nullptr);
    std::tm calendar{};
    gmtime_r(&now, &calendar);
    char text[16];
    std::strftime(text, sizeof text, "%Y.%m.%d", &calendar);
    return text;
}

// The next game to play, or -1 when the match is over.
int TakeGame(Shared& shared, int total) {
    std::lock_guard<std::mutex> lock(shared.mutex);
    if (shared.stopping || shared.next >= total) return -1;
    return shared.next++;
}

void Fail(Shared& shared, const std::string& error) {
    std::lock_guard<std::mutex> lock(shared.mutex);
    shared.out << "error: " << error << std::endl;
    shared.failed = shared.stopping = true;
    shared.error = error;
}

// Ready for a new game: open (again) when not running, else ucinewgame.
bool Prepare(const EngineSetup& setup, Engine& engine, std::string& error) {
    if (engine.process.pid > 0 && NewGame(engine, error)) return true;
    CloseEngine(engine);
    return OpenEngine(setup, engine, error) && NewGame(engine, error);
}

void Record(Shared& shared, int index, const Pairing& pairing, const GameRecord& game) {
    std::lock_guard<std::mutex> lock(shared.mutex);
    const MatchSettings& settings = shared.settings;
    PgnHeader header{settings.event, "?", shared.date, index + 1, settings.timeControl};
    const std::pair<const std::string&, std::string> outputs[] = {
        {settings.pgnPath, PgnOf(game, header)}, {settings.positionsPath, PositionLines(game)}};
    for (const auto& [path, text] : outputs) {
        if (path.empty()) continue;
        std::ofstream file(path, std::ios::app);
        file << text;
        if (!file) {
            shared.error = "cannot write " + path;
            shared.out << "error: " << shared.error << std::endl;
            shared.failed = shared.stopping = true;
        }
    }
    double whitePoints = game.result == "1-0" ? 1 : game.result == "0-1" ? 0 : 0.5;
    CountGame(shared.standing, pairing.pair, pairing.firstIsWhite ? whitePoints : 1 - whitePoints);
    shared.out << "game " << index + 1 << " " << game.white << " - " << game.black << " "
               << game.result << " " << game.reason << " (" << game.moves.size() << " plies) | "
               << ScoreText(shared.standing.tally) << " " << EloText(shared.standing);
    if (settings.sprt.on) shared.out << " " << LlrText(shared.standing, settings.sprt);
    shared.out << std::endl;
    Standing& standing = shared.standing;
    if (standing.decided == SprtVerdict::CONTINUE)
        standing.decided = SprtVerdictOf(standing, settings.sprt);
    if (standing.decided != SprtVerdict::CONTINUE) shared.stopping = true;
}

void Work(Shared& shared, int total, int worker) {
    const MatchSettings& settings = shared.settings;
    Engine engines[2];
    for (Engine& engine : engines) {
        engine.log = shared.log.out ? &shared.log : nullptr;
        engine.worker = worker;
    }
    for (int index; (index = TakeGame(shared, total)) >= 0;) {
        Pairing pairing = PairingOf(index, static_cast<int>(settings.openings.size()));
        std::string error;
        if (!Prepare(settings.engines[0], engines[0], error) ||
            !Prepare(settings.engines[1], engines[1], error)) {
            Fail(shared, error);
            break;
        }
        Engine* colours[2] = {&engines[pairing.firstIsWhite ? 0 : 1],
                              &engines[pairing.firstIsWhite ? 1 : 0]};
        GameRecord game = PlayGame(colours, settings.openings[pairing.opening], settings.game);
        if (game.faultySide >= 0) CloseEngine(*colours[game.faultySide]);
        Record(shared, index, pairing, game);
    }
    CloseEngine(engines[0]);
    CloseEngine(engines[1]);
}

}  // namespace

Pairing PairingOf(int game, int openings) {
    return {game / 2, (game / 2) % openings, game % 2 == 0};
}

bool RunMatch(const MatchSettings& settings, std::ostream& out, Standing& standing) {
    Shared shared(settings, out, standing);
    shared.date = Today();
    std::ofstream log;
    if (!settings.logPath.empty()) {
        log.open(settings.logPath);
        shared.log.out = &log;
    }
    int total =
        settings.games > 0 ? settings.games : 2 * static_cast<int>(settings.openings.size());
    std::vector<std::thread> workers;
    for (int i = 0; i < settings.concurrency; ++i)
        workers.emplace_back(Work, std::ref(shared), total, i + 1);
    for (std::thread& worker : workers) worker.join();
    if (shared.failed) {
        out << "Final: abandoned after " << standing.tally.Games() << " games: " << shared.error
            << std::endl;
        return false;
    }
    out << FinalReport(standing, settings.sprt, settings.engines[0].name, settings.engines[1].name);
    return true;
}

}  // namespace arena
