#include "chess/search.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "chess/evaluate.h"
#include "chess/move_picker.h"
#include "chess/movegen.h"
#include "chess/search_margins.h"
#include "chess/see.h"

namespace chess {

namespace {

constexpr int kNodesPerCheck = 1024;

// Late-move reductions grow with the depth and with the move's place.
struct ReductionTable {
    int plies[64][64];
    ReductionTable() {
        for (int depth = 0; depth < 64; ++depth)
            for (int index = 0; index < 64; ++index)
                plies[depth][index] =
                    depth && index ? int(0.75 + std::log(depth) * std::log(index) / 2.25) : 0;
    }
};

const ReductionTable kReductions;

// The table's reduction for the move tried legal-th at depth.
int BaseReduction(int depth, int legal) {
    return kReductions.plies[depth < 64 ? depth : 63][legal < 64 ? legal : 63];
}

bool HasPieces(const Board& board, int color) {
    return board.colors[color] != (board.pieces[color][PAWN] | board.pieces[color][KING]);
}

bool CheckStop(Worker& worker) {
    if (++worker.unflushedNodes < kNodesPerCheck) return worker.stopped;
    SharedSearch& shared = *worker.shared;
    int64_t total = shared.nodes.fetch_add(worker.unflushedNodes, std::memory_order_relaxed) +
                    worker.unflushedNodes;
    worker.unflushedNodes = 0;
    if (!worker.canStop) return false;
    if (shared.stop->load(std::memory_order_relaxed)) worker.stopped = true;
    if (!worker.isMain && shared.helpersStop.load(std::memory_order_relaxed)) worker.stopped = true;
    if (worker.isMain && shared.maxNodes > 0 &&
        (shared.alone ? worker.nodes : total) >= shared.maxNodes)
        worker.stopped = true;
    return worker.stopped;
}

bool IsRepetition(const Worker& worker, const Board& board, int ply) {
    int index = worker.rootKeyIndex + ply;
    int oldest = index - board.reversiblePlies;
    for (int i = index - 2; i >= oldest && i >= 0; i -= 2)
        if (worker.keys[i] == board.key) return true;
    return false;
}

void UpdatePv(Worker& worker, int ply, Move move) {
    worker.pv[ply][ply] = move;
    for (int i = ply + 1; i < worker.pvLength[ply + 1]; ++i)
        worker.pv[ply][i] = worker.pv[ply + 1][i];
    worker.pvLength[ply] = worker.pvLength[ply + 1];
}

// The continuation history after the move `back` plies before the one made
// at ply, or none when there is no such move or it was a null move.
PieceToHistory* FollowUp(Worker& worker, int ply, int back) {
    if (ply < back || worker.movedPiece[ply - back] == NO_PIECE) return nullptr;
    return &worker.continuation.after[worker.movedPiece[ply - back]][worker.movedTo[ply - back]];
}

void AddQuietHistory(Worker& worker, const Board& board, Bitboard threats,
                     PieceToHistory* const followUps[2], Move move, int bonus) {
    int piece = board.squares[FromOf(move)];
    AddHistory(HistoryEntry(worker.history[board.side], threats, move), bonus);
    for (int i = 0; i < 2; ++i)
        if (followUps[i]) AddHistory((*followUps[i])[piece][ToOf(move)], bonus);
}

// What a cut gains in history: more the deeper the search, up to a cap.
int HistoryBonus(int depth) {
    return std::min(HISTORY_BONUS_PER_PLY * depth - HISTORY_BONUS_OFFSET, HISTORY_BONUS_MOST);
}

// A quiet move cut the node: it becomes a killer and the counter move to
// the move before, and gains history; the quiet moves tried before it lose
// as much.
void RewardQuiet(Worker& worker, const Board& board, Bitboard threats,
                 PieceToHistory* const followUps[2], Move best, const Move* tried, int triedCount,
                 int depth, int ply) {
    if (worker.killers[ply][0] != best) {
        worker.killers[ply][1] = worker.killers[ply][0];
        worker.killers[ply][0] = best;
    }
    if (ply >= 1 && worker.movedPiece[ply - 1] != NO_PIECE)
        worker.counterMoves[worker.movedPiece[ply - 1]][worker.movedTo[ply - 1]] = best;
    int bonus = HistoryBonus(depth);
    AddQuietHistory(worker, board, threats, followUps, best, bonus);
    for (int i = 0; i < triedCount; ++i)
        AddQuietHistory(worker, board, threats, followUps, tried[i], -bonus);
}

// A move cut the node: if it is a capture (best, else NO_MOVE) it gains
// capture history, and the captures tried before it lose as much.
void RewardCaptures(Worker& worker, const Board& board, Move best, const Move* tried,
                    int triedCount, int depth) {
    int bonus = HistoryBonus(depth);
    if (best != NO_MOVE) AddHistory(CaptureEntry(worker.captureHistory, board, best), bonus);
    for (int i = 0; i < triedCount; ++i)
        AddHistory(CaptureEntry(worker.captureHistory, board, tried[i]), -bonus);
}

// A hash of where color's pieces other than pawns stand.
uint64_t PiecesHash(const Board& board, int color) {
    uint64_t hash = 0;
    for (int type = KNIGHT; type <= KING; ++type)
        hash = (hash ^ board.pieces[color][type]) * 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 32);
}

// The entries that judge board, reached at ply: its pawns', each colour's
// pieces' and, when the two moves before it were real moves, theirs.
struct CorrectionEntries {
    int16_t* pawns;
    int16_t* pieces[2];
    int16_t* moves;
};

CorrectionEntries CorrectionOf(Worker& worker, const Board& board, int ply) {
    constexpr uint64_t kMask = CORRECTION_ENTRIES - 1;
    CorrectionHistory& history = worker.correction;
    int16_t* moves = nullptr;
    if (ply >= 2 && worker.movedPiece[ply - 1] != NO_PIECE &&
        worker.movedPiece[ply - 2] != NO_PIECE)
        moves = &history.moves[worker.movedPiece[ply - 2]][worker.movedTo[ply - 2]]
                              [worker.movedPiece[ply - 1]][worker.movedTo[ply - 1]];
    return {&history.pawns[board.side][board.pawnKey & kMask],
            {&history.pieces[board.side][WHITE][PiecesHash(board, WHITE) & kMask],
             &history.pieces[board.side][BLACK][PiecesHash(board, BLACK) & kMask]},
            moves};
}

// The static evaluation moved by how far searches found it off in
// positions with the same pawns, the same pieces of either colour or the
// same last two moves, and side to move: half by the pawns, a quarter by
// each side's pieces and a quarter by the moves. Without pawns nothing
// tells one ending from another, and one entry would mislead them all.
int CorrectedEval(Worker& worker, const Board& board, int raw, int ply) {
    if (!board.pawnKey) return raw;
    CorrectionEntries entries = CorrectionOf(worker, board, ply);
    int sum = 2 * *entries.pawns + *entries.pieces[WHITE] + *entries.pieces[BLACK];
    if (entries.moves) sum += *entries.moves;
    int eval = raw + sum / (4 * CORRECTION_GRAIN);
    return std::clamp(eval, -MATE_BOUND + 1, MATE_BOUND - 1);
}

void MoveCorrection(int16_t& entry, int gap, int weight) {
    int value = (entry * (CORRECTION_WEIGHT_SCALE - weight) + gap * CORRECTION_GRAIN * weight) /
                CORRECTION_WEIGHT_SCALE;
    constexpr int kLimit = CORRECTION_LIMIT * CORRECTION_GRAIN;
    entry = int16_t(std::clamp(value, -kLimit, kLimit));
}

// Moves the corrections toward gap, the search's score less the raw static
// evaluation, the more the deeper the search.
void LearnCorrection(Worker& worker, const Board& board, int gap, int depth, int ply) {
    if (!board.pawnKey) return;
    int weight = std::min(depth + 1, CORRECTION_MAX_WEIGHT);
    CorrectionEntries entries = CorrectionOf(worker, board, ply);
    MoveCorrection(*entries.pawns, gap, weight);
    MoveCorrection(*entries.pieces[WHITE], gap, weight);
    MoveCorrection(*entries.pieces[BLACK], gap, weight);
    if (entries.moves) MoveCorrection(*entries.moves, gap, weight);
}

int Search(Worker& worker, const Board& board, int alpha, int beta, int depth, int ply,
           bool nullAllowed);

// Counts a node and tells whether it ends at once: the search is stopping,
// the material cannot mate, or the line is as long as it may be. score is
// then the node's value.
bool NodeEndsAtOnce(Worker& worker, const Board& board, int ply, int& score) {
    ++worker.nodes;
    if (ply > worker.selectiveDepth) worker.selectiveDepth = ply;
    score = 0;
    if (CheckStop(worker) || IsInsufficientMaterial(board)) return true;
    if (ply < MAX_PLY) return false;
    score = EvaluateBoard(board, worker.pawnCache);
    return true;
}

int Quiesce(Worker& worker, const Board& board, int alpha, int beta, int ply) {
    worker.pvLength[ply] = ply;
    int early = 0;
    if (NodeEndsAtOnce(worker, board, ply, early)) return early;

    TableHit hit;
    bool found = ProbeTable(*worker.shared->tables, board.key, hit);
    if (found) {
        int score = ScoreFromTable(hit.score, ply);
        if (hit.bound == BOUND_EXACT || (hit.bound == BOUND_LOWER && score >= beta) ||
            (hit.bound == BOUND_UPPER && score <= alpha))
            return score;
    }

    // Results are stored at depth 0, which only the captures-only search
    // cuts on; the full search takes their move and evaluation.
    bool inCheck = InCheck(board);
    int standPat = -INFINITE_SCORE, rawEval = 0;
    if (!inCheck) {
        rawEval = found ? hit.eval : EvaluateBoard(board, worker.pawnCache);
        standPat = CorrectedEval(worker, board, rawEval, ply);
        if (standPat >= beta) {
            if (!found)
                StoreInTable(*worker.shared->tables, board.key, NO_MOVE,
                             ScoreToTable(standPat, ply), rawEval, 0, BOUND_LOWER);
            return standPat;
        }
        if (standPat > alpha) alpha = standPat;
    }
    int originalAlpha = alpha;

    // In check every evasion is tried; otherwise only captures that do not
    // lose material.
    MovePicker picker;
    if (inCheck)
        StartPicker(picker, board, NO_MOVE, worker.killers[ply], &worker.history[board.side],
                    AttacksOf(board, board.side ^ 1));
    else
        StartCapturePicker(picker, board, &worker.captureHistory);

    int best = standPat, legal = 0;
    Move bestMove = NO_MOVE;
    Board next;
    for (PickedMove picked = NextMove(picker); picked.move != NO_MOVE; picked = NextMove(picker)) {
        Move move = picked.move;
        if (!inCheck) {
            int victim = board.squares[ToOf(move)];
            int gain = victim == NO_PIECE ? PieceValue(PAWN) : PieceValue(TypeOfPiece(victim));
            if (!IsPromotion(move) && standPat + gain + DELTA_MARGIN <= alpha) continue;
        }
        if (!PlayOnBoard(board, move, next)) continue;
        PrefetchTable(*worker.shared->tables, next.key);
        ++legal;
        worker.movedPiece[ply] = board.squares[FromOf(move)];
        worker.movedTo[ply] = ToOf(move);
        int score = -Quiesce(worker, next, -beta, -alpha, ply + 1);
        if (worker.stopped) return 0;
        if (score > best) {
            best = score;
            if (score > alpha) {
                alpha = score;
                bestMove = move;
                UpdatePv(worker, ply, move);
                if (score >= beta) break;
            }
        }
    }
    if (inCheck && legal == 0) best = -MATE_SCORE + ply;
    int bound = best >= beta ? BOUND_LOWER : alpha > originalAlpha ? BOUND_EXACT : BOUND_UPPER;
    StoreInTable(*worker.shared->tables, board.key, bestMove, ScoreToTable(best, ply), rawEval, 0,
                 bound);
    return best;
}

// Cuts a non-PV node before any move is tried, with score as its value:
// when the static evaluation beats beta by a margin that grows with the
// depth left (reverse futility), or when even passing, searched shallower,
// still beats beta (null move). Check worker.stopped when it returns false.
bool CutsBeforeMoves(Worker& worker, const Board& board, int beta, int depth, int ply, int eval,
                     bool nullAllowed, int& score) {
    score = eval;
    if (depth <= REVERSE_FUTILITY_MAX_DEPTH && eval - REVERSE_FUTILITY_PER_PLY * depth >= beta &&
        beta < MATE_BOUND)
        return true;
    // Without pieces a side is often in zugzwang, where passing would be best.
    if (!nullAllowed || depth < NULL_MOVE_MIN_DEPTH || eval < beta || !HasPieces(board, board.side))
        return false;
    int reduction = NULL_MOVE_BASE_REDUCTION + depth / NULL_MOVE_DEPTH_PER_EXTRA_PLY;
    Board next;
    PlayNullMove(board, next);
    worker.movedPiece[ply] = NO_PIECE;
    score = -Search(worker, next, -beta, -beta + 1, depth - 1 - reduction, ply + 1, false);
    if (worker.stopped || score < beta) return false;
    // A mate found after passing is no proof of one: the pass is not a move.
    if (score >= MATE_BOUND) score = beta;
    return true;
}

// ProbCut at a non-PV node not in check: a capture or promotion whose
// exchange could lift the static evaluation to beta plus a margin is tried
// against that raised beta, first in the captures-only search and, when that
// holds, in a zero-window search of depth less PROBCUT_REDUCTION plies after
// it; when that holds too the node is cut with score as its value, stored as
// a lower bound at the depth the two together reach (one ply more). Skipped
// when the table already holds the node below the raised beta at that depth.
// rawEval is the evaluation to store, eval the one to prune with. Check
// worker.stopped when it returns false.
bool ProbCuts(Worker& worker, const Board& board, int beta, int depth, int ply, int eval,
              int rawEval, const TableHit* hit, int& score) {
    int raisedBeta = beta + PROBCUT_MARGIN;
    int shallower = depth - PROBCUT_REDUCTION;
    if (depth < PROBCUT_MIN_DEPTH || beta <= -MATE_BOUND || raisedBeta >= MATE_BOUND) return false;
    if (hit && hit->depth >= shallower + 1 &&
        (hit->bound == BOUND_UPPER || hit->bound == BOUND_EXACT) &&
        ScoreFromTable(hit->score, ply) < raisedBeta)
        return false;
    MovePicker picker;
    StartCapturePicker(picker, board, &worker.captureHistory);
    Board next;
    for (PickedMove picked = NextMove(picker); picked.move != NO_MOVE; picked = NextMove(picker)) {
        Move move = picked.move;
        if (eval + picked.exchange < raisedBeta) continue;
        int piece = board.squares[FromOf(move)];
        if (!PlayOnBoard(board, move, next)) continue;
        PrefetchTable(*worker.shared->tables, next.key);
        worker.movedPiece[ply] = piece;
        worker.movedTo[ply] = ToOf(move);
        score = -Quiesce(worker, next, -raisedBeta, -raisedBeta + 1, ply + 1);
        if (score >= raisedBeta && !worker.stopped)
            score = -Search(worker, next, -raisedBeta, -raisedBeta + 1, shallower, ply + 1, true);
        if (worker.stopped) return false;
        if (score >= raisedBeta) {
            StoreInTable(*worker.shared->tables, board.key, move, ScoreToTable(score, ply), rawEval,
                         shallower + 1, BOUND_LOWER);
            return true;
        }
    }
    return false;
}

// Whether the quiet moves not yet tried are not worth trying at a non-PV
// node: enough of them were tried near the leaves (late-move pruning), or
// the static evaluation is too far below alpha for a quiet move (futility).
bool QuietMovesEnd(int depth, int quietCount, bool improving, int eval, int alpha) {
    if (depth <= LATE_MOVE_MAX_DEPTH &&
        quietCount >= LATE_MOVE_BASE_COUNT + depth * depth * (improving ? 2 : 1))
        return true;
    return depth <= FUTILITY_MAX_DEPTH && eval + FUTILITY_BASE + FUTILITY_PER_PLY * depth <= alpha;
}

// Plies by which a late quiet move is searched shallower: more at non-PV
// nodes and while the evaluation falls, less for killers and moves with a
// good history, and a ply less for a check; never into the captures-only
// search.
int LateMoveReduction(const Worker& worker, const Board& board, Bitboard threats, Move move,
                      int depth, int legal, int ply, bool pvNode, bool improving, bool givesCheck) {
    int reduction = BaseReduction(depth, legal);
    if (!pvNode) ++reduction;
    if (!improving) ++reduction;
    if (move == worker.killers[ply][0] || move == worker.killers[ply][1]) --reduction;
    reduction -=
        HistoryEntry(worker.history[board.side], threats, move) / LATE_MOVE_HISTORY_PER_PLY;
    int deepest = depth - 2;
    reduction = reduction > deepest ? deepest : reduction < 0 ? 0 : reduction;
    return givesCheck && reduction > 0 ? reduction - 1 : reduction;
}

// What the search of the other moves says of the hash move: how many plies
// deeper (or, at -1, shallower) to search it, or that the node is cut with
// score as its value.
struct HashMoveVerdict {
    int extension = 0;
    bool cuts = false;
    int score = 0;
};

// Searches every move but the hash move, to half the depth, against the
// table's lower bound less a margin. When all fall short the hash move is
// singular and is extended, by two plies off the principal variation when
// they fall well short and the line has not been doubled too often; when
// even the lowered bound beats beta several moves do, and the node is cut;
// when the bound alone beats beta the hash move is likely not needed at
// full depth. Not called from a search that already leaves a move out.
// Check worker.stopped after it.
HashMoveVerdict JudgeHashMove(Worker& worker, const Board& board, const TableHit& hit, int beta,
                              int depth, int ply, bool pvNode) {
    HashMoveVerdict verdict;
    int tableScore = ScoreFromTable(hit.score, ply);
    if (depth < SINGULAR_MIN_DEPTH || ply >= 2 * worker.rootDepth || hit.bound == BOUND_UPPER ||
        hit.depth < depth - SINGULAR_TABLE_DEPTH_SLACK || tableScore >= MATE_BOUND ||
        tableScore <= -MATE_BOUND)
        return verdict;
    int singularBeta = tableScore - SINGULAR_MARGIN_PER_PLY * depth;
    worker.excluded[ply] = hit.move;
    int score = Search(worker, board, singularBeta - 1, singularBeta, (depth - 1) / 2, ply, false);
    worker.excluded[ply] = NO_MOVE;
    // That search ran at this ply: the line from here is empty again.
    worker.pvLength[ply] = ply;
    if (worker.stopped) return verdict;
    if (score < singularBeta) {
        verdict.extension = !pvNode && score < singularBeta - SINGULAR_DOUBLE_MARGIN &&
                                    worker.doubleExtensions[ply] < SINGULAR_MOST_DOUBLE
                                ? 2
                                : 1;
    } else if (singularBeta >= beta) {
        verdict.cuts = true;
        verdict.score = singularBeta;
    } else if (tableScore >= beta) {
        verdict.extension = -1;
    }
    return verdict;
}

int Search(Worker& worker, const Board& board, int alpha, int beta, int depth, int ply,
           bool nullAllowed) {
    // The line from here is empty until a move raises alpha, whichever way
    // the node returns: the parent copies it.
    worker.pvLength[ply] = ply;
    bool inCheck = InCheck(board);
    if (inCheck) ++depth;
    // A draw by rule ends the line whatever depth is left, so it is found
    // before the captures-only search takes over.
    worker.keys[worker.rootKeyIndex + ply] = board.key;
    if (board.halfMoveClock >= 100) return inCheck && !HasLegalMove(board) ? -MATE_SCORE + ply : 0;
    if (IsRepetition(worker, board, ply)) return 0;
    if (depth <= 0) return Quiesce(worker, board, alpha, beta, ply);

    int early = 0;
    if (NodeEndsAtOnce(worker, board, ply, early)) return early;

    // Mate distance: no line from here beats a mate already found nearer the root.
    if (alpha < -MATE_SCORE + ply) alpha = -MATE_SCORE + ply;
    if (beta > MATE_SCORE - ply - 1) beta = MATE_SCORE - ply - 1;
    if (alpha >= beta) return alpha;

    bool pvNode = beta - alpha > 1;
    // The null move and ProbCut's searches below extend nothing here.
    worker.doubleExtensions[ply + 1] = worker.doubleExtensions[ply];
    // A search that leaves a move out is not the node's own: it neither
    // cuts on nor stores into the table, nor prunes before its moves.
    const Move excluded = worker.excluded[ply];
    TableHit hit;
    bool found = ProbeTable(*worker.shared->tables, board.key, hit);
    Move ttMove = found ? hit.move : NO_MOVE;
    if (found && !pvNode && excluded == NO_MOVE && hit.depth >= depth) {
        int score = ScoreFromTable(hit.score, ply);
        if ((hit.bound == BOUND_LOWER && score >= beta) ||
            (hit.bound == BOUND_UPPER && score <= alpha) || hit.bound == BOUND_EXACT)
            return score;
    }

    int rawEval = inCheck ? 0 : found ? hit.eval : EvaluateBoard(board, worker.pawnCache);
    int eval = inCheck ? -INFINITE_SCORE : CorrectedEval(worker, board, rawEval, ply);
    worker.staticEval[ply] = eval;
    bool improving = !inCheck && ply >= 2 && eval > worker.staticEval[ply - 2];

    if (!pvNode && !inCheck && excluded == NO_MOVE) {
        int cut = 0;
        if (CutsBeforeMoves(worker, board, beta, depth, ply, eval, nullAllowed, cut)) return cut;
        if (worker.stopped) return 0;
        if (ProbCuts(worker, board, beta, depth, ply, eval, rawEval, found ? &hit : nullptr, cut))
            return cut;
        if (worker.stopped) return 0;
    }
    if (pvNode && ttMove == NO_MOVE && depth >= NO_TABLE_MOVE_REDUCTION_DEPTH) --depth;

    PieceToHistory* const followUps[2] = {FollowUp(worker, ply, 1), FollowUp(worker, ply, 2)};
    Move counter = ply >= 1 && worker.movedPiece[ply - 1] != NO_PIECE
                       ? worker.counterMoves[worker.movedPiece[ply - 1]][worker.movedTo[ply - 1]]
                       : NO_MOVE;
    Bitboard threats = AttacksOf(board, board.side ^ 1);
    MovePicker picker;
    StartPicker(picker, board, ttMove, worker.killers[ply], &worker.history[board.side], threats,
                counter, followUps, &worker.captureHistory);
    worker.killers[ply + 1][0] = worker.killers[ply + 1][1] = NO_MOVE;

    Move quietsTried[64], capturesTried[32];
    int quietCount = 0, captureCount = 0, legal = 0;
    int best = -INFINITE_SCORE;
    Move bestMove = NO_MOVE;
    int originalAlpha = alpha;
    Board next;
    for (PickedMove picked = NextMove(picker); picked.move != NO_MOVE; picked = NextMove(picker)) {
        Move move = picked.move;
        if (move == excluded) continue;
        bool quiet = IsQuietMove(board, move);
        if (best > -MATE_BOUND && !inCheck && !pvNode) {
            // Once one quiet move is pruned here so are all later ones: the
            // count of quiet moves tried and alpha only stay or grow.
            if (quiet && QuietMovesEnd(depth, quietCount, improving, eval, alpha)) {
                picker.skipQuiets = true;
                continue;
            }
            if (!quiet && depth <= SEE_PRUNING_MAX_DEPTH && picked.exchangeKnown &&
                picked.exchange < -SEE_PRUNING_PER_PLY * depth)
                continue;
            // A quiet move that gives its piece away is not worth a search
            // near the leaves.
            if (quiet && depth <= QUIET_SEE_PRUNING_MAX_DEPTH &&
                StaticExchange(board, move) < -QUIET_SEE_PRUNING_PER_PLY_SQUARED * depth * depth)
                continue;
        }
        int piece = board.squares[FromOf(move)];
        if (!PlayOnBoard(board, move, next)) continue;
        PrefetchTable(*worker.shared->tables, next.key);
        ++legal;
        int extension = 0;
        if (move == ttMove && excluded == NO_MOVE) {
            HashMoveVerdict verdict = JudgeHashMove(worker, board, hit, beta, depth, ply, pvNode);
            if (worker.stopped) return 0;
            if (verdict.cuts) return verdict.score;
            extension = verdict.extension;
        }
        worker.movedPiece[ply] = piece;
        worker.movedTo[ply] = ToOf(move);
        worker.doubleExtensions[ply + 1] = worker.doubleExtensions[ply] + (extension > 1);
        bool givesCheck = InCheck(next);
        int newDepth = depth - 1 + extension;
        int score = 0;
        bool fullZeroWindow = !pvNode || legal > 1;
        if (depth >= LATE_MOVE_REDUCTION_MIN_DEPTH && legal > 1 + (pvNode ? 1 : 0) && quiet) {
            int reduction = LateMoveReduction(worker, board, threats, move, depth, legal, ply,
                                              pvNode, improving, givesCheck);
            score = -Search(worker, next, -alpha - 1, -alpha, newDepth - reduction, ply + 1, true);
            fullZeroWindow = reduction > 0 && score > alpha;
        }
        if (fullZeroWindow)
            score = -Search(worker, next, -alpha - 1, -alpha, newDepth, ply + 1, true);
        if (pvNode && (legal == 1 || (score > alpha && score < beta)))
            score = -Search(worker, next, -beta, -alpha, newDepth, ply + 1, true);
        if (worker.stopped) return 0;

        if (score > best) {
            best = score;
            if (score > alpha) {
                bestMove = move;
                alpha = score;
                UpdatePv(worker, ply, move);
                if (score >= beta) {
                    if (quiet)
                        RewardQuiet(worker, board, threats, followUps, move, quietsTried,
                                    quietCount, depth, ply);
                    RewardCaptures(worker, board, quiet ? NO_MOVE : move, capturesTried,
                                   captureCount, depth);
                    break;
                }
            }
        }
        if (quiet && quietCount < 64) quietsTried[quietCount++] = move;
        if (!quiet && captureCount < 32) capturesTried[captureCount++] = move;
    }
    // With the hash move left out, no other move means it is singular.
    if (legal == 0) return excluded != NO_MOVE ? alpha : inCheck ? -MATE_SCORE + ply : 0;
    if (excluded != NO_MOVE) return best;

    int bound = best >= beta ? BOUND_LOWER : alpha > originalAlpha ? BOUND_EXACT : BOUND_UPPER;
    StoreInTable(*worker.shared->tables, board.key, bestMove, ScoreToTable(best, ply), rawEval,
                 depth, bound);
    // A bound that says nothing about where the score stands against the
    // evaluation, a capture's gain, or a mate teach the correction nothing.
    if (!inCheck && (bestMove == NO_MOVE || IsQuietMove(board, bestMove)) &&
        !(bound == BOUND_LOWER && best <= eval) && !(bound == BOUND_UPPER && best >= eval) &&
        best > -MATE_BOUND && best < MATE_BOUND)
        LearnCorrection(worker, board, best - rawEval, depth, ply);
    return best;
}

int64_t& RootNodesOf(Worker& worker, Move move) {
    return worker.rootNodes[FromOf(move)][ToOf(move)];
}

// Puts the root moves after the first in order of the nodes searched below
// them: a move whose refutation took long is the likeliest to become best.
void OrderRootMoves(Worker& worker, int first) {
    std::stable_sort(
        worker.rootMoves + first + 1, worker.rootMoves + worker.rootMoveCount,
        [&](Move a, Move b) { return RootNodesOf(worker, a) > RootNodesOf(worker, b); });
}

// Plies by which a late quiet root move that gives no check is first
// searched shallower.
int RootReduction(const Board& board, const Board& next, Move move, int depth, int index) {
    if (depth < LATE_MOVE_REDUCTION_MIN_DEPTH || index < 2 || !IsQuietMove(board, move) ||
        InCheck(next))
        return 0;
    return std::min(BaseReduction(depth, index + 1), depth - 2);
}

}  // namespace

