// go: a search on its own thread within the limits given, or go perft N, a
// count of move paths.
#include "uci/commands.h"
#include "uci/go_request.h"
#include "uci/notation.h"
#include "uci/perft.h"
#include "uci/running_search.h"

namespace {

// searchmoves in the game's rules: the squares of each move that the rules accept.
std::vector<RootMove> KingCaptureMoves(const PositionRecord& position, const Words& texts,
                                       std::string& error) {
    std::vector<RootMove> moves;
    for (const std::string& text : texts) {
        PositionRecord next{};
        if (!PlayMoveText(position, text, next, error)) return {};
        moves.push_back({{text[0] - 'a' + 1, text[1] - '0'}, {text[2] - 'a' + 1, text[3] - '0'}});
    }
    return moves;
}

std::vector<chess::Move> ChessMoves(const chess::Game& game, const Words& texts,
                                    std::string& error) {
    std::vector<chess::Move> moves;
    for (const std::string& text : texts) {
        chess::Move move = chess::NO_MOVE;
        if (!chess::ReadMove(game, text, move, error)) return {};
        moves.push_back(move);
    }
    return moves;
}

DeepeningJob MakeJob(UciSession& session, const GoRequest& request, std::string& error) {
    DeepeningJob job;
    job.standardChess = session.variant == Variant::CHESS;
    job.position = session.position;
    job.game = session.game;
    if (job.standardChess && !session.tablesSized) {
        std::string tableError;  // a smaller table, or none, still searches
        chess::ResizeSearchTables(session.tables, session.hashMegabytes, tableError);
        session.tablesSized = true;
    }
    job.tables = &session.tables;
    job.chessThreads = &session.chessThreads;
    const int most = session.limits.maxSearchDepth;
    job.maxDepth = request.maxDepth > 0  ? request.maxDepth
                   : request.IsBounded() ? most
                                         : std::min(DEFAULT_SEARCH_DEPTH, most);
    if (request.mateIn > 0 && request.maxDepth == 0)
        job.maxDepth = std::min(2 * request.mateIn - 1, most);
    job.maxNodes = request.maxNodes;
    job.mateIn = request.mateIn;
    job.threads = session.threads;
    if (job.standardChess)
        job.onlyChessMoves = ChessMoves(session.game, request.searchMoves, error);
    else
        job.onlyMoves = KingCaptureMoves(session.position, request.searchMoves, error);
    return job;
}

void RunPerft(UciSession& session, const Words& words, std::ostream& out) {
    int64_t depth = 0;
    std::string error;
    if (words.size() != 3) {
        ReportError(session, out, "go perft needs exactly one number, the depth");
        return;
    }
    if (!ParseBoundedNumber(words[2], "the perft depth", 1, session.limits.maxPerftDepth, depth,
                            error)) {
        ReportError(session, out, error);
        return;
    }
    bool outOfMemory = false;
    int64_t total = 0;
    std::vector<PerftBranch> branches;
    if (session.variant == Variant::CHESS) {
        for (const chess::PerftBranch& branch :
             chess::DividedPerft(session.game, static_cast<int>(depth)))
            branches.push_back({chess::MoveText(branch.move), branch.nodes});
    } else {
        branches = DividedPerft(session.position, static_cast<int>(depth), outOfMemory);
    }
    for (const PerftBranch& branch : branches) {
        out << branch.move << ": " << branch.nodes << '\n';
        total += branch.nodes;
    }
    out << "\nNodes searched: " << total << '\n';
    if (outOfMemory) ReportError(session, out, "memory ran out; the counts are too small");
}

}  // namespace

void RunGo(UciSession& session, const Words& words, std::ostream& out) {
    if (words.size() >= 2 && words[1] == "perft") {
        RunPerft(session, words, out);
        return;
    }
    // A GUI waits for bestmove after every go: a bad word is reported, and
    // the search runs with what was read before it.
    GoRequest request;
    std::string error;
    if (!ReadGoRequest(words, session.limits.maxSearchDepth, request, error))
        ReportError(session, out, error);
    error.clear();
    DeepeningJob job = MakeJob(session, request, error);
    if (!error.empty())
        ReportError(session, out, "searchmoves: " + error + "; searching every move");
    StartSearch(session, std::move(job), request, out);
}
