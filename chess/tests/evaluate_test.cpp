#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "chess/eval_weights.h"
#include "chess/evaluate.h"
#include "chess/movegen.h"
#include "chess/pawn_cache.h"
#include "chess/tests/fen_game.h"

namespace chess {
namespace {

// Pairs of positions, White to move, that differ in one feature; the first
// is the better one for White.
struct PreferenceCase {
    const char* better;
    const char* worse;
    const char* feature;
};

const PreferenceCase kPreferences[] = {
    {"k7/8/3P4/8/8/8/8/7K w - - 0 1", "k7/8/8/8/8/3P4/8/7K w - - 0 1", "an advanced passer"},
    {"4k3/8/8/8/8/8/2PP4/4K3 w - - 0 1", "4k3/8/8/8/8/3P4/3P4/4K3 w - - 0 1", "undoubled pawns"},
    {"4k3/p7/8/8/8/8/1PP5/4K3 w - - 0 1", "4k3/p7/8/8/8/8/P1P5/4K3 w - - 0 1", "connected pawns"},
    {"k7/2p5/8/8/8/8/3P4/4R1K1 w - - 0 1", "k7/2p5/8/8/8/8/3P4/3R2K1 w - - 0 1",
     "a rook on an open file"},
    {"4k3/p7/8/8/3N4/8/P7/4K3 w - - 0 1", "4k3/p7/8/8/8/8/P7/N3K3 w - - 0 1", "a central knight"},
    {"2b1k3/8/8/8/8/8/8/2B1KB2 w - - 0 1", "2b1k3/8/8/8/8/8/8/2B1KN2 w - - 0 1", "the bishop pair"},
    {"3k4/8/8/8/8/8/3P4/3K4 w - - 0 1", "3k4/3p4/8/8/8/8/3P4/3K4 w - - 0 1", "an extra pawn"},
};

TEST(Evaluate, PrefersTheBetterOfTwoPositions) {
    for (const PreferenceCase& c : kPreferences)
        EXPECT_GT(Evaluate(GameFromFen(c.better)), Evaluate(GameFromFen(c.worse))) << c.feature;
}

// Positions of every kind the evaluation distinguishes: openings and
// middle games with attacks on a king, passers, pawnless and won endings,
// dead material.
const char* const kVariedPositions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "rnbqkb1r/ppp1pppp/5n2/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3",
    "r1bq1rk1/2p1bppp/p1np1n2/1p2p3/4P3/1BP2N2/PP1P1PPP/RNBQR1K1 w - - 0 9",
    "2kr3r/ppp2q2/2n1b1pp/2b1p3/4P1Q1/2NP1N2/PPP3PP/R1B2R1K b - - 0 15",
    "6k1/5ppp/8/1Q6/8/8/5PPP/3q2K1 w - - 0 1",
    "r4rk1/1pp2ppp/p7/3qN3/3P2Q1/1P6/P4PPP/R4RK1 w - - 0 20",
    "8/5k2/8/3P4/8/8/2K5/8 w - - 0 1",
    "8/1p3k2/p7/P1P5/6K1/8/5p2/8 b - - 0 50",
    "4k3/8/4b3/8/8/8/8/R3K3 w - - 0 1",
    "4k3/8/8/8/8/8/8/1N2K1N1 w - - 0 1",
    "7k/8/5K2/8/8/8/8/R7 w - - 0 1",
    "k7/8/8/8/8/8/8/2B1KN2 b - - 0 1",
    "4kb2/8/8/8/8/4B3/8/2B1K3 w - - 0 1",
    "8/8/3k4/8/2B5/8/3K4/8 b - - 0 1",
    "3qk3/8/8/8/8/8/8/3QK2R w K - 0 1",
    // Safe checks, weak squares by the king, hanging pieces, threats of the
    // king and of pawn pushes, rooks and queens on the seventh, blockaded
    // passers, minor pieces behind pawns.
    "6k1/5p1p/4pQp1/3p4/3P4/4P1P1/3q1P1P/6K1 w - - 0 1",
    "2r3k1/1R3ppp/p3p3/3nP3/3P4/P4N2/5PPP/6K1 b - - 0 1",
    "r1b2rk1/pp3ppp/2n1p3/q2pP3/3P1B2/2PB1N2/P4PPP/R2Q1RK1 w - - 0 12",
    "4r1k1/p4ppp/1p6/2pP4/2P1n3/1P3N2/P2K1PPP/4R3 w - - 0 1",
    "8/3k4/2p5/1pPn4/1P1K4/8/8/8 w - - 0 1",
    "6k1/8/3n4/3P4/1b3K2/5p2/P1N5/8 w - - 0 1",
    "r3k2r/ppp2ppp/2n5/3Np1B1/2B1P1b1/5N2/PPP2PPP/R3K2R b KQkq - 0 1",
};

// The same position with the board turned over and the colours swapped.
std::string MirrorFen(const std::string& fen) {
    std::istringstream in(fen);
    std::string placement, side, castling, enPassant, rest;
    in >> placement >> side >> castling >> enPassant;
    std::getline(in, rest);
    auto swapCase = [](std::string text) {
        for (char& c : text) c = std::isupper(c) ? char(std::tolower(c)) : char(std::toupper(c));
        return text;
    };
    std::vector<std::string> ranks;
    std::istringstream rows(placement);
    for (std::string row; std::getline(rows, row, '/');) ranks.insert(ranks.begin(), row);
    std::string mirrored;
    for (const std::string& row : ranks) mirrored += (mirrored.empty() ? "" : "/") + swapCase(row);
    if (enPassant != "-") enPassant[1] = char('1' + '8' - enPassant[1]);
    std::string rights = castling == "-" ? "-" : "";
    for (const char* order = "KQkq"; *order; ++order)
        if (castling != "-" && castling.find(swapCase(std::string(1, *order))) != std::string::npos)
            rights += *order;
    return mirrored + (side == "w" ? " b " : " w ") + rights + " " + enPassant + rest;
}

TEST(Evaluate, IsSymmetricBetweenTheSides) {
    for (const char* fen : kVariedPositions) {
        const std::string mirror = MirrorFen(fen);
        EXPECT_EQ(Evaluate(GameFromFen(fen)), Evaluate(GameFromFen(mirror)))
            << fen << " / " << mirror;
        EXPECT_EQ(MirrorFen(mirror), fen);
        // Term by term, whatever the weights: each count changes sign.
        const EvalTrace trace = TraceEvaluation(GameFromFen(fen).board);
        const EvalTrace mirrored = TraceEvaluation(GameFromFen(mirror).board);
        for (int term = 0; term < EVAL_TERM_COUNT; ++term)
            EXPECT_EQ(trace.count[term], -mirrored.count[term]) << fen << " term " << term;
        for (int feature = 0; feature < KING_DANGER_FEATURES; ++feature)
            EXPECT_EQ(trace.danger[WHITE][feature], mirrored.danger[BLACK][feature])
                << fen << " danger " << feature;
    }
    EXPECT_LT(Evaluate(GameFromFen("8/5k2/8/8/8/2Q5/2K5/8 b - - 0 1")), -800);
}

// The trace a tuner fits to must add up to what the evaluation says, with
// the weights in use, special endings and rounding included.
TEST(Evaluate, TraceAddsUpToTheEvaluation) {
    for (const char* fen : kVariedPositions) {
        const Board board = GameFromFen(fen).board;
        const EvalTrace trace = TraceEvaluation(board);
        const int white = TracedScore(trace, kEvalWeights);
        EXPECT_EQ(board.side == WHITE ? white : -white, EvaluateBoard(board)) << fen;
        if (!trace.insufficientMaterial) {
            EXPECT_EQ(trace.count[TERM_TEMPO], board.side == WHITE ? 1 : -1) << fen;
        }
    }
}

// The evaluation through a pawn cache equals the one without and, where
// there is material to mate, leaves the entry of the board's pawns in the
// cache, at board and at every position depth plies on.
void CheckCachedEvaluations(const Board& board, int depth, PawnCache& cache, int& checked) {
    ASSERT_EQ(EvaluateBoard(board, cache), EvaluateBoard(board));
    if (!IsInsufficientMaterial(board)) {
        ASSERT_EQ(PawnSlot(cache, board.pawnKey).key, board.pawnKey);
    }
    ++checked;
    if (depth == 0) return;
    MoveList list;
    GenerateMoves(board, list);
    Board next;
    for (int i = 0; i < list.count; ++i)
        if (PlayOnBoard(board, list.moves[i], next))
            CheckCachedEvaluations(next, depth - 1, cache, checked);
}

// Two plies on, many positions share their pawns while the kings and the
// pieces stand elsewhere: an entry that kept a term depending on more than
// the pawns would give a wrong score for them.
TEST(Evaluate, PawnCacheChangesNoScore) {
    auto cache = std::make_unique<PawnCache>();
    int checked = 0;
    for (const char* fen : kVariedPositions) {
        SCOPED_TRACE(fen);
        CheckCachedEvaluations(GameFromFen(fen).board, 2, *cache, checked);
    }
    EXPECT_GT(checked, 10000);
}

// Terms both sides have equally cancel out, and changing one weight moves
// the score by the term's count times the change.
TEST(Evaluate, TraceCountsWhiteMinusBlack) {
    const Board board =
        GameFromFen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1").board;
    const EvalTrace trace = TraceEvaluation(board);
    std::vector<EvalWeight> weights(kEvalWeights, kEvalWeights + EVAL_TERM_COUNT);
    EXPECT_EQ(trace.count[TERM_MATERIAL + PAWN], 0);
    EXPECT_EQ(trace.count[TERM_MATERIAL + KING], 0);
    EXPECT_EQ(trace.count[TERM_PIECE_SQUARE + KING * 64 + 4], 0);  // both kings at home
    const int base = BlendedScore(trace, weights.data());
    weights[TERM_TEMPO] = {kEvalWeights[TERM_TEMPO].middle + 24, kEvalWeights[TERM_TEMPO].end + 24};
    EXPECT_EQ(BlendedScore(trace, weights.data()), base + 24);
}

// What the trace counts, White's minus Black's, in positions made to show
// one feature, whatever the weights.
struct TermCase {
    const char* fen;
    int term;
    int count;
};

const TermCase kTermCounts[] = {
    // A knight on d5 that a pawn defends and no enemy pawn can drive away...
    {"4k3/8/8/3N4/2P5/8/8/4K3 w - - 0 1", TERM_KNIGHT_OUTPOST, 1},
    {"4k3/4p3/8/3N4/2P5/8/8/4K3 w - - 0 1", TERM_KNIGHT_OUTPOST, 0},  // ...e6 would
    {"4k3/8/8/3N4/8/8/8/4K3 w - - 0 1", TERM_KNIGHT_OUTPOST, 0},      // ...no pawn defends
    {"4k3/8/8/8/8/3N4/2P5/4K3 w - - 0 1", TERM_KNIGHT_OUTPOST, 0},    // ...only the 4th rank up
    {"4k3/8/8/2p5/3n4/8/8/4K3 b - - 0 1", TERM_KNIGHT_OUTPOST, -1},
    {"4k3/8/3B4/2P5/8/8/8/4K3 w - - 0 1", TERM_BISHOP_OUTPOST, 1},
    // Pawns side by side, or one defending the other.
    {"4k3/8/8/8/8/8/3PP3/4K3 w - - 0 1", TERM_CONNECTED_PAWN + 1, 2},
    {"4k3/8/8/8/8/4P3/3P4/4K3 w - - 0 1", TERM_CONNECTED_PAWN + 2, 1},
    {"4k3/8/8/8/8/4P3/3P4/4K3 w - - 0 1", TERM_CONNECTED_PAWN + 1, 0},
    {"4k3/3pp3/8/8/8/8/8/4K3 w - - 0 1", TERM_CONNECTED_PAWN + 1, -2},
    // e3 cannot be backed by the d-pawn ahead of it, and f5 guards e4.
    {"4k3/8/8/5p2/3P4/4P3/8/4K3 w - - 0 1", TERM_BACKWARD_PAWN, 1},
    {"4k3/8/8/8/3P4/4P3/8/4K3 w - - 0 1", TERM_BACKWARD_PAWN, 0},
    {"4k3/8/8/5p2/8/4P3/8/4K3 w - - 0 1", TERM_BACKWARD_PAWN, 0},  // isolated instead
    {"4k3/8/8/5p2/8/4P3/8/4K3 w - - 0 1", TERM_ISOLATED_PAWN, 0},
    // Pieces attacked by knights, bishops and rooks.
    {"4k3/8/8/8/3r4/8/4N3/4K3 w - - 0 1", TERM_THREAT_BY_MINOR + ROOK, 1},
    {"4k3/8/8/8/3q4/8/8/3RK3 w - - 0 1", TERM_THREAT_BY_ROOK + QUEEN, 1},
    {"4k3/8/8/8/3q4/8/8/3RK3 w - - 0 1", TERM_THREAT_BY_MINOR + ROOK, 0},
    {"4k3/8/8/1b6/8/3Q4/8/4K3 w - - 0 1", TERM_THREAT_BY_MINOR + QUEEN, -1},
    // The knight on e4 could check from d6 and f6, unless e7 guards them or
    // an own piece stands there; the rook from a8 and e1, the queen only
    // where nothing of the enemy's reaches.
    {"4k3/8/8/8/4N3/8/P7/4K3 w - - 0 1", TERM_SAFE_CHECK + KNIGHT, 2},
    {"4k3/4p3/8/8/4N3/8/P7/4K3 w - - 0 1", TERM_SAFE_CHECK + KNIGHT, 0},
    {"4k3/8/3P4/8/4N3/8/8/4K3 w - - 0 1", TERM_SAFE_CHECK + KNIGHT, 1},
    {"4k3/8/8/8/8/8/7K/R7 w - - 0 1", TERM_SAFE_CHECK + ROOK, 2},
    {"4k3/8/8/8/8/8/7K/R7 w - - 0 1", TERM_SAFE_CHECK + QUEEN, 0},
    {"4k3/8/8/8/8/8/q7/4K3 b - - 0 1", TERM_SAFE_CHECK + QUEEN, -4},  // a1, b1, a5, e6
    {"4k3/8/8/8/8/8/q7/4K3 b - - 0 1", TERM_SAFE_CHECK + ROOK, 0},
    // The rook on d1 reaches d7 and d8 beside the king, which only the king
    // defends, until a knight on b6 covers d7.
    {"4k3/8/8/8/8/8/8/3RK3 w - - 0 1", TERM_KING_ZONE_ATTACKER, 1},
    {"4k3/8/8/8/8/8/8/3RK3 w - - 0 1", TERM_WEAK_KING_SQUARE, 2},
    {"4k3/8/1n6/8/8/8/8/3RK3 w - - 0 1", TERM_WEAK_KING_SQUARE, 1},
    {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", TERM_WEAK_KING_SQUARE, 0},
    // A piece attacked and not defended hangs; a pawn on e5 defends d4.
    {"4k3/8/8/8/3r4/8/4N3/4K3 w - - 0 1", TERM_HANGING + ROOK, 1},
    {"4k3/8/8/4p3/3r4/8/4N3/4K3 w - - 0 1", TERM_HANGING + ROOK, 0},
    {"4k3/8/8/4p3/3r4/8/4N3/4K3 w - - 0 1", TERM_HANGING + PAWN, 0},
    {"4k3/8/8/8/3q4/8/8/3RK3 w - - 0 1", TERM_HANGING + QUEEN, 1},
    {"4k3/8/8/3p4/8/8/8/3RK3 b - - 0 1", TERM_HANGING + PAWN, 1},
    {"4k3/8/8/8/1b6/8/3P4/4K3 w - - 0 1", TERM_HANGING + PAWN, 0},    // the king defends d2
    {"4k3/8/8/8/n2R3b/8/8/4K3 w - - 0 1", TERM_HANGING + KNIGHT, 1},  // both ends of a line
    {"4k3/8/8/8/n2R3b/8/8/4K3 w - - 0 1", TERM_HANGING + BISHOP, 1},
    {"4k3/8/8/8/R7/8/8/n3K3 w - - 0 1", TERM_HANGING + KNIGHT, 1},  // the corner, square 0
    {"4k3/p7/8/8/8/8/3n4/4K3 w - - 0 1", TERM_THREAT_BY_KING, 1},
    {"4k3/p7/8/8/8/4p3/3n4/4K3 w - - 0 1", TERM_THREAT_BY_KING, 0},
    {"4k3/8/4K3/3p4/8/8/8/8 b - - 0 1", TERM_THREAT_BY_KING, 1},
    {"8/8/8/8/3P4/4k3/8/4K3 w - - 0 1", TERM_THREAT_BY_KING, -1},
    // e3 or e4 would attack the knight; not when a pawn on f4 guards e3 (a
    // pawn that has to pass e3 still may), nor a knight a pawn attacks now.
    {"4k3/8/8/8/3n4/8/4P3/4K3 w - - 0 1", TERM_PAWN_PUSH_THREAT, 1},
    {"4k3/8/8/5n2/8/8/4P3/4K3 w - - 0 1", TERM_PAWN_PUSH_THREAT, 1},
    {"4k3/8/8/8/3n1p2/8/4P3/4K3 w - - 0 1", TERM_PAWN_PUSH_THREAT, 0},
    {"4k3/8/8/5n2/5p2/8/4P3/4K3 w - - 0 1", TERM_PAWN_PUSH_THREAT, 1},
    {"4k3/8/8/8/3n4/4P3/8/4K3 w - - 0 1", TERM_PAWN_PUSH_THREAT, 0},
    {"4k3/8/8/8/3n4/4p3/4P3/4K3 w - - 0 1", TERM_PAWN_PUSH_THREAT, 0},
    {"4k3/4p3/8/3N4/8/8/8/4K3 b - - 0 1", TERM_PAWN_PUSH_THREAT, -1},
    // A rook or queen on the seventh counts with the king on the eighth or
    // pawns on the seventh.
    {"4k3/R7/8/8/8/8/8/4K3 w - - 0 1", TERM_ROOK_ON_SEVENTH, 1},
    {"8/R7/4k3/8/8/8/8/4K3 w - - 0 1", TERM_ROOK_ON_SEVENTH, 0},
    {"8/R5p1/4k3/8/8/8/8/4K3 w - - 0 1", TERM_ROOK_ON_SEVENTH, 1},
    {"4k3/Q7/8/8/8/8/8/4K3 w - - 0 1", TERM_QUEEN_ON_SEVENTH, 1},
    {"4k3/8/8/8/8/4K3/r7/8 w - - 0 1", TERM_ROOK_ON_SEVENTH, 0},
    {"4k3/8/8/8/8/4K3/r6P/8 w - - 0 1", TERM_ROOK_ON_SEVENTH, -1},
    // A passer on d4 with an enemy knight on d5, not an own one.
    {"4k3/8/8/3n4/3P4/8/8/4K3 w - - 0 1", TERM_PASSER_BLOCKED + 3, 1},
    {"4k3/8/8/3N4/3P4/8/8/4K3 w - - 0 1", TERM_PASSER_BLOCKED + 3, 0},
    {"4k3/8/8/8/8/3p4/3N4/4K3 w - - 0 1", TERM_PASSER_BLOCKED + 5, -1},
    // A knight or bishop with a pawn of either side just in front.
    {"4k3/8/8/8/4P3/4N3/8/4K3 w - - 0 1", TERM_MINOR_BEHIND_PAWN, 1},
    {"4k3/8/8/4p3/4B3/8/8/4K3 w - - 0 1", TERM_MINOR_BEHIND_PAWN, 1},
    {"4k3/8/8/8/3P4/4N3/8/4K3 w - - 0 1", TERM_MINOR_BEHIND_PAWN, 0},
    {"4k3/8/8/3n4/3P4/8/8/4K3 w - - 0 1", TERM_MINOR_BEHIND_PAWN, -1},
    // The enemy's most advanced pawn ahead of the king on its file or one
    // beside it storms, by its rank from its own side; blocked by an own
    // pawn in front, it counts apart; behind the king it does not count.
    {"6k1/8/8/8/6p1/8/8/6K1 w - - 0 1", TERM_PAWN_STORM + 4, 1},
    {"6k1/8/8/8/6p1/6P1/8/6K1 w - - 0 1", TERM_BLOCKED_STORM + 4, 1},
    {"6k1/8/8/8/6p1/6P1/8/6K1 w - - 0 1", TERM_PAWN_STORM + 4, 0},
    {"6k1/8/8/8/5pp1/7p/8/6K1 w - - 0 1", TERM_PAWN_STORM + 4, 2},
    {"6k1/8/8/8/5pp1/7p/8/6K1 w - - 0 1", TERM_PAWN_STORM + 5, 1},
    {"6k1/8/8/8/8/8/6p1/K7 w - - 0 1", TERM_PAWN_STORM + 6, 0},
    {"8/8/8/8/8/6K1/6p1/6k1 w - - 0 1", TERM_PAWN_STORM + 6, 0},
    {"6k1/8/8/6P1/8/8/8/6K1 b - - 0 1", TERM_PAWN_STORM + 4, -1},
    {"8/8/8/Pk6/8/8/8/4K3 w - - 0 1", TERM_PAWN_STORM + 4, 0},  // level with the king
    {"6k1/8/6p1/6P1/8/8/8/6K1 b - - 0 1", TERM_BLOCKED_STORM + 4, -1},
    // The king's file without own pawns: semi-open with enemy ones, open
    // with none.
    {"3k4/4p3/8/8/8/8/8/4K3 w - - 0 1", TERM_KING_SEMI_OPEN_FILE, 1},
    {"3k4/4p3/8/8/8/8/8/4K3 w - - 0 1", TERM_KING_OPEN_FILE, -1},
    {"4k3/4p3/8/8/8/8/4P3/4K3 w - - 0 1", TERM_KING_SEMI_OPEN_FILE, 0},
    {"4k3/4p3/8/8/8/8/4P3/4K3 w - - 0 1", TERM_KING_OPEN_FILE, 0},
    // A rook behind a passer with nothing between, the own or the enemy's.
    {"4k3/8/8/8/3P4/8/8/3RK3 w - - 0 1", TERM_ROOK_BEHIND_PASSER, 1},
    {"4k3/8/8/8/3P4/3N4/8/3RK3 w - - 0 1", TERM_ROOK_BEHIND_PASSER, 0},
    {"4k3/8/8/3R4/3P4/8/8/4K3 w - - 0 1", TERM_ROOK_BEHIND_PASSER, 0},
    {"4k3/8/8/8/3P4/8/3r4/4K3 w - - 0 1", TERM_ENEMY_ROOK_BEHIND_PASSER, 1},
    {"3R4/5k2/8/8/3p4/8/8/4K3 w - - 0 1", TERM_ENEMY_ROOK_BEHIND_PASSER, -1},
    {"3R4/5k2/8/8/3p4/8/8/4K3 w - - 0 1", TERM_ROOK_BEHIND_PASSER, 0},
    // A bishop on dark c1 counts b2 and d2, not c2; Black's on light c8
    // counts b7 and d7.
    {"4k3/8/8/8/8/8/1PPP4/2B1K3 w - - 0 1", TERM_BISHOP_PAWNS, 2},
    {"2b1k3/1ppp4/8/8/8/8/8/4K3 w - - 0 1", TERM_BISHOP_PAWNS, -2},
    {"4k3/8/8/8/8/8/P7/N3K3 w - - 0 1", TERM_KING_PROTECTOR, 4},
    {"4k3/8/8/8/8/8/8/NB2K3 w - - 0 1", TERM_KING_PROTECTOR + 1, 3},
    {"n3k3/p7/8/8/8/8/8/4K3 w - - 0 1", TERM_KING_PROTECTOR, -4},
    // The long diagonal counts past any piece but a pawn.
    {"4k3/8/8/8/8/8/1B5P/4K3 w - - 0 1", TERM_LONG_DIAGONAL_BISHOP, 1},
    {"4k3/8/8/8/8/2n5/1B6/4K3 w - - 0 1", TERM_LONG_DIAGONAL_BISHOP, 1},
    {"4k3/8/8/8/3P4/8/1B6/4K3 w - - 0 1", TERM_LONG_DIAGONAL_BISHOP, 0},
    {"4k3/8/8/8/8/8/7P/2B1K3 w - - 0 1", TERM_LONG_DIAGONAL_BISHOP, 0},
    {"4k3/p5b1/8/8/8/8/8/4K3 w - - 0 1", TERM_LONG_DIAGONAL_BISHOP, -1},
    // White has c2-f4 less d4 and e4 (10), four of them behind those
    // pawns; Black c5-f7 less the four squares d4 and e4 attack (8).
    {"4k3/p6p/8/8/3PP3/8/8/4K3 w - - 0 1", TERM_SPACE, 2},
    {"4k3/p6p/8/8/3PP3/8/8/4K3 w - - 0 1", TERM_SPACE_BEHIND, 4},
    // The nearest own pawn only; none without pawns.
    {"4k3/8/8/8/8/8/P7/4K3 w - - 0 1", TERM_KING_PAWN_DISTANCE + 4, 1},
    {"4k3/8/8/8/8/8/P4P2/4K3 w - - 0 1", TERM_KING_PAWN_DISTANCE + 4, 0},
    {"4k3/8/8/8/8/8/P4P2/4K3 w - - 0 1", TERM_KING_PAWN_DISTANCE + 1, 1},
    {"4k3/7p/8/8/8/8/8/4K3 w - - 0 1", TERM_KING_PAWN_DISTANCE + 3, -1},
    // The king's flank: a to d for a king on a to c, c to f on d or e, e to
    // h on f to h; a pawn of either side there counts.
    {"1k6/p7/8/8/8/8/P7/6K1 w - - 0 1", TERM_PAWNLESS_FLANK, 1},
    {"1k6/p6p/8/8/8/8/P7/6K1 w - - 0 1", TERM_PAWNLESS_FLANK, 0},
    {"1k6/p7/8/8/8/8/P7/2K5 w - - 0 1", TERM_PAWNLESS_FLANK, 0},
    {"7k/8/8/8/8/8/P7/3K4 w - - 0 1", TERM_PAWNLESS_FLANK, 0},
    {"7k/8/8/8/8/8/P7/2K5 w - - 0 1", TERM_PAWNLESS_FLANK, -1},
};

TEST(Evaluate, TraceCountsEachFeature) {
    for (const TermCase& c : kTermCounts)
        EXPECT_EQ(TraceEvaluation(GameFromFen(c.fen).board).count[c.term], c.count)
            << c.fen << " term " << c.term;
}

// What one side's attack on the other king counts towards its danger sum.
struct DangerCase {
    const char* fen;
    int attacker;
    int feature;
    int count;
};

const DangerCase kDangerCounts[] = {
    // The rook on g1 attacks g7 and g8 next to the king and five squares
    // of the king's flank in Black's camp; on h7 it attacks the a- to
    // d-file squares of the 7th rank, a king on b8's flank.
    {"7k/8/8/8/8/8/8/4K1R1 w - - 0 1", WHITE, DANGER_ZONE_ATTACK, 6},
    {"7k/8/8/8/8/8/8/4K1R1 w - - 0 1", WHITE, DANGER_ATTACKERS, 1},
    {"7k/8/8/8/8/8/8/4K1R1 w - - 0 1", WHITE, DANGER_FLANK_ATTACK, 5},
    {"4k1r1/8/8/8/8/8/8/7K w - - 0 1", BLACK, DANGER_FLANK_ATTACK, 5},
    {"1k6/7R/8/8/8/8/8/4K3 w - - 0 1", WHITE, DANGER_FLANK_ATTACK, 4},
    {"1k6/8/8/8/8/8/8/R3K3 w - - 0 1", WHITE, DANGER_FLANK_ATTACK, 5},
    // Files without a pawn in front of the king; pawns behind it do not
    // shelter it, and a king on the edge has two files.
    {"6k1/R4ppp/8/8/8/8/8/4K3 w - - 0 1", WHITE, DANGER_OPEN_SHELTER, 0},
    {"6k1/R4p1p/8/8/8/8/8/4K3 w - - 0 1", WHITE, DANGER_OPEN_SHELTER, 1},
    {"8/5ppp/6k1/R7/8/8/8/4K3 w - - 0 1", WHITE, DANGER_OPEN_SHELTER, 3},
    {"7k/R5p1/8/8/8/8/8/4K3 w - - 0 1", WHITE, DANGER_OPEN_SHELTER, 1},
    {"4k3/8/8/8/8/8/r4P1P/6K1 w - - 0 1", BLACK, DANGER_OPEN_SHELTER, 1},
    {"4k3/8/8/8/8/8/r7/6K1 w - - 0 1", BLACK, DANGER_OPEN_SHELTER, 3},
    // A knight covering a square beside its king (f6 guards h7; c5 nothing).
    {"6k1/R7/5n2/8/8/8/8/4K3 w - - 0 1", WHITE, DANGER_KNIGHT_DEFENDER, 1},
    {"6k1/R7/8/2n5/8/8/8/4K3 w - - 0 1", WHITE, DANGER_KNIGHT_DEFENDER, 0},
    {"6k1/R7/8/8/8/8/8/4K3 w - - 0 1", WHITE, DANGER_NO_QUEEN, 1},
    {"6k1/Q7/8/8/8/8/r7/4K3 w - - 0 1", WHITE, DANGER_NO_QUEEN, 0},
    {"6k1/Q7/8/8/8/8/r7/4K3 w - - 0 1", BLACK, DANGER_NO_QUEEN, 1},
    {"6k1/Q7/8/8/8/8/r7/4K3 w - - 0 1", BLACK, DANGER_BASE, 1},
    // Without a piece on the king's zone, no danger at all.
    {"6k1/Q7/8/8/8/8/8/4K3 w - - 0 1", BLACK, DANGER_BASE, 0},
    {"6k1/8/8/8/8/8/8/2Q1K3 w - - 0 1", WHITE, DANGER_BASE, 0},
};

TEST(Evaluate, TraceCountsEachDangerFeature) {
    for (const DangerCase& c : kDangerCounts)
        EXPECT_EQ(TraceEvaluation(GameFromFen(c.fen).board).danger[c.attacker][c.feature], c.count)
            << c.fen << " feature " << c.feature;
}

// A side whose pieces attack the enemy king's zone counts towards its
// danger sum the attackers, safe checks and weak squares that are also
// scored one by one; a side that does not counts nothing.
TEST(Evaluate, DangerCountsAgreeWithTheirTerms) {
    int bothAttack = 0, oneAttacks = 0;
    for (const char* fen : kVariedPositions) {
        const EvalTrace trace = TraceEvaluation(GameFromFen(fen).board);
        bool attacks[2];
        for (int color = WHITE; color <= BLACK; ++color) {
            attacks[color] = trace.danger[color][DANGER_ATTACKERS] > 0;
            EXPECT_EQ(trace.danger[color][DANGER_BASE], attacks[color] ? 1 : 0) << fen;
        }
        if (attacks[WHITE] != attacks[BLACK]) {
            ++oneAttacks;
            for (int feature = 0; feature < KING_DANGER_FEATURES; ++feature)
                EXPECT_EQ(trace.danger[attacks[WHITE] ? BLACK : WHITE][feature], 0) << fen;
        }
        if (!attacks[WHITE] || !attacks[BLACK]) continue;
        ++bothAttack;
        const auto net = [&](int feature) {
            return trace.danger[WHITE][feature] - trace.danger[BLACK][feature];
        };
        EXPECT_EQ(net(DANGER_ATTACKERS), trace.count[TERM_KING_ZONE_ATTACKER]) << fen;
        EXPECT_EQ(net(DANGER_WEAK_SQUARE), trace.count[TERM_WEAK_KING_SQUARE]) << fen;
        for (int type = KNIGHT; type <= QUEEN; ++type)
            EXPECT_EQ(net(DANGER_SAFE_CHECK + type - KNIGHT), trace.count[TERM_SAFE_CHECK + type])
                << fen << " type " << type;
    }
    EXPECT_GE(bothAttack, 3);
    EXPECT_GE(oneAttacks, 1);
}

TEST(Evaluate, ScalesDownPawnlessEndingsThatCannotBeWon) {
    // A rook against a bishop, or two knights, are far from a won game.
    EXPECT_LT(Evaluate(GameFromFen("4k3/8/4b3/8/8/8/8/R3K3 w - - 0 1")), 100);
    EXPECT_LT(Evaluate(GameFromFen("4k3/8/8/8/8/8/8/1N2K1N1 w - - 0 1")), 150);
    EXPECT_GT(Evaluate(GameFromFen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1")), 400);
}

// Bishops of opposite colours with nothing else but pawns halve an edge;
// of the same colour, or with another piece beside them, they do not.
TEST(Evaluate, HalvesTheEdgeWithBishopsOfOppositeColoursAlone) {
    const int opposite = Evaluate(GameFromFen("4k3/8/8/1b6/8/8/PPP5/2B1K3 w - - 0 1"));
    const int same = Evaluate(GameFromFen("4k3/8/8/2b5/8/8/PPP5/2B1K3 w - - 0 1"));
    const int withKnights = Evaluate(GameFromFen("4k1n1/8/8/1b6/8/8/PPP5/2B1K1N1 w - - 0 1"));
    EXPECT_GT(opposite, 0);
    EXPECT_LT(opposite * 3, same * 2);
    EXPECT_LT(opposite * 3, withKnights * 2);
    EXPECT_EQ(Evaluate(GameFromFen("2b1k3/ppp5/8/8/1B6/8/8/4K3 b - - 0 1")), opposite);
}

struct MaterialCase {
    const char* fen;
    bool dead;  // neither side can ever mate
};

// c1, e3 and f8 are dark squares; c8 and f1 light ones.
const MaterialCase kMaterial[] = {
    {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", true},        {"4k3/8/8/8/8/8/8/1N2K3 w - - 0 1", true},
    {"4k3/8/8/8/8/4B3/8/2B1K3 w - - 0 1", true},    {"4kb2/8/8/8/8/8/8/2B1K3 w - - 0 1", true},
    {"4kb2/8/8/8/8/4B3/8/2B1K3 b - - 0 1", true},   {"2b1k3/8/8/8/8/8/8/2B1K3 w - - 0 1", false},
    {"4k3/8/8/8/8/8/8/2B1KB2 w - - 0 1", false},    {"4k3/8/8/8/8/4B3/8/2B1KN2 w - - 0 1", false},
    {"4kn2/8/8/8/8/8/8/2B1K3 w - - 0 1", false},    {"4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1", false},
    {"4k3/8/8/8/8/4B3/4P3/2B1K3 w - - 0 1", false}, {"4k3/8/8/8/8/4B3/8/2B1K2R w - - 0 1", false},
    {"4k3/8/8/8/8/4B3/8/2B1K2q w - - 0 1", false},  {"4k3/8/8/8/8/8/8/2B1K3 w - - 0 1", true},
};

TEST(Evaluate, KnowsMaterialThatCanNeverMate) {
    for (const MaterialCase& c : kMaterial) {
        Game game = GameFromFen(c.fen);
        EXPECT_EQ(IsInsufficientMaterial(game.board), c.dead) << c.fen;
        if (c.dead) {
            EXPECT_EQ(Evaluate(game), 0) << c.fen;
        }
    }
}

// Material that mates a bare king is worth a lot, and more the nearer the
// king is driven to a corner; same-coloured bishops get no such drive.
struct DriveCase {
    const char* cornered;
    const char* central;
    bool drives;
};

const DriveCase kDrives[] = {
    {"k7/8/8/8/8/8/8/2B1KN2 w - - 0 1", "8/8/8/3k4/8/8/8/2B1KN2 w - - 0 1", true},
    {"k7/8/8/8/8/8/8/2B1KB2 w - - 0 1", "8/8/8/3k4/8/8/8/2B1KB2 w - - 0 1", true},
    {"8/8/8/8/8/8/8/2b1kb1K b - - 0 1", "8/8/8/4K3/8/8/8/2b1kb2 b - - 0 1", true},
    {"7k/8/5K2/8/8/8/8/R7 w - - 0 1", "8/8/8/3k4/8/8/8/R3K3 w - - 0 1", true},
    {"k7/8/8/8/8/8/8/1N2KN2 w - - 0 1", "8/8/8/3k4/8/8/8/1N2KN2 w - - 0 1", false},
};

TEST(Evaluate, DrivesTheLoneKingOnlyWithMatingMaterial) {
    for (const DriveCase& c : kDrives) {
        int cornered = Evaluate(GameFromFen(c.cornered)),
            central = Evaluate(GameFromFen(c.central));
        if (c.drives) {
            EXPECT_GT(cornered, central + 50) << c.cornered;
            EXPECT_GT(central, 500) << c.central;
        } else {
            EXPECT_LT(cornered, 150) << c.cornered;
            EXPECT_LT(central, 150) << c.central;
        }
    }
}

}  // namespace
}  // namespace chess