void StartWorker(Worker& worker, const Board& root, const uint64_t* gameKeys, int gameKeyCount) {
    int first = gameKeyCount > MAX_GAME_KEYS ? gameKeyCount - MAX_GAME_KEYS : 0;
    worker.rootKeyIndex = gameKeyCount - first;
    for (int i = first; i < gameKeyCount; ++i) worker.keys[i - first] = gameKeys[i];
    worker.root = root;
    std::memset(worker.killers, 0, sizeof worker.killers);
    for (Move& move : worker.excluded) move = NO_MOVE;
    std::memset(worker.doubleExtensions, 0, sizeof worker.doubleExtensions);
    std::memset(worker.staticEval, 0, sizeof worker.staticEval);
    std::memset(worker.pv, 0, sizeof worker.pv);
    std::memset(worker.pvLength, 0, sizeof worker.pvLength);
    std::memcpy(worker.history, worker.shared->tables->history, sizeof worker.history);
    std::memcpy(worker.captureHistory, worker.shared->tables->captureHistory,
                sizeof worker.captureHistory);
    std::memcpy(worker.counterMoves, worker.shared->tables->counterMoves,
                sizeof worker.counterMoves);
    std::memcpy(&worker.continuation, worker.shared->tables->continuation.get(),
                sizeof worker.continuation);
    std::memcpy(&worker.correction, worker.shared->tables->correction.get(),
                sizeof worker.correction);
    worker.nodes = worker.unflushedNodes = 0;
    worker.selectiveDepth = 0;
    worker.canStop = worker.stopped = false;
    worker.rootStart = 0;
    std::memset(worker.rootNodes, 0, sizeof worker.rootNodes);
}

