// The rules the tool plays, behind one interface: standard chess, or the
// game's own rules, in which kings are captured and the game's search
// chooses the move. The commands speak only to this interface; each rule set
// keeps its position, reads and writes its own moves, and owns what its
// search keeps between searches.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chess/skill.h"
#include "engine/search.h"
#include "rules/position.h"
#include "uci/fen.h"
#include "uci/perft.h"
#include "uci/text.h"

// What a go command asks of a search, checked and complete.
struct SearchJob {
    int maxDepth = 1;
    int64_t maxNodes = 0;  // 0: no limit
    int mateIn = 0;        // stop once a mate in this many moves or fewer is found
    Words searchMoves;     // legal moves the root is limited to; empty: every move
    int lines = 1;         // the best root moves to report, each with its line (MultiPV)
    int skillLevel = chess::MAX_SKILL_LEVEL;  // from 0, the weakest; chess only
    bool showWdl = false;                     // chances with each score; chess only
};

// One finished depth of the deepening.
struct IterationInfo {
    int depth = 0;
    int line = 0;            // its rank among several lines, from 1; 0: the only line
    int selectiveDepth = 0;  // 0: not known
    std::string score;       // "cp 25" or "mate -3"
    std::string wdl;         // "wdl 312 500 188" (permille), or empty
    int64_t nodes = 0;       // nodes of this report
    int64_t totalNodes = 0;  // every node since the search began, for the speed
    Words pv;                // at least the best move
};

// Receives each finished depth; returns false when no new depth is to start.
using IterationSink = std::function<bool(const IterationInfo&)>;

struct SearchResult {
    std::string bestMove = "0000";  // "0000" only when there is no legal move
    Words pv;                       // the last line reported; it need not start with bestMove
    std::string noMoveScore;        // with no legal move: "mate 0" or "cp 0"
    std::string warning;            // something the GUI should hear of, or empty
};

// One bench position searched to a fixed depth from nothing remembered.
struct BenchLine {
    std::string bestMove;
    std::string score;
    int64_t nodes = 0;
};

class RuleSet {
   public:
    virtual ~RuleSet() = default;

    // "chess" or "kingcapture", as UCI_Variant names it.
    virtual const char* Name() const = 0;
    virtual int BenchDepth() const = 0;

    // Whether FENs and moves are read and written as Chess960 has them
    // (castling rooks anywhere, castling as the king taking its own rook).
    // Only chess plays Chess960; the setting holds from the next position.
    virtual bool Chess960() const = 0;
    virtual void SetChess960(bool on) = 0;

    // Starts from start (as read from a FEN) and plays moves. On failure
    // the position is unchanged and error says what is wrong.
    virtual bool SetPosition(const FenPosition& start, const Words& moves, std::string& error) = 0;
    // Whether start could start a game, without changing the position.
    virtual bool AcceptsPosition(const FenPosition& start, std::string& error) const = 0;
    virtual FenPosition Position() const = 0;

    // How many moves of line can be played one after the other from the
    // position; when not all, error says what is wrong with the first that cannot.
    virtual std::size_t PlayableMoves(const Words& line, std::string& error) const = 0;

    // Searches the position on the calling thread until the job's limits,
    // stop, or the sink says enough. Depth 1 always finishes.
    virtual SearchResult Search(const SearchJob& job, SearchStop& stop,
                                const IterationSink& sink) = 0;
    virtual BenchLine BenchSearch(const FenPosition& start, int depth) = 0;
    virtual std::vector<PerftBranch> Perft(int depth, bool& outOfMemory) const = 0;
    virtual int Evaluate() const = 0;

    // What the search keeps between searches. Each returns what is in use
    // afterwards; when that is less than asked, error says why.
    virtual int SetHash(int megabytes, std::string& error) = 0;
    virtual void ClearHash() = 0;
    virtual int SetThreads(int threads, std::string& error) = 0;
};

std::unique_ptr<RuleSet> MakeChessRules();
std::unique_ptr<RuleSet> MakeKingCaptureRules();
