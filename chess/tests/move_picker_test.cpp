#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "chess/evaluate.h"
#include "chess/move_picker.h"
#include "chess/movegen.h"
#include "chess/see.h"
#include "chess/tests/fen_game.h"

namespace chess {
namespace {

const char* const kPositions[] = {
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1",
    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",
    "rnbqkb1r/pp1p1ppp/4pn2/2pP4/8/2N5/PPP1PPPP/R1BQKBNR w KQkq c6 0 4",
    "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
};

bool IsCapture(const Board& board, Move move) {
    return board.squares[ToOf(move)] != NO_PIECE || KindOf(move) == EN_PASSANT;
}

bool NeitherCapturesNorPromotes(const Board& board, Move move) {
    return !IsCapture(board, move) && !IsPromotion(move);
}

std::vector<Move> AllMoves(const Board& board) {
    MoveList list;
    GenerateMoves(board, list);
    return std::vector<Move>(list.moves, list.moves + list.count);
}

// Every move that each of the positions allows: most are not pseudo-legal
// in the others, as moves from a colliding table entry would not be.
std::vector<Move> MovesOfAllPositions() {
    std::vector<Move> moves = {NO_MOVE, EncodeMove(12, 28, DOUBLE_PUSH), EncodeMove(4, 6, CASTLE),
                               EncodeMove(60, 58, CASTLE), EncodeMove(52, 60, PROMOTE_ROOK)};
    for (const char* fen : kPositions)
        for (Move move : AllMoves(GameFromFen(fen).board)) moves.push_back(move);
    std::sort(moves.begin(), moves.end());
    moves.erase(std::unique(moves.begin(), moves.end()), moves.end());
    return moves;
}

TEST(PseudoLegal, AcceptsExactlyTheGeneratedMoves) {
    const std::vector<Move> candidates = MovesOfAllPositions();
    for (const char* fen : kPositions) {
        Board board = GameFromFen(fen).board;
        std::vector<Move> own = AllMoves(board);
        for (Move move : candidates) {
            bool generated = std::find(own.begin(), own.end(), move) != own.end();
            EXPECT_EQ(IsPseudoLegal(board, move), generated) << fen << " " << MoveText(move);
        }
    }
}

// Where a move stands in the picker's order.
enum Stage { HASH, GOOD, KILLER, QUIET, BAD, UNDER };

struct Picked {
    PickedMove picked;
    Stage stage;
};

struct PickerSetup {
    Move hashMove;
    Move killers[2];
    bool pseudoLegalHash;
};

Bitboard Threats(const Board& board) { return AttacksOf(board, board.side ^ 1); }

QuietHistory kHistory;

std::vector<Picked> PickAll(const Board& board, const PickerSetup& setup, int skipAfterQuiets) {
    MovePicker picker;
    StartPicker(picker, board, setup.hashMove, setup.killers, &kHistory, Threats(board));
    std::vector<Picked> out;
    int quiets = 0;
    for (PickedMove picked = NextMove(picker); picked.move != NO_MOVE; picked = NextMove(picker)) {
        Move move = picked.move;
        Stage stage = out.empty() && setup.pseudoLegalHash ? HASH
                      : NeitherCapturesNorPromotes(board, move) &&
                              (move == setup.killers[0] || move == setup.killers[1])
                          ? KILLER
                      : NeitherCapturesNorPromotes(board, move)            ? QUIET
                      : IsPromotion(move) && KindOf(move) != PROMOTE_QUEEN ? UNDER
                      : picked.exchange >= 0                               ? GOOD
                                                                           : BAD;
        out.push_back({picked, stage});
        if (stage == KILLER || stage == QUIET) {
            if (++quiets == skipAfterQuiets) picker.skipQuiets = true;
        }
    }
    return out;
}

std::vector<PickerSetup> SetupsFor(const Board& board, const std::vector<Move>& foreign) {
    std::vector<Move> all = AllMoves(board);
    Move quiet = NO_MOVE, otherQuiet = NO_MOVE, capture = NO_MOVE, stranger = NO_MOVE;
    for (Move move : all) {
        if (NeitherCapturesNorPromotes(board, move)) (quiet == NO_MOVE ? quiet : otherQuiet) = move;
        if (IsCapture(board, move)) capture = move;
    }
    for (Move move : foreign)
        if (move != NO_MOVE && !IsPseudoLegal(board, move)) stranger = move;
    return {
        {NO_MOVE, {NO_MOVE, NO_MOVE}, false},
        {quiet, {otherQuiet, stranger}, quiet != NO_MOVE},
        {capture, {quiet, capture}, capture != NO_MOVE},
        {stranger, {stranger, otherQuiet}, false},
        {otherQuiet, {otherQuiet, quiet}, otherQuiet != NO_MOVE},
    };
}

// Each of the four tables by what the enemy attacks differs from the others.
void FillHistory() {
    for (int fromAttacked = 0; fromAttacked < 2; ++fromAttacked)
        for (int toAttacked = 0; toAttacked < 2; ++toAttacked)
            for (int from = 0; from < 64; ++from)
                for (int to = 0; to < 64; ++to)
                    kHistory[fromAttacked][toAttacked][from][to] = int16_t(
                        (from * 37 + to * 11 + fromAttacked * 97 + toAttacked * 53) % 301 - 150);
}

int QuietHistoryOf(const Board& board, Move move) {
    return HistoryEntry(kHistory, Threats(board), move);
}

// Each pseudo-legal move comes exactly once, stage after stage; captures
// by most valuable victim, quiet moves by history; every exchange handed
// out is the real one; quiet moves stop when the search says so.
TEST(MovePicker, HandsOutEveryMoveOnceInStageOrder) {
    FillHistory();
    const std::vector<Move> foreign = MovesOfAllPositions();
    for (const char* fen : kPositions) {
        Board board = GameFromFen(fen).board;
        std::vector<Move> all = AllMoves(board);
        std::sort(all.begin(), all.end());
        for (const PickerSetup& setup : SetupsFor(board, foreign)) {
            std::vector<Picked> picked = PickAll(board, setup, -1);
            std::vector<Move> moves;
            for (const Picked& p : picked) moves.push_back(p.picked.move);
            if (setup.pseudoLegalHash) {
                EXPECT_EQ(moves.front(), setup.hashMove) << fen;
            }
            std::sort(moves.begin(), moves.end());
            EXPECT_EQ(moves, all) << fen << " hash " << MoveText(setup.hashMove);
            for (size_t i = 1; i < picked.size(); ++i) {
                const Picked &before = picked[i - 1], &after = picked[i];
                EXPECT_LE(before.stage, after.stage) << fen << " " << MoveText(after.picked.move);
                Move a = before.picked.move, b = after.picked.move;
                if (before.stage == QUIET && after.stage == QUIET) {
                    EXPECT_GE(QuietHistoryOf(board, a), QuietHistoryOf(board, b)) << fen;
                }
                if (before.stage == GOOD && after.stage == GOOD && !IsPromotion(a) &&
                    !IsPromotion(b) && KindOf(b) != EN_PASSANT) {
                    EXPECT_GE(KindOf(a) == EN_PASSANT
                                  ? PieceValue(PAWN)
                                  : PieceValue(TypeOfPiece(board.squares[ToOf(a)])),
                              PieceValue(TypeOfPiece(board.squares[ToOf(b)])))
                        << fen << " " << MoveText(a) << " " << MoveText(b);
                }
            }
            for (const Picked& p : picked) {
                bool noisy = !NeitherCapturesNorPromotes(board, p.picked.move);
                EXPECT_EQ(p.picked.exchangeKnown, noisy && p.stage != HASH)
                    << MoveText(p.picked.move);
                if (p.picked.exchangeKnown) {
                    EXPECT_EQ(p.picked.exchange, StaticExchange(board, p.picked.move))
                        << fen << " " << MoveText(p.picked.move);
                }
            }
        }
        // Once the search says no more quiet moves, none comes, but every
        // losing capture and under-promotion still does.
        int quiets = int(std::count_if(all.begin(), all.end(), [&](Move move) {
            return NeitherCapturesNorPromotes(board, move);
        }));
        for (int allowed : {1, 3}) {
            int pickedQuiets = 0, pickedNoisy = 0;
            for (const Picked& p : PickAll(board, {NO_MOVE, {NO_MOVE, NO_MOVE}, false}, allowed))
                (p.stage == QUIET || p.stage == KILLER ? pickedQuiets : pickedNoisy)++;
            EXPECT_EQ(pickedNoisy, int(all.size()) - quiets) << fen;
            EXPECT_EQ(pickedQuiets, std::min(allowed, quiets)) << fen;
        }
        // The captures-only picker gives the captures and queen promotions
        // that do not lose material, and nothing else.
        std::vector<Move> expected, captures;
        for (Move move : all)
            if ((KindOf(move) == PROMOTE_QUEEN || (IsCapture(board, move) && !IsPromotion(move))) &&
                StaticExchange(board, move) >= 0)
                expected.push_back(move);
        MovePicker picker;
        StartCapturePicker(picker, board);
        for (PickedMove p = NextMove(picker); p.move != NO_MOVE; p = NextMove(picker))
            captures.push_back(p.move);
        std::sort(captures.begin(), captures.end());
        EXPECT_EQ(captures, expected) << fen;
    }
}

std::vector<Move> QuietMoves(const Board& board) {
    std::vector<Move> quiets;
    for (Move move : AllMoves(board))
        if (NeitherCapturesNorPromotes(board, move)) quiets.push_back(move);
    return quiets;
}

std::vector<Move> PickAllWith(const Board& board, Move hashMove, const Move* killers, Move counter,
                              const PieceToHistory* const* followUps = nullptr) {
    MovePicker picker;
    StartPicker(picker, board, hashMove, killers, &kHistory, Threats(board), counter, followUps);
    std::vector<Move> moves;
    for (PickedMove p = NextMove(picker); p.move != NO_MOVE; p = NextMove(picker))
        moves.push_back(p.move);
    return moves;
}

// The counter move comes straight after the killers when it is a quiet move
// of the position not handed out already, and every move still comes once.
TEST(MovePicker, HandsOutTheCounterMoveAfterTheKillers) {
    FillHistory();
    const std::vector<Move> foreign = MovesOfAllPositions();
    for (const char* fen : kPositions) {
        Board board = GameFromFen(fen).board;
        std::vector<Move> quiets = QuietMoves(board), all = AllMoves(board);
        ASSERT_GE(quiets.size(), 3u) << fen;
        std::sort(all.begin(), all.end());
        Move capture = NO_MOVE, stranger = NO_MOVE;
        for (Move move : all)
            if (IsCapture(board, move)) capture = move;
        for (Move move : foreign)
            if (move != NO_MOVE && !IsPseudoLegal(board, move)) stranger = move;
        const Move q0 = quiets[0], q1 = quiets[1], q2 = quiets[2];
        struct Case {
            Move hash, killers[2], counter;
            int counterAt;  // where the counter move comes; -1: in its usual place
        };
        const Case cases[] = {
            {NO_MOVE, {q0, q1}, q2, 2},
            {NO_MOVE, {NO_MOVE, NO_MOVE}, q2, 0},
            {q1, {q0, NO_MOVE}, q2, 1},
            {NO_MOVE, {q0, q1}, q1, -1},
            {q2, {q0, q1}, q2, -1},
            {NO_MOVE, {q0, q1}, capture, -1},
            {NO_MOVE, {q0, q1}, stranger, -1},
        };
        for (const Case& c : cases) {
            std::vector<Move> picked = PickAllWith(board, c.hash, c.killers, c.counter);
            std::vector<Move> quietOrder;
            for (Move move : picked)
                if (NeitherCapturesNorPromotes(board, move) && move != c.hash)
                    quietOrder.push_back(move);
            if (c.counterAt >= 0) {
                ASSERT_GT(quietOrder.size(), size_t(c.counterAt)) << fen;
                EXPECT_EQ(quietOrder[c.counterAt], c.counter) << fen << " " << MoveText(c.counter);
            }
            std::sort(picked.begin(), picked.end());
            EXPECT_EQ(picked, all) << fen << " counter " << MoveText(c.counter);
        }
        // Once the search wants no more quiet moves the counter move is passed over too.
        MovePicker picker;
        const Move noKillers[2] = {NO_MOVE, NO_MOVE};
        StartPicker(picker, board, NO_MOVE, noKillers, &kHistory, Threats(board), q2);
        picker.skipQuiets = true;
        for (PickedMove p = NextMove(picker); p.move != NO_MOVE; p = NextMove(picker))
            EXPECT_FALSE(NeitherCapturesNorPromotes(board, p.move)) << fen << MoveText(p.move);
    }
}

PieceToHistory kFollowUps[2];

// Quiet moves come by their [from][to] history plus the continuation
// histories given, whichever of the two is given.
TEST(MovePicker, OrdersQuietMovesByTheHistoriesCombined) {
    FillHistory();
    for (int piece = 0; piece < 12; ++piece)
        for (int to = 0; to < 64; ++to) {
            kFollowUps[0][piece][to] = int16_t((piece * 53 + to * 29) % 401 - 200);
            kFollowUps[1][piece][to] = int16_t((piece * 17 + to * 71) % 251 - 125);
        }
    const PieceToHistory* const given[][2] = {{nullptr, nullptr},
                                              {&kFollowUps[0], nullptr},
                                              {nullptr, &kFollowUps[1]},
                                              {&kFollowUps[0], &kFollowUps[1]}};
    for (const char* fen : kPositions) {
        Board board = GameFromFen(fen).board;
        for (const auto& followUps : given) {
            auto order = [&](Move move) {
                int piece = board.squares[FromOf(move)], to = ToOf(move);
                int sum = QuietHistoryOf(board, move);
                for (const PieceToHistory* followUp : followUps)
                    if (followUp) sum += (*followUp)[piece][to];
                return sum;
            };
            std::vector<Move> quiets;
            for (Move move : PickAllWith(board, NO_MOVE, nullptr, NO_MOVE, followUps))
                if (NeitherCapturesNorPromotes(board, move)) quiets.push_back(move);
            EXPECT_EQ(quiets.size(), QuietMoves(board).size()) << fen;
            for (size_t i = 1; i < quiets.size(); ++i)
                EXPECT_GE(order(quiets[i - 1]), order(quiets[i]))
                    << fen << " " << MoveText(quiets[i]);
        }
    }
}

// The capture history moves a capture within the victim-and-attacker order:
// a strong enough history puts the rook's capture of the knight before the
// pawn's, and a capture of the queen stays first whatever the history.
TEST(MovePicker, OrdersCapturesByVictimThenCaptureHistory) {
    const Game game = GameFromFen("4k3/8/8/q2n4/2P5/8/8/R2R3K w - - 0 1");
    const Board& board = game.board;
    const Move byPawn = FindMove(game, "c4d5"), byRook = FindMove(game, "d1d5"),
               ofQueen = FindMove(game, "a1a5");
    struct Case {
        int byPawnHistory, byRookHistory, ofQueenHistory;
        Move second;
    };
    const Case cases[] = {
        {0, 0, 0, byPawn},
        {0, 4000, 0, byRook},
        {-4000, 0, 0, byRook},
        {0, 2000, 0, byPawn},
        {-HISTORY_MAX, HISTORY_MAX, -HISTORY_MAX, byRook},
        {HISTORY_MAX, -HISTORY_MAX, -HISTORY_MAX, byPawn},
    };
    static CaptureHistory history;
    for (const Case& c : cases) {
        std::memset(history, 0, sizeof history);
        CaptureEntry(history, board, byPawn) = int16_t(c.byPawnHistory);
        CaptureEntry(history, board, byRook) = int16_t(c.byRookHistory);
        CaptureEntry(history, board, ofQueen) = int16_t(c.ofQueenHistory);
        MovePicker picker;
        StartCapturePicker(picker, board, &history);
        std::vector<Move> captures;
        for (PickedMove p = NextMove(picker); p.move != NO_MOVE; p = NextMove(picker))
            captures.push_back(p.move);
        ASSERT_EQ(captures.size(), 3u);
        EXPECT_EQ(captures[0], ofQueen);
        EXPECT_EQ(captures[1], c.second) << c.byPawnHistory << " " << c.byRookHistory;
    }
}

}  // namespace
}  // namespace chess
