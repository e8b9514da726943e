#include "tools/arena/arguments.h"

#include <cstdint>
#include <cstdlib>
#include <map>

namespace arena {

const char* const kUsage =
    R"(quillmate-arena: plays UCI engines against each other and measures Elo.

Usage:
  quillmate-arena --engine cmd=CMD [name=NAME] [dir=DIR] [nodes=N] [option.NAME=VALUE ...]
                  --engine cmd=CMD ...  [match options]
  quillmate-arena openings [--count N] [--seed S] [--plies MIN-MAX] [--depth D]
                  [--margin CP]  > openings.fen

The first --engine is the one measured: every result is from its view. CMD is
a shell command line (quote it when it has spaces); each option.NAME=VALUE is
sent as "setoption name NAME value VALUE" before the first game. With --nodes,
nodes=N gives that engine N nodes a move instead: two copies of one engine
then play different games.

Match options:
  --openings FILE   start positions, one FEN a line ('#' comments); each is
                    played twice, colours swapped (default: the initial position)
  --games N         games to play (default: each opening twice); openings repeat
  --tc BASE+INC     clock in seconds, e.g. 10+0.1 (default), measured by the runner
  --nodes N         "go nodes N" for every move instead of a clock
  --margin MS       time a move may overrun the clock by (default 50)
  --timeout MS      with --nodes, how long an answer may take (default 10000)
  --concurrency N   games played at once, each with its own engines (default 1)
  --pgn FILE        appends every game to FILE as it ends
  --positions FILE  appends each finished game's scored positions to FILE, one
                    a line: FEN;centipawns for the side to move;White's points
  --log FILE        writes every line to and from the engines to FILE, with
                    the milliseconds since the start, the worker and the engine
  --event NAME      the PGN Event tag (default quillmate-arena)
  --resign score=CP [moves=N]
                    adjudicate a win when both engines' last N moves (default 3)
                    all score at least CP centipawns for the same side
  --draw [score=CP] moves=N [after=M]
                    adjudicate a draw when the last N moves of both engines
                    score within CP of 0 (default 10), once the engines have
                    played M moves each (default 40)
  --sprt elo0=E0 elo1=E1 [alpha=A] [beta=B]
                    stop once the test decides between elo0 and elo1 (the
                    error rates alpha and beta default to 0.05)

A game ends by the rules (mate, stalemate, threefold repetition, fifty moves,
insufficient material), by adjudication, or by a forfeit: a move that is not
legal or not a move, the clock (a flag loses whatever the material), an engine
that exits or stops answering.
Each game line and the final report give the wins, draws and losses of the
first engine, its Elo difference with a 95% error bar from the pentanomial
variance of the finished game pairs (trinomial, per game, before the first
pair), and with --sprt the log-likelihood ratio and its bounds. The last line
starts with "Final:". PGN move comments hold the mover's own score and depth,
as its engine reported them, and the move's time: {+0.31/9 0.52s}, {-M3/20 0.10s}.

Openings: random games of MIN-MAX plies (default 6-10) from the initial
position with a generator seeded with S (default 1), each kept when the
chess library's search to depth D (default 8) scores it within CP (default
60) centipawns of level, without duplicates, until N (default 300) are kept.
)";

namespace {

using Pairs = std::map<std::string, std::string>;

bool ReadInt(const std::string& word, long long low, long long high, long long& value) {
    char* end = nullptr;
    value = std::strtoll(word.c_str(), &end, 10);
    return !word.empty() && *end == '\0' && value >= low && value <= high;
}

bool ReadDouble(const std::string& word, double low, double high, double& value) {
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return !word.empty() && *end == '\0' && value >= low && value <= high;
}

template <typename T>
bool Int(const std::string& word, long long low, long long high, T& value, std::string& error,
         const std::string& what) {
    long long read = 0;
    if (ReadInt(word, low, high, read)) {
        value = static_cast<T>(read);
        return true;
    }
    error = what + " must be a whole number from " + std::to_string(low) + " to " +
            std::to_string(high) + ", not '" + word + "'";
    return false;
}

// The key=value words after an option, up to the next option.
Pairs PairsAfter(const std::vector<std::string>& args, size_t& i) {
    Pairs pairs;
    while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
        const std::string& word = args[++i];
        size_t equals = word.find('=');
        pairs[word.substr(0, equals)] = equals == std::string::npos ? "" : word.substr(equals + 1);
    }
    return pairs;
}

