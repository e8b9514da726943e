// Feeds arbitrary bytes to the engine tool, one line at a time: no input may
// crash it, and the position it keeps must always be a well-formed record.
// Every input starts from the same settings and a new game. Work per command
// is capped so that inputs run in about a millisecond, and bench may not read
// files, so no input reaches the disk.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "uci/fen.h"
#include "uci/session.h"

// Every search allocates thousands of successor lists: without the stack of
// each allocation and with a smaller quarantine, they cost a third as much.
extern "C" const char* __asan_default_options() {
    return "malloc_context_size=0:quarantine_size_mb=16";
}

namespace {

// One session serves every input, so that its threads and table are made
// once; each input starts from the same settings and a new game.
UciSession& FuzzSession() {
    SessionLimits limits;
    limits.maxSearchDepth = limits.maxPerftDepth = 2;
    limits.maxBenchPositions = 0;
    limits.maxHashMegabytes = 1;
    limits.maxThreads = 2;
    limits.filesAllowed = false;
    static UciSession session(limits);
    return session;
}

const char* const RESET[] = {"setoption name UCI_Variant value chess",
                             "setoption name Threads value 1",
                             "setoption name Move Overhead value 30", "ucinewgame"};

// The record's FEN must read back as the same record ("00", the start's en
// passant bytes, reads back as "--": both mean no square).
void CheckRecord(const RuleSet& rules) {
    const PositionRecord record = rules.Record();
    PositionRecord reread{}, expected = record;
    if (std::memcmp(expected.enPassant, "00", 2) == 0) std::memcpy(expected.enPassant, "--", 2);
    std::string error;
    const std::string fen = FormatFen(record, rules.HalfMoveClock());
    if (!ParseFenFields(SplitWords(fen), reread, error) || !(reread == expected)) {
        std::fprintf(stderr, "record and FEN disagree: %s (%s)\n", fen.c_str(), error.c_str());
        std::abort();
    }
}

}  // namespace

// Depth 2 costs about what depth 1 does; bench would only repeat the search
// on fixed positions, so it reads its arguments and searches none.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static std::ostringstream out;  // outlives the searches, which write to it
    UciSession& session = FuzzSession();
    for (const char* line : RESET) RunCommand(session, line, out);
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(input, line) && RunCommand(session, line, out);) {
        {
            std::lock_guard<std::mutex> guard(session.outputLock);  // a search may be writing
            out.str("");
        }
        CheckRecord(*session.rules);
    }
    FinishInput(session);
    return 0;
}
