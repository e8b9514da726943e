// Every margin, depth limit and count with which the search prunes, reduces
// or narrows its window, in one place. Scores are centipawns.
#pragma once

namespace chess {

// Aspiration windows: from this depth on, a depth is first searched in a
// window this wide on either side of the previous score; each failure
// doubles it, and past the widest the window opens fully.
constexpr int ASPIRATION_MIN_DEPTH = 5;
constexpr int ASPIRATION_WINDOW = 20;
constexpr int ASPIRATION_WIDEST = 1000;

// Reverse futility (static null move): a node whose static evaluation beats
// beta by this much per ply of depth left is cut at once.
constexpr int REVERSE_FUTILITY_MAX_DEPTH = 6;
constexpr int REVERSE_FUTILITY_PER_PLY = 80;

// Null move: the reduction is a base plus one ply per so many plies of depth.
constexpr int NULL_MOVE_MIN_DEPTH = 3;
constexpr int NULL_MOVE_BASE_REDUCTION = 3;
constexpr int NULL_MOVE_DEPTH_PER_EXTRA_PLY = 4;

// ProbCut: from this depth on, a capture whose exchange lifts the static
// evaluation past beta plus the margin, and that still beats that raised
// beta in the captures-only search and then in a search to the depth less
// the reduction, cuts the node: a move that clears the margin that shallow
// would very likely clear beta at full depth.
constexpr int PROBCUT_MIN_DEPTH = 5;
constexpr int PROBCUT_MARGIN = 200;
constexpr int PROBCUT_REDUCTION = 4;

// Late-move pruning: near the leaves only the first quiet moves are tried,
// a base count plus depth squared (twice that while the evaluation improves).
constexpr int LATE_MOVE_MAX_DEPTH = 4;
constexpr int LATE_MOVE_BASE_COUNT = 3;

// Late-move reductions apply from this depth on; a quiet move's history
// takes a ply off the reduction per so many points.
constexpr int LATE_MOVE_REDUCTION_MIN_DEPTH = 3;
constexpr int LATE_MOVE_HISTORY_PER_PLY = 6000;

// A move that cuts a node gains this much history (quiet-move or capture
// history) per ply of depth, less the offset, up to the most; the moves
// tried before it lose as much.
constexpr int HISTORY_BONUS_PER_PLY = 200;
constexpr int HISTORY_BONUS_OFFSET = 100;
constexpr int HISTORY_BONUS_MOST = 3200;

// Futility: a quiet move is skipped when the static evaluation plus this
// margin cannot reach alpha.
constexpr int FUTILITY_MAX_DEPTH = 6;
constexpr int FUTILITY_BASE = 100;
constexpr int FUTILITY_PER_PLY = 90;

// Captures that lose more than this per ply of depth left are skipped.
constexpr int SEE_PRUNING_MAX_DEPTH = 3;
constexpr int SEE_PRUNING_PER_PLY = 100;

// Quiet moves whose exchange loses more than this per ply of depth left,
// squared, are skipped.
constexpr int QUIET_SEE_PRUNING_MAX_DEPTH = 8;
constexpr int QUIET_SEE_PRUNING_PER_PLY_SQUARED = 25;

// A capture or promotion counts as good, and is tried before the quiet
// moves, when its exchange gains at least this much.
constexpr int GOOD_CAPTURE_MIN_EXCHANGE = 0;

// Delta pruning in the captures-only search: a capture is skipped when even
// the victim plus this margin cannot lift the standing score to alpha.
constexpr int DELTA_MARGIN = 200;

// Correction history: each search not in check whose score says where the
// position stands against its static evaluation moves the entries for its
// pawns, for each side's other pieces and for the two moves before it that
// way, by a weight of depth + 1 (at most the maximum) out of the scale; each
// entry stays within the limit.
constexpr int CORRECTION_MAX_WEIGHT = 16;
constexpr int CORRECTION_WEIGHT_SCALE = 256;
constexpr int CORRECTION_LIMIT = 64;

// Singular extensions: from this depth on, a hash move whose stored lower
// bound is at most a few plies shallower is searched a ply deeper when
// every other move, searched to half the depth, falls short of the bound
// less a margin per ply. When even that reduced bound beats beta, several
// moves do and the node is cut; when the bound alone beats beta the hash
// move is searched a ply shallower instead.
constexpr int SINGULAR_MIN_DEPTH = 8;
constexpr int SINGULAR_TABLE_DEPTH_SLACK = 3;
constexpr int SINGULAR_MARGIN_PER_PLY = 2;
// A singular hash move at a node off the principal variation whose
// alternatives fall short by this much more is searched two plies deeper,
// at most this many times in one line.
constexpr int SINGULAR_DOUBLE_MARGIN = 20;
constexpr int SINGULAR_MOST_DOUBLE = 6;

// Principal-variation nodes without a table move are searched a ply
// shallower from this depth on (the table move comes from the next depth).
constexpr int NO_TABLE_MOVE_REDUCTION_DEPTH = 6;

}  // namespace chess
