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

const char* const RESET[] = {
    "setoption name UCI_Variant value chess", "setoption name UCI_Chess960 value false",
    "setoption name Threads value 1", "setoption name Move Overhead value 30", "ucinewgame"};

// Whether the rooks of the rights a and b both hold are the same.
bool SameHeldRooks(const FenPosition& a, const FenPosition& b) {
    for (int slot = 0; slot < 4; ++slot)
        if (a.record.castling[slot] != '-' && b.record.castling[slot] != '-' &&
            a.castling.rook[slot] != b.castling.rook[slot])
            return false;
    return true;
}

// The position's FEN must read back as the same record and castling rooks
// ("00", the start's en passant bytes, reads back as "--": both mean no
// square). A Chess960 reading takes standard castling too, and the option
// may have been turned off since the position was set.
void CheckRecord(const RuleSet& rules) {
    const FenPosition position = rules.Position();
    FenPosition reread;
    PositionRecord expected = position.record;
    if (std::memcmp(expected.enPassant, "00", 2) == 0) std::memcpy(expected.enPassant, "--", 2);
    std::string error;
    const std::string fen = FormatFen(position);
    if (!ParseFen(SplitWords(fen), true, reread, error) || !(reread.record == expected) ||
        !SameHeldRooks(reread, position)) {
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
