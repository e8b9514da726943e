// The evaluation is a sum of terms, each a feature counted for White minus
// the same for Black, times the term's weight. A weight has a middle-game
// and an end-game part, blended by the material left on the board. Every
// weight lives in one table, kEvalWeights, indexed by the terms below, so
// that a tuner can fit them all to games and write the table again.
#pragma once

#include <cstdint>

namespace chess {

struct EvalWeight {
    int middle;
    int end;
};

// What an attack on the enemy king is made of. These are not scored one by
// one: each side's counts, times their weights, add up to one danger sum,
// and the sum scores through a curve (see the divisors below), so that many
// attackers, checks and holes together weigh more than each alone.
enum KingDangerFeature : int {
    DANGER_ZONE_ATTACK = 0,  // attack weight on the squares around the king
    DANGER_ATTACKERS,        // pieces attacking those squares
    DANGER_SAFE_CHECK,       // knight, bishop, rook, queen: safe checking squares
    DANGER_WEAK_SQUARE = DANGER_SAFE_CHECK + 4,  // beside the king, guarded by king or queen only
    DANGER_FLANK_ATTACK,                         // squares of the king's flank and camp we attack
    DANGER_OPEN_SHELTER,     // files at and beside the king without a defending pawn
    DANGER_KNIGHT_DEFENDER,  // a defending knight covers a square beside the king
    DANGER_NO_QUEEN,         // the attacker has no queen
    DANGER_BASE,             // always one: where the curve starts
    KING_DANGER_FEATURES,
};

// Where each group of terms starts in the table; a group is indexed by what
// its comment says.
enum EvalTerm : int {
    TERM_MATERIAL = 0,                                   // piece type
    TERM_PIECE_SQUARE = TERM_MATERIAL + 6,               // type * 64 + square, from White's side
    TERM_PASSED_PAWN = TERM_PIECE_SQUARE + 6 * 64,       // rank from the pawn's own side
    TERM_PASSER_FREE_PATH = TERM_PASSED_PAWN + 8,        // rank, when nothing stands in front
    TERM_PASSER_ENEMY_KING = TERM_PASSER_FREE_PATH + 8,  // rank; counted per square of
                                                         // distance to the stop square
    TERM_PASSER_OWN_KING = TERM_PASSER_ENEMY_KING + 8,   // the same for the own king
    TERM_ISOLATED_PAWN = TERM_PASSER_OWN_KING + 8,
    TERM_DOUBLED_PAWN = TERM_ISOLATED_PAWN + 1,          // a pawn with an own pawn in front
    TERM_THREATENED_BY_PAWN = TERM_DOUBLED_PAWN + 1,     // piece type
    TERM_KNIGHT_MOBILITY = TERM_THREATENED_BY_PAWN + 6,  // safe squares reached, 0-8
    TERM_BISHOP_MOBILITY = TERM_KNIGHT_MOBILITY + 9,     // 0-13
    TERM_ROOK_MOBILITY = TERM_BISHOP_MOBILITY + 14,      // 0-14
    TERM_QUEEN_MOBILITY = TERM_ROOK_MOBILITY + 15,       // 0-27
    TERM_ROOK_OPEN_FILE = TERM_QUEEN_MOBILITY + 28,      // no pawns on the file
    TERM_ROOK_SEMI_OPEN_FILE = TERM_ROOK_OPEN_FILE + 1,  // only enemy pawns
    TERM_KING_ATTACK = TERM_ROOK_SEMI_OPEN_FILE + 1,     // attack weight, capped
    TERM_SHELTER_CLOSE = TERM_KING_ATTACK + 32,          // per file beside a castled king
    TERM_SHELTER_FAR = TERM_SHELTER_CLOSE + 1,           // an own pawn farther up
    TERM_SHELTER_NONE = TERM_SHELTER_FAR + 1,            // no own pawn on the file
    TERM_BISHOP_PAIR = TERM_SHELTER_NONE + 1,
    TERM_TEMPO = TERM_BISHOP_PAIR + 1,               // the side to move
    TERM_CONNECTED_PAWN = TERM_TEMPO + 1,            // rank; defended by a pawn or beside one
    TERM_BACKWARD_PAWN = TERM_CONNECTED_PAWN + 8,    // no pawn beside or behind to back it,
                                                     // and its stop square under a pawn's attack
    TERM_KNIGHT_OUTPOST = TERM_BACKWARD_PAWN + 1,    // on the 4th to 6th rank, defended by a
    TERM_BISHOP_OUTPOST = TERM_KNIGHT_OUTPOST + 1,   // pawn, out of the enemy pawns' reach
    TERM_THREAT_BY_MINOR = TERM_BISHOP_OUTPOST + 1,  // type of the enemy piece attacked
    TERM_THREAT_BY_ROOK = TERM_THREAT_BY_MINOR + 6,  // the same
    TERM_SAFE_CHECK = TERM_THREAT_BY_ROOK + 6,       // type of the piece: squares it attacks
                                                     // and could check the enemy king from,
                                                     // free of own pieces and enemy attacks
    TERM_KING_ZONE_ATTACKER = TERM_SAFE_CHECK + 6,   // a piece attacking the enemy king's zone
    TERM_WEAK_KING_SQUARE = TERM_KING_ZONE_ATTACKER + 1,  // a square beside the enemy king
                                                          // we attack, defended by nothing but
                                                          // the king or the queen
    TERM_HANGING = TERM_WEAK_KING_SQUARE + 1,             // type of an enemy piece we attack and
                                                          // nothing defends
    TERM_THREAT_BY_KING = TERM_HANGING + 6,            // an undefended enemy piece our king attacks
    TERM_PAWN_PUSH_THREAT = TERM_THREAT_BY_KING + 1,   // an enemy piece a safe pawn push would
                                                       // attack
    TERM_ROOK_ON_SEVENTH = TERM_PAWN_PUSH_THREAT + 1,  // with the enemy king on its back rank
    TERM_QUEEN_ON_SEVENTH = TERM_ROOK_ON_SEVENTH + 1,  // or enemy pawns on their second
    TERM_PASSER_BLOCKED = TERM_QUEEN_ON_SEVENTH + 1,   // rank, when an enemy piece stands on
                                                       // the square in front
    TERM_MINOR_BEHIND_PAWN = TERM_PASSER_BLOCKED + 8,  // a knight or bishop with a pawn of
                                                       // either side just in front
    TERM_PAWN_STORM = TERM_MINOR_BEHIND_PAWN + 1,      // rank from the enemy pawn's own side: the
                                                       // enemy's most advanced pawn ahead of the
                                                       // king on its file and on each beside it
    TERM_BLOCKED_STORM = TERM_PAWN_STORM + 8,          // the same, with an own pawn just in front
    TERM_KING_SEMI_OPEN_FILE = TERM_BLOCKED_STORM + 8,   // no own pawn on the king's file
    TERM_KING_OPEN_FILE = TERM_KING_SEMI_OPEN_FILE + 1,  // no pawn at all there
    TERM_ROOK_BEHIND_PASSER = TERM_KING_OPEN_FILE + 1,   // an own rook behind an own passer
    TERM_ENEMY_ROOK_BEHIND_PASSER = TERM_ROOK_BEHIND_PASSER + 1,  // an enemy rook there
    TERM_BISHOP_PAWNS = TERM_ENEMY_ROOK_BEHIND_PASSER + 1,        // per bishop, own pawns on
                                                                  // squares of its colour
    TERM_KING_PROTECTOR = TERM_BISHOP_PAWNS + 1,          // knight, bishop: squares to the own king
    TERM_LONG_DIAGONAL_BISHOP = TERM_KING_PROTECTOR + 2,  // seeing both centre squares
                                                          // of a long diagonal past pawns
    TERM_SPACE = TERM_LONG_DIAGONAL_BISHOP + 1,           // a central square on the own 2nd to 4th
                                                          // rank, free of own pawns and enemy
                                                          // pawns' attacks
    TERM_SPACE_BEHIND = TERM_SPACE + 1,  // such a square up to three behind an own pawn
    TERM_KING_PAWN_DISTANCE = TERM_SPACE_BEHIND + 1,    // squares from the king to the nearest
                                                        // own pawn, 1-7
    TERM_PAWNLESS_FLANK = TERM_KING_PAWN_DISTANCE + 8,  // no pawns at all on the king's flank
    TERM_KING_DANGER = TERM_PAWNLESS_FLANK + 1,         // feature of the king danger sum
    EVAL_TERM_COUNT = TERM_KING_DANGER + KING_DANGER_FEATURES,
};

// A king danger sum d > 0 scores d * d / KING_DANGER_MIDDLE_DIVISOR in the
// middle game and, from its own end-game weights, d / KING_DANGER_END_DIVISOR
// in the end game, for the attacker; a sum at or below zero scores nothing.
// A sum beyond KING_DANGER_MOST, far past any real attack, counts as that.
constexpr int KING_DANGER_MIDDLE_DIVISOR = 4096;
constexpr int KING_DANGER_END_DIVISOR = 16;
constexpr int KING_DANGER_MOST = 12000;

// The king-attack weight counted is at most this.
constexpr int KING_ATTACK_STEPS = TERM_SHELTER_CLOSE - TERM_KING_ATTACK;

// The groups by name and extent, for the tuner's output.
struct EvalTermGroup {
    const char* name;
    int first;
    int count;
};

inline constexpr EvalTermGroup kEvalTermGroups[] = {
    {"material", TERM_MATERIAL, 6},
    {"piece-square", TERM_PIECE_SQUARE, 6 * 64},
    {"passed pawn", TERM_PASSED_PAWN, 8},
    {"passer with a free path", TERM_PASSER_FREE_PATH, 8},
    {"passer, per square to the enemy king", TERM_PASSER_ENEMY_KING, 8},
    {"passer, per square to the own king", TERM_PASSER_OWN_KING, 8},
    {"isolated pawn", TERM_ISOLATED_PAWN, 1},
    {"doubled pawn", TERM_DOUBLED_PAWN, 1},
    {"piece threatened by a pawn", TERM_THREATENED_BY_PAWN, 6},
    {"knight mobility", TERM_KNIGHT_MOBILITY, 9},
    {"bishop mobility", TERM_BISHOP_MOBILITY, 14},
    {"rook mobility", TERM_ROOK_MOBILITY, 15},
    {"queen mobility", TERM_QUEEN_MOBILITY, 28},
    {"rook on an open file", TERM_ROOK_OPEN_FILE, 1},
    {"rook on a semi-open file", TERM_ROOK_SEMI_OPEN_FILE, 1},
    {"king attack", TERM_KING_ATTACK, KING_ATTACK_STEPS},
    {"shelter pawn close", TERM_SHELTER_CLOSE, 1},
    {"shelter pawn far", TERM_SHELTER_FAR, 1},
    {"no shelter pawn", TERM_SHELTER_NONE, 1},
    {"bishop pair", TERM_BISHOP_PAIR, 1},
    {"tempo", TERM_TEMPO, 1},
    {"connected pawn", TERM_CONNECTED_PAWN, 8},
    {"backward pawn", TERM_BACKWARD_PAWN, 1},
    {"knight outpost", TERM_KNIGHT_OUTPOST, 1},
    {"bishop outpost", TERM_BISHOP_OUTPOST, 1},
    {"piece attacked by a knight or bishop", TERM_THREAT_BY_MINOR, 6},
    {"piece attacked by a rook", TERM_THREAT_BY_ROOK, 6},
    {"safe check", TERM_SAFE_CHECK, 6},
    {"king zone attacker", TERM_KING_ZONE_ATTACKER, 1},
    {"weak square beside the enemy king", TERM_WEAK_KING_SQUARE, 1},
    {"hanging piece", TERM_HANGING, 6},
    {"undefended piece attacked by the king", TERM_THREAT_BY_KING, 1},
    {"piece a safe pawn push would attack", TERM_PAWN_PUSH_THREAT, 1},
    {"rook on the seventh rank", TERM_ROOK_ON_SEVENTH, 1},
    {"queen on the seventh rank", TERM_QUEEN_ON_SEVENTH, 1},
    {"blocked passer", TERM_PASSER_BLOCKED, 8},
    {"minor piece behind a pawn", TERM_MINOR_BEHIND_PAWN, 1},
    {"pawn storm", TERM_PAWN_STORM, 8},
    {"blocked pawn storm", TERM_BLOCKED_STORM, 8},
    {"king on a semi-open file", TERM_KING_SEMI_OPEN_FILE, 1},
    {"king on an open file", TERM_KING_OPEN_FILE, 1},
    {"rook behind its passer", TERM_ROOK_BEHIND_PASSER, 1},
    {"enemy rook behind a passer", TERM_ENEMY_ROOK_BEHIND_PASSER, 1},
    {"bishop, per own pawn on its colour", TERM_BISHOP_PAWNS, 1},
    {"knight, bishop: per square to the own king", TERM_KING_PROTECTOR, 2},
    {"bishop on a long diagonal", TERM_LONG_DIAGONAL_BISHOP, 1},
    {"space", TERM_SPACE, 1},
    {"space behind the pawns", TERM_SPACE_BEHIND, 1},
    {"king to its nearest pawn", TERM_KING_PAWN_DISTANCE, 8},
    {"king on a flank without pawns", TERM_PAWNLESS_FLANK, 1},
    {"king danger: zone attack, attackers, safe checks (N, B, R, Q), weak squares, flank "
     "attacks, open shelter files, knight defender, no queen, base",
     TERM_KING_DANGER, KING_DANGER_FEATURES},
};

// How the evaluation of a board came about, for fitting the weights: the
// count of every term (White's minus Black's), the game phase, and what the
// special endings did to the blended sum. With the weights w,
//   middle = sum(count * w.middle) + curve of White's danger - curve of Black's
//   end = the same with w.end
//   blended = (middle * phase + end * (24 - phase)) / 24
//   White's score = blended * scale / 8 + offset
// rounded as integers are, which is what the evaluation returns (from the
// side to move's view).
struct EvalTrace {
    int16_t count[EVAL_TERM_COUNT] = {};  // zero for the king danger features
    // Each side's king danger features, for its attack on the other king;
    // the score adds the curve of White's sum and subtracts Black's.
    int16_t danger[2][KING_DANGER_FEATURES] = {};
    int phase = 0;
    int scale = 8;
    int offset = 0;
    bool insufficientMaterial = false;
};

}  // namespace chess
