// Feeds arbitrary bytes to the engine tool, one line at a time, on a fresh
// session: no input may crash it, and the position it keeps must always be
// a well-formed record. Work per command is capped so that every input runs
// in milliseconds, and bench may not read files, so no input reaches the disk.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <streambuf>
#include <string>

#include "uci/fen.h"
#include "uci/session.h"

namespace {

// A search to depth 2 costs about as much as one to depth 1, and bench only
// repeats it on fixed positions: it reads its arguments and searches none.
constexpr int FUZZ_SEARCH_DEPTH = 2;
constexpr int FUZZ_PERFT_DEPTH = 2;
constexpr int FUZZ_BENCH_POSITIONS = 0;
constexpr int FUZZ_THREADS = 2;

// Accepts and forgets everything written to it.
struct DiscardingBuffer : std::streambuf {
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// Every record the tool can hold is one its FEN reader accepts, and reading
// its FEN back gives the same record ("00", the start's en passant bytes,
// reads back as "--": both mean no square).
void CheckRecord(const PositionRecord& position) {
    PositionRecord reread{};
    std::string error;
    PositionRecord expected = position;
    if (std::memcmp(expected.enPassant, "00", 2) == 0) std::memcpy(expected.enPassant, "--", 2);
    if (!ParseFen(FormatFen(position), reread, error) || reread != expected) {
        std::fprintf(stderr, "record and FEN disagree: %s (%s)\n", FormatFen(position).c_str(),
                     error.c_str());
        std::abort();
    }
}

}  // namespace

// Every search allocates thousands of successor lists: without the stack of
// each allocation and with a smaller quarantine, they cost a third as much.
extern "C" const char* __asan_default_options() {
    return "malloc_context_size=0:quarantine_size_mb=16";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UciSession session;
    session.limits.maxSearchDepth = FUZZ_SEARCH_DEPTH;
    session.limits.maxPerftDepth = FUZZ_PERFT_DEPTH;
    session.limits.maxBenchPositions = FUZZ_BENCH_POSITIONS;
    session.limits.filesAllowed = false;
    DiscardingBuffer buffer;
    std::ostream out(&buffer);
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        if (!RunCommand(session, input.substr(start, end - start), out)) break;
        if (session.threads > FUZZ_THREADS) session.threads = FUZZ_THREADS;
        CheckRecord(session.position);
        start = end + 1;
    }
    return 0;
}
