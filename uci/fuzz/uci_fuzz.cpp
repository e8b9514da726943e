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
    std::ostringstream out;  // outlives the session, whose search writes to it
    UciSession session;
    session.limits.maxSearchDepth = session.limits.maxPerftDepth = 2;
    session.limits.maxBenchPositions = 0;
    session.limits.filesAllowed = false;
    session.hashMegabytes = 1;
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(input, line) && RunCommand(session, line, out);) {
        if (session.threads > 2) session.threads = 2;
        // Only a setoption grows the pool, and no search runs after one.
        if (chess::SearchThreadCount(session.chessThreads) > 2) {
            std::string ignored;
            chess::SetSearchThreads(session.chessThreads, 2, ignored);
        }
        if (session.hashMegabytes > 1) session.hashMegabytes = 1;
        {
            std::lock_guard<std::mutex> guard(session.outputLock);  // a search may be writing
            out.str("");
        }
        const bool chess = session.variant == Variant::CHESS;
        const PositionRecord record = chess ? chess::RecordOf(session.game) : session.position;
        const int halfMoveClock = chess ? chess::HalfMoveClock(session.game) : 0;
        // The record's FEN reads back as the same record ("00", the start's
        // en passant bytes, reads back as "--": both mean no square).
        PositionRecord reread{}, expected = record;
        if (std::memcmp(expected.enPassant, "00", 2) == 0) std::memcpy(expected.enPassant, "--", 2);
        std::string error;
        const std::string fen = FormatFen(record, halfMoveClock);
        if (!ParseFen(fen, reread, error) || !(reread == expected)) {
            std::fprintf(stderr, "record and FEN disagree: %s (%s)\n", fen.c_str(), error.c_str());
            std::abort();
        }
    }
    FinishInput(session);
    return 0;
}
