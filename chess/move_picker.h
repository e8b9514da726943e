// The staged move picker: hands out the moves of a position one at a time,
// best first by stages, generating each kind of move only when its stage
// comes: the hash move, captures and queen promotions that do not lose
// material (most valuable victim first, then by the capture history given),
// the killer moves, the counter move (the quiet move that last refuted the
// opponent's move), the other quiet moves by history, the losing captures
// and last the under-promotions. A quiet move's history adds its own
// [from][to] history (one of four, by whether the enemy attacks from and
// to) and the continuation histories of the moves one and two plies back.
// A picker in captures-only mode stops after the good captures.
#pragma once

#include <cstdint>

#include "chess/board.h"
#include "chess/transposition.h"

namespace chess {

enum PickStage : int {
    PICK_HASH_MOVE,
    PICK_GENERATE_CAPTURES,
    PICK_GOOD_CAPTURES,
    PICK_KILLERS,
    PICK_COUNTER,
    PICK_GENERATE_QUIETS,
    PICK_QUIETS,
    PICK_BAD_CAPTURES,
    PICK_UNDER_PROMOTIONS,
    PICK_DONE
};

// A move as the picker hands it out, with its static exchange when the
// picker worked it out (every capture and promotion except the hash move),
// so that the search's pruning need not work it out again.
struct PickedMove {
    Move move = NO_MOVE;
    bool exchangeKnown = false;
    int exchange = 0;
};

struct MovePicker {
    const Board* board = nullptr;
    const QuietHistory* history = nullptr;           // of the side to move
    const CaptureHistory* captureHistory = nullptr;  // orders the good captures
    Bitboard threats = 0;                            // the squares the enemy attacks
    Move hashMove = NO_MOVE;
    // [piece][to] after the moves one and two plies back, each may be empty.
    const PieceToHistory* followUps[2] = {nullptr, nullptr};
    Move killers[2] = {NO_MOVE, NO_MOVE};
    Move counter = NO_MOVE;
    bool capturesOnly = false;
    // Set by the search once no further quiet move can be worth trying:
    // the killers and quiet moves not yet handed out are passed over.
    bool skipQuiets = false;
    int stage = PICK_HASH_MOVE;
    // Captures first; the losing ones are moved to the front as they are
    // found, their exchanges in scores. Quiet moves, then under-promotions,
    // are generated behind the captures.
    MoveList list;
    int scores[MAX_MOVES];
    int next = 0;
    int end = 0;
    int badCount = 0;
    int badNext = 0;
    int killerNext = 0;
};

// Starts picking every move; hashMove, killers, history, counter,
// followUps (two, either may be empty) and captureHistory may be empty.
// threats are the squares the enemy attacks, which pick the history's entries.
void StartPicker(MovePicker& picker, const Board& board, Move hashMove, const Move* killers,
                 const QuietHistory* history, Bitboard threats, Move counter = NO_MOVE,
                 const PieceToHistory* const* followUps = nullptr,
                 const CaptureHistory* captureHistory = nullptr);
// Starts picking only the captures and queen promotions that do not lose
// material, for the captures-only search; captureHistory may be empty.
void StartCapturePicker(MovePicker& picker, const Board& board,
                        const CaptureHistory* captureHistory = nullptr);

// What move takes, as the capture history indexes it: the type of the piece
// taken plus one, 0 for nothing.
inline int TakenIndex(const Board& board, Move move) {
    if (KindOf(move) == EN_PASSANT) return PAWN + 1;
    int target = board.squares[ToOf(move)];
    return target == NO_PIECE ? 0 : TypeOfPiece(target) + 1;
}
// The capture history's entry for move.
inline int16_t& CaptureEntry(CaptureHistory& history, const Board& board, Move move) {
    return history[board.squares[FromOf(move)]][ToOf(move)][TakenIndex(board, move)];
}

// The next move, or NO_MOVE when there is none left. Moves are pseudo-legal
// and each is handed out once.
PickedMove NextMove(MovePicker& picker);

}  // namespace chess