int SearchRoot(Worker& worker, int alpha, int beta, int depth) {
    const Board& board = worker.root;
    worker.rootDepth = depth;
    worker.keys[worker.rootKeyIndex] = board.key;
    worker.pvLength[0] = 0;
    bool inCheck = InCheck(board);
    int rawEval = inCheck ? 0 : EvaluateBoard(board, worker.pawnCache);
    worker.staticEval[0] = inCheck ? -INFINITE_SCORE : CorrectedEval(worker, board, rawEval, 0);
    ++worker.nodes;
    int best = -INFINITE_SCORE, originalAlpha = alpha;
    const int first = worker.rootStart;
    OrderRootMoves(worker, first);
    Board next;
    for (int i = first; i < worker.rootMoveCount; ++i) {
        Move move = worker.rootMoves[i];
        worker.movedPiece[0] = board.squares[FromOf(move)];
        worker.movedTo[0] = ToOf(move);
        PlayOnBoard(board, move, next);
        int64_t nodesBefore = worker.nodes;
        int score;
        if (i == first) {
            score = -Search(worker, next, -beta, -alpha, depth - 1, 1, true);
        } else {
            int reduction = RootReduction(board, next, move, depth, i - first);
            score = -Search(worker, next, -alpha - 1, -alpha, depth - 1 - reduction, 1, true);
            if (reduction > 0 && score > alpha)
                score = -Search(worker, next, -alpha - 1, -alpha, depth - 1, 1, true);
            if (score > alpha && score < beta)
                score = -Search(worker, next, -beta, -alpha, depth - 1, 1, true);
        }
        RootNodesOf(worker, move) += worker.nodes - nodesBefore;
        if (worker.stopped) return 0;
        if (i == first || score > alpha) {
            if (score > best) best = score;
        }
        if (score > alpha) {
            alpha = score;
            // The new best move goes to the front; the others keep their order.
            for (int j = i; j > first; --j) worker.rootMoves[j] = worker.rootMoves[j - 1];
            worker.rootMoves[first] = move;
            UpdatePv(worker, 0, move);
            if (score >= beta) break;
        } else if (i == first) {
            worker.pvLength[0] = 1;
            worker.pv[0][0] = move;
        }
    }
    // A later line is not the position's value: only the first is stored.
    if (first > 0) return best;
    int bound = best >= beta ? BOUND_LOWER : best > originalAlpha ? BOUND_EXACT : BOUND_UPPER;
    StoreInTable(*worker.shared->tables, board.key, worker.rootMoves[0], ScoreToTable(best, 0),
                 rawEval, depth, bound);
    return best;
}

}  // namespace chess