bool OnlyKeys(const Pairs& pairs, const std::vector<std::string>& keys, const std::string& what,
              std::string& error) {
    for (const auto& [key, value] : pairs) {
        bool known = false;
        for (const std::string& allowed : keys) known |= key == allowed;
        if (!known) {
            error = what + ": unknown setting '" + key + "'";
            return false;
        }
    }
    return true;
}

bool ReadEngine(const Pairs& pairs, EngineSetup& setup, std::string& error) {
    for (const auto& [key, value] : pairs) {
        if (key == "cmd")
            setup.command = value;
        else if (key == "name")
            setup.name = value;
        else if (key == "dir")
            setup.directory = value;
        else if (key == "nodes") {
            if (!Int(value, 1, INT64_MAX, setup.nodes, error, "--engine nodes")) return false;
        } else if (key.rfind("option.", 0) == 0 && key.size() > 7)
            setup.options.emplace_back(key.substr(7), value);
        else {
            error = "--engine: unknown setting '" + key + "'";
            return false;
        }
    }
    if (setup.command.empty()) error = "--engine needs cmd=COMMAND";
    return !setup.command.empty();
}

bool ReadTimeControl(const std::string& word, TimeControl& time, std::string& error) {
    size_t plus = word.find('+');
    double base = 0, increment = 0;
    if (plus == std::string::npos || !ReadDouble(word.substr(0, plus), 0.001, 86400, base) ||
        !ReadDouble(word.substr(plus + 1), 0, 3600, increment)) {
        error = "--tc must be BASE+INC in seconds, e.g. 10+0.1, not '" + word + "'";
        return false;
    }
    time.baseMs = static_cast<int64_t>(base * 1000 + 0.5);
    time.incrementMs = static_cast<int64_t>(increment * 1000 + 0.5);
    return true;
}

bool ReadSprt(const Pairs& pairs, SprtSettings& sprt, std::string& error) {
    if (!OnlyKeys(pairs, {"elo0", "elo1", "alpha", "beta"}, "--sprt", error)) return false;
    sprt.on = true;
    bool ok = pairs.count("elo0") && pairs.count("elo1") &&
              ReadDouble(pairs.at("elo0"), -1000, 1000, sprt.elo0) &&
              ReadDouble(pairs.at("elo1"), -1000, 1000, sprt.elo1) && sprt.elo0 < sprt.elo1 &&
              (!pairs.count("alpha") || ReadDouble(pairs.at("alpha"), 1e-6, 0.5, sprt.alpha)) &&
              (!pairs.count("beta") || ReadDouble(pairs.at("beta"), 1e-6, 0.5, sprt.beta));
    if (!ok) error = "--sprt needs elo0 < elo1, and alpha and beta above 0 and at most 0.5";
    return ok;
}

bool ReadAdjudication(const std::string& option, const Pairs& pairs, AdjudicationRules& rules,
                      std::string& error) {
    if (option == "--resign")
        return OnlyKeys(pairs, {"score", "moves"}, option, error) &&
               Int(pairs.count("score") ? pairs.at("score") : "", 1, 100000, rules.resignScore,
                   error, "--resign score") &&
               (!pairs.count("moves") ||
                Int(pairs.at("moves"), 1, 1000, rules.resignMoves, error, "--resign moves"));
    return OnlyKeys(pairs, {"score", "moves", "after"}, option, error) &&
           Int(pairs.count("moves") ? pairs.at("moves") : "", 1, 1000, rules.drawMoves, error,
               "--draw moves") &&
           (!pairs.count("score") ||
            Int(pairs.at("score"), 0, 100000, rules.drawScore, error, "--draw score")) &&
           (!pairs.count("after") ||
            Int(pairs.at("after"), 0, 1000, rules.drawAfter, error, "--draw after"));
}

bool ReadPlies(const std::string& word, OpeningRecipe& recipe, std::string& error) {
    size_t dash = word.find('-');
    long long low = 0, high = 0;
    if (dash != std::string::npos && ReadInt(word.substr(0, dash), 1, 200, low) &&
        ReadInt(word.substr(dash + 1), low, 200, high)) {
        recipe.minPlies = static_cast<int>(low);
        recipe.maxPlies = static_cast<int>(high);
        return true;
    }
    error = "--plies must be MIN-MAX, e.g. 6-10, not '" + word + "'";
    return false;
}

