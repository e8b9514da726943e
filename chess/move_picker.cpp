#include "chess/move_picker.h"

#include "chess/evaluate.h"
#include "chess/movegen.h"
#include "chess/search_margins.h"
#include "chess/see.h"

namespace chess {

namespace {

constexpr int kQueenPromotionOrder = 100;
// The victim-and-attacker order is scaled up so that the capture history
// can move a capture within it: at its extremes by a victim's rank (16).
constexpr int kCaptureOrderScale = 128;
constexpr int kCaptureHistoryPerStep = HISTORY_MAX / (16 * kCaptureOrderScale);

// Most valuable victim first, then the cheapest attacker; queen promotions
// rank with the captures of a queen. The capture history moves a capture
// within that order.
int CaptureOrder(const MovePicker& picker, Move move) {
    const Board& board = *picker.board;
    int victim = TakenIndex(board, move);
    int piece = board.squares[FromOf(move)];
    int order = victim * 16 - TypeOfPiece(piece);
    if (KindOf(move) == PROMOTE_QUEEN) order += kQueenPromotionOrder;
    order *= kCaptureOrderScale;
    if (picker.captureHistory)
        order += (*picker.captureHistory)[piece][ToOf(move)][victim] / kCaptureHistoryPerStep;
    return order;
}

// Moves the best-scored move of [next, end) to next and hands it out.
Move TakeBest(MovePicker& picker) {
    int best = picker.next;
    for (int i = picker.next + 1; i < picker.end; ++i)
        if (picker.scores[i] > picker.scores[best]) best = i;
    Move move = picker.list.moves[best];
    int score = picker.scores[best];
    picker.list.moves[best] = picker.list.moves[picker.next];
    picker.scores[best] = picker.scores[picker.next];
    picker.list.moves[picker.next] = move;
    picker.scores[picker.next] = score;
    ++picker.next;
    return move;
}

void GenerateCaptures(MovePicker& picker) {
    GenerateNoisyMoves(*picker.board, picker.list);
    for (int i = 0; i < picker.list.count; ++i)
        picker.scores[i] = CaptureOrder(picker, picker.list.moves[i]);
    picker.next = 0;
    picker.end = picker.list.count;
}

// The captures in order; a losing one is set aside, with its exchange, for
// after the quiet moves.
bool NextGoodCapture(MovePicker& picker, PickedMove& picked) {
    while (picker.next < picker.end) {
        Move move = TakeBest(picker);
        if (move == picker.hashMove) continue;
        int exchange = StaticExchange(*picker.board, move);
        if (exchange >= GOOD_CAPTURE_MIN_EXCHANGE) {
            picked = {move, true, exchange};
            return true;
        }
        picker.list.moves[picker.badCount] = move;
        picker.scores[picker.badCount++] = exchange;
    }
    return false;
}

// A quiet move worth trying first: not handed out already, and a move of this position.
bool IsFreshQuiet(const MovePicker& picker, Move move) {
    return move != NO_MOVE && move != picker.hashMove && IsQuietMove(*picker.board, move) &&
           IsPseudoLegal(*picker.board, move);
}

bool NextKiller(MovePicker& picker, PickedMove& picked) {
    while (picker.killerNext < 2 && !picker.skipQuiets) {
        Move killer = picker.killers[picker.killerNext++];
        if (IsFreshQuiet(picker, killer)) {
            picked.move = killer;
            return true;
        }
    }
    return false;
}

bool NextCounter(MovePicker& picker, PickedMove& picked) {
    Move counter = picker.counter;
    if (picker.skipQuiets || counter == picker.killers[0] || counter == picker.killers[1] ||
        !IsFreshQuiet(picker, counter)) {
        picker.counter = NO_MOVE;
        return false;
    }
    picked.move = counter;
    return true;
}

int QuietOrder(const MovePicker& picker, Move move) {
    int from = FromOf(move), to = ToOf(move);
    int piece = picker.board->squares[from];
    int order = picker.history ? HistoryEntry(*picker.history, picker.threats, move) : 0;
    for (const PieceToHistory* followUp : picker.followUps)
        if (followUp) order += (*followUp)[piece][to];
    return order;
}

void GenerateQuiets(MovePicker& picker) {
    picker.next = picker.list.count;
    GenerateQuietMoves(*picker.board, picker.list);
    picker.end = picker.list.count;
    for (int i = picker.next; i < picker.end; ++i)
        picker.scores[i] = QuietOrder(picker, picker.list.moves[i]);
}

bool NextQuiet(MovePicker& picker, PickedMove& picked) {
    while (picker.next < picker.end && !picker.skipQuiets) {
        Move move = TakeBest(picker);
        if (move == picker.hashMove || move == picker.killers[0] || move == picker.killers[1] ||
            move == picker.counter)
            continue;
        picked.move = move;
        return true;
    }
    return false;
}

bool NextBadCapture(MovePicker& picker, PickedMove& picked) {
    if (picker.badNext >= picker.badCount) return false;
    picked = {picker.list.moves[picker.badNext], true, picker.scores[picker.badNext]};
    ++picker.badNext;
    return true;
}

void GenerateUnderPromotionsAfter(MovePicker& picker) {
    picker.next = picker.list.count;
    GenerateUnderPromotions(*picker.board, picker.list);
    picker.end = picker.list.count;
}

bool NextUnderPromotion(MovePicker& picker, PickedMove& picked) {
    while (picker.next < picker.end) {
        Move move = picker.list.moves[picker.next++];
        if (move == picker.hashMove) continue;
        picked = {move, true, StaticExchange(*picker.board, move)};
        return true;
    }
    return false;
}

}  // namespace

void StartPicker(MovePicker& picker, const Board& board, Move hashMove, const Move* killers,
                 const QuietHistory* history, Bitboard threats, Move counter,
                 const PieceToHistory* const* followUps, const CaptureHistory* captureHistory) {
    picker.board = &board;
    picker.history = history;
    picker.captureHistory = captureHistory;
    picker.threats = threats;
    picker.followUps[0] = followUps ? followUps[0] : nullptr;
    picker.followUps[1] = followUps ? followUps[1] : nullptr;
    picker.counter = counter;
    picker.hashMove = hashMove;
    picker.killers[0] = killers ? killers[0] : NO_MOVE;
    picker.killers[1] = killers ? killers[1] : NO_MOVE;
    picker.capturesOnly = false;
    picker.skipQuiets = false;
    picker.stage = PICK_HASH_MOVE;
    picker.list.count = picker.next = picker.end = 0;
    picker.badCount = picker.badNext = picker.killerNext = 0;
}

void StartCapturePicker(MovePicker& picker, const Board& board,
                        const CaptureHistory* captureHistory) {
    StartPicker(picker, board, NO_MOVE, nullptr, nullptr, 0, NO_MOVE, nullptr, captureHistory);
    picker.capturesOnly = true;
    picker.stage = PICK_GENERATE_CAPTURES;
}

PickedMove NextMove(MovePicker& picker) {
    PickedMove picked;
    for (;;) {
        switch (picker.stage) {
            case PICK_HASH_MOVE:
                picker.stage = PICK_GENERATE_CAPTURES;
                if (picker.hashMove != NO_MOVE && IsPseudoLegal(*picker.board, picker.hashMove)) {
                    picked.move = picker.hashMove;
                    return picked;
                }
                picker.hashMove = NO_MOVE;
                break;
            case PICK_GENERATE_CAPTURES:
                GenerateCaptures(picker);
                picker.stage = PICK_GOOD_CAPTURES;
                break;
            case PICK_GOOD_CAPTURES:
                if (NextGoodCapture(picker, picked)) return picked;
                picker.stage = picker.capturesOnly ? PICK_DONE : PICK_KILLERS;
                break;
            case PICK_KILLERS:
                if (NextKiller(picker, picked)) return picked;
                picker.stage = PICK_COUNTER;
                break;
            case PICK_COUNTER:
                picker.stage = PICK_GENERATE_QUIETS;
                if (NextCounter(picker, picked)) return picked;
                break;
            case PICK_GENERATE_QUIETS:
                if (!picker.skipQuiets) GenerateQuiets(picker);
                picker.stage = PICK_QUIETS;
                break;
            case PICK_QUIETS:
                if (NextQuiet(picker, picked)) return picked;
                picker.stage = PICK_BAD_CAPTURES;
                break;
            case PICK_BAD_CAPTURES:
                if (NextBadCapture(picker, picked)) return picked;
                GenerateUnderPromotionsAfter(picker);
                picker.stage = PICK_UNDER_PROMOTIONS;
                break;
            case PICK_UNDER_PROMOTIONS:
                if (NextUnderPromotion(picker, picked)) return picked;
                picker.stage = PICK_DONE;
                break;
            default: return picked;
        }
    }
}

}  // namespace chess
