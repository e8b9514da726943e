// Feeds arbitrary bytes to the engine tool, one line at a time, on a fresh
// session: no input may crash it, and the position it keeps must always be
// a well-formed record. Work per command is capped so that inputs run in
// about a millisecond, and bench may not read files, so no input reaches the disk.
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

// Depth 2 costs about what depth 1 does; bench would only repeat the search
// on fixed positions, so it reads its arguments and searches none.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UciSession session;
    session.limits.maxSearchDepth = session.limits.maxPerftDepth = 2;
    session.limits.maxBenchPositions = 0;
    session.limits.filesAllowed = false;
    std::ostringstream out;
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(input, line) && RunCommand(session, line, out);) {
        if (session.threads > 2) session.threads = 2;
        out.str("");
        // The record's FEN reads back as the same record ("00", the start's
        // en passant bytes, reads back as "--": both mean no square).
        PositionRecord reread{}, expected = session.position;
        if (std::memcmp(expected.enPassant, "00", 2) == 0) std::memcpy(expected.enPassant, "--", 2);
        std::string error;
        if (!ParseFen(FormatFen(session.position), reread, error) || !(reread == expected)) {
            std::fprintf(stderr, "record and FEN disagree: %s (%s)\n",
                         FormatFen(session.position).c_str(), error.c_str());
            std::abort();
        }
    }
    return 0;
}