// Two engines, with names that tell them apart.
bool CheckEngines(std::vector<EngineSetup>& engines, MatchSettings& match, std::string& error) {
    if (engines.size() != 2) {
        error = "a match needs two --engine options, not " + std::to_string(engines.size());
        return false;
    }
    for (int i = 0; i < 2; ++i) {
        EngineSetup& setup = engines[i];
        if (setup.name.empty()) {
            std::string program = setup.command.substr(0, setup.command.find(' '));
            setup.name = program.substr(program.rfind('/') + 1);
        }
    }
    if (engines[0].name == engines[1].name) {
        engines[0].name += "-1";
        engines[1].name += "-2";
    }
    if ((engines[0].nodes > 0 || engines[1].nodes > 0) && match.game.time.nodes == 0) {
        error = "--engine nodes= needs a match at --nodes";
        return false;
    }
    match.engines[0] = engines[0];
    match.engines[1] = engines[1];
    return true;
}

// One option of the openings generator, with its value at args[i + 1].
bool ReadRecipeOption(const std::string& option, const std::string& value, OpeningRecipe& recipe,
                      std::string& error) {
    if (option == "--count") return Int(value, 1, 1000000, recipe.count, error, option);
    if (option == "--seed") return Int(value, 0, INT64_MAX, recipe.seed, error, option);
    if (option == "--plies") return ReadPlies(value, recipe, error);
    if (option == "--depth") return Int(value, 1, 30, recipe.depth, error, option);
    if (option == "--margin") return Int(value, 0, 10000, recipe.margin, error, option);
    error = "unknown option for openings: " + option;
    return false;
}

// One match option with a single value at args[i + 1].
bool ReadMatchOption(const std::string& option, const std::string& value, Command& command,
                     std::string& error) {
    MatchSettings& match = command.match;
    TimeControl& time = match.game.time;
    if (option == "--openings")
        command.openingsPath = value;
    else if (option == "--pgn")
        match.pgnPath = value;
    else if (option == "--positions")
        match.positionsPath = value;
    else if (option == "--log")
        match.logPath = value;
    else if (option == "--event")
        match.event = value;
    else if (option == "--games")
        return Int(value, 1, 10000000, match.games, error, option);
    else if (option == "--tc")
        return ReadTimeControl(value, time, error);
    else if (option == "--nodes")
        return Int(value, 1, INT64_MAX, time.nodes, error, option);
    else if (option == "--margin")
        return Int(value, 0, 600000, time.marginMs, error, option);
    else if (option == "--timeout")
        return Int(value, 1, 86400000, time.moveTimeoutMs, error, option);
    else if (option == "--concurrency")
        return Int(value, 1, 256, match.concurrency, error, option);
    else {
        error = "unknown option: " + option;
        return false;
    }
    return true;
}

bool ReadMatchArguments(const std::vector<std::string>& args, Command& command,
                        std::string& error) {
    std::vector<EngineSetup> engines;
    bool timed = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--engine") {
            engines.emplace_back();
            if (!ReadEngine(PairsAfter(args, i), engines.back(), error)) return false;
        } else if (option == "--sprt") {
            if (!ReadSprt(PairsAfter(args, i), command.match.sprt, error)) return false;
        } else if (option == "--resign" || option == "--draw") {
            if (!ReadAdjudication(option, PairsAfter(args, i), command.match.game.adjudication,
                                  error))
                return false;
        } else if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return false;
        } else if (!ReadMatchOption(option, args[++i], command, error)) {
            return false;
        }
        timed |= option == "--tc";
    }
    if (timed && command.match.game.time.nodes > 0) {
        error = "--tc and --nodes exclude each other";
        return false;
    }
    return CheckEngines(engines, command.match, error);
}

}  // namespace

bool ParseArguments(const std::vector<std::string>& args, Command& command, std::string& error) {
    for (const std::string& arg : args)
        if (arg == "-h" || arg == "--help") {
            command.help = true;
            return true;
        }
    if (args.empty() || args[0] != "openings") return ReadMatchArguments(args, command, error);
    command.generateOpenings = true;
    for (size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            error = args[i] + " needs a value";
            return false;
        }
        if (!ReadRecipeOption(args[i], args[i + 1], command.recipe, error)) return false;
    }
    return true;
}

}  // namespace arena
