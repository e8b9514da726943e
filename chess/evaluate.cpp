#include "chess/evaluate.h"

#include "chess/chess.h"
#include "chess/eval_weights.h"
#include "chess/pawn_cache.h"

namespace chess {

namespace {

// The material values the rules of thumb below use, which stay put however
// the weights are fitted.
constexpr int kPieceValue[PIECE_TYPES] = {100, 320, 330, 480, 950, 0};
constexpr int kPhaseWeight[PIECE_TYPES] = {0, 1, 1, 2, 4, 0};
constexpr int kFullPhase = 24;
// Weight of an attacker near the enemy king, by piece type.
constexpr int kKingAttackWeight[PIECE_TYPES] = {0, 2, 2, 3, 5, 0};
constexpr int kMobilityTerm[PIECE_TYPES] = {
    0, TERM_KNIGHT_MOBILITY, TERM_BISHOP_MOBILITY, TERM_ROOK_MOBILITY, TERM_QUEEN_MOBILITY, 0};
constexpr Bitboard kCentreFiles = FileMask(2) | FileMask(3) | FileMask(4) | FileMask(5);
// d4, e4, d5 and e5.
constexpr Bitboard kCentre = (FileMask(3) | FileMask(4)) & (RankMask(3) | RankMask(4));
// The files a king's pawns fight over, by the king's file: the queen's
// side, the centre or the king's side.
constexpr Bitboard kQueenSide = FileMask(0) | FileMask(1) | FileMask(2) | FileMask(3);
constexpr Bitboard kKingSide = FileMask(4) | FileMask(5) | FileMask(6) | FileMask(7);
constexpr Bitboard kKingFlank[8] = {kQueenSide,   kQueenSide, kQueenSide, kCentreFiles,
                                    kCentreFiles, kKingSide,  kKingSide,  kKingSide};

// What a side's king danger sum scores for it: nothing until the sum is
// positive, then the square of it in the middle game, where an attack mates
// or wins material, and linearly in the end game.
int KingDangerMiddle(int danger) {
    danger = danger < KING_DANGER_MOST ? danger : KING_DANGER_MOST;
    return danger > 0 ? danger * danger / KING_DANGER_MIDDLE_DIVISOR : 0;
}

int KingDangerEnd(int danger) {
    danger = danger < KING_DANGER_MOST ? danger : KING_DANGER_MOST;
    return danger > 0 ? danger / KING_DANGER_END_DIVISOR : 0;
}

// A middle- and end-game pair in one number, the end game times 2^32 plus
// the middle game, so that one multiplication and one addition count a term
// for both. Exact while each part stays within 32 bits, far beyond any sum
// of the weights.
using PackedWeight = int64_t;
constexpr int64_t kEndUnit = int64_t{1} << 32;

constexpr PackedWeight Pack(int middle, int end) { return end * kEndUnit + middle; }
constexpr int MiddleOf(PackedWeight both) {
    return static_cast<int32_t>(static_cast<uint32_t>(both));
}
constexpr int EndOf(PackedWeight both) {
    return static_cast<int>((both - MiddleOf(both)) / kEndUnit);
}

struct PackedWeights {
    PackedWeight weight[EVAL_TERM_COUNT] = {};
    constexpr PackedWeights() {
        for (int term = 0; term < EVAL_TERM_COUNT; ++term)
            weight[term] = Pack(kEvalWeights[term].middle, kEvalWeights[term].end);
    }
};

constexpr PackedWeights kPacked;

// The evaluation proper adds up the weights of the terms it meets...
struct WeightSum {
    PackedWeight both = 0;
    PackedWeight danger = 0;
    void Add(int term, int count = 1) { both += kPacked.weight[term] * count; }
    void AddDanger(int feature, int count = 1) {
        danger += kPacked.weight[TERM_KING_DANGER + feature] * count;
    }
    // Once every danger feature is in.
    void ScoreDanger() {
        both += Pack(KingDangerMiddle(MiddleOf(danger)), KingDangerEnd(EndOf(danger)));
    }
};

// ...and a trace counts the terms instead, Black's negatively, and each
// side's danger features apart.
struct TermCounter {
    EvalTrace& trace;
    int sign;
    void Add(int term, int count = 1) {
        trace.count[term] = static_cast<int16_t>(trace.count[term] + sign * count);
    }
    void AddDanger(int feature, int count = 1) {
        int16_t& danger = trace.danger[sign > 0 ? WHITE : BLACK][feature];
        danger = static_cast<int16_t>(danger + count);
    }
    void ScoreDanger() {}
};

// The squares one side's pieces attack, by piece type and all together,
// filled once per evaluation: mobility, threats and king safety read them.
struct AttackMap {
    Bitboard byType[PIECE_TYPES] = {};
    Bitboard all = 0;
    int kingAttackers = 0;  // pieces attacking the enemy king's zone
    void Add(int type, Bitboard attacks) {
        byType[type] |= attacks;
        all |= attacks;
    }
};

// Rank as seen from color's side: 0 is its back rank.
int RelativeRank(int color, int square) {
    return color == WHITE ? RankOf(square) : 7 - RankOf(square);
}

int Distance(int a, int b) {
    int df = FileOf(a) - FileOf(b), dr = RankOf(a) - RankOf(b);
    df = df < 0 ? -df : df;
    dr = dr < 0 ? -dr : dr;
    return df > dr ? df : dr;
}

// The squares at most d king steps from a square, by square and d.
struct SquaresWithin {
    Bitboard within[64][8];
    SquaresWithin() {
        for (int from = 0; from < 64; ++from)
            for (int d = 0; d < 8; ++d) {
                within[from][d] = 0;
                for (int to = 0; to < 64; ++to)
                    if (Distance(from, to) <= d) within[from][d] |= Bit(to);
            }
    }
};

const SquaresWithin kSquaresWithin;

Bitboard AdjacentFiles(int file) {
    return (file > 0 ? FileMask(file - 1) : 0) | (file < 7 ? FileMask(file + 1) : 0);
}

// The squares in front of square from color's side, on its own file.
Bitboard FrontSpan(int color, int square) { return Ray(color == WHITE ? NORTH : SOUTH, square); }

// The ranks behind square and its own, from color's side.
Bitboard RanksUpTo(int color, int square) {
    int rank = RankOf(square);
    return color == WHITE ? (rank == 7 ? ~Bitboard{0} : (Bitboard{1} << (8 * rank + 8)) - 1)
                          : ~((Bitboard{1} << (8 * rank)) - 1);
}

// The squares ahead of square on the files beside it, from color's side:
// where enemy pawns could one day attack it from.
Bitboard AdjacentFrontSpans(int color, int square) {
    int file = FileOf(square);
    return (file > 0 ? FrontSpan(color, square - 1) : 0) |
           (file < 7 ? FrontSpan(color, square + 1) : 0);
}

// Every square one rank forward from color's side (off the board is dropped).
Bitboard PushForward(int color, Bitboard squares) {
    return color == WHITE ? squares << 8 : squares >> 8;
}

// The map with what the pawns and the king attack; the pieces come later.
AttackMap PawnAndKingAttacks(const Board& board, int color) {
    AttackMap map;
    map.Add(PAWN, PawnAttackSpan(color, board.pieces[color][PAWN]));
    map.Add(KING, KingAttacks(KingSquare(board, color)));
    return map;
}

// The pieces' material and squares; the pawns' go with their structure.
template <class Out>
void EvaluateMaterial(const Board& board, int us, Out& out) {
    for (int type = KNIGHT; type <= KING; ++type) {
        Bitboard pieces = board.pieces[us][type];
        out.Add(TERM_MATERIAL + type, PopCount(pieces));
        while (pieces) {
            int sq = PopLowest(pieces);
            out.Add(TERM_PIECE_SQUARE + type * 64 + (us == WHITE ? sq : sq ^ 56));
        }
    }
    if (PopCount(board.pieces[us][BISHOP]) >= 2) out.Add(TERM_BISHOP_PAIR);
}

// Room for the pieces behind the pawns: central squares on our second to
// fourth ranks that no own pawn holds and no enemy pawn attacks, and those
// of them up to three squares behind an own pawn, where pieces stand safe.
template <class Out>
void EvaluateSpace(int us, Bitboard ours, Bitboard theirAttacks, Out& out) {
    Bitboard ownRanks = us == WHITE ? RankMask(1) | RankMask(2) | RankMask(3)
                                    : RankMask(4) | RankMask(5) | RankMask(6);
    Bitboard space = kCentreFiles & ownRanks & ~ours & ~theirAttacks;
    Bitboard behind = us == WHITE ? (ours >> 8) | (ours >> 16) | (ours >> 24)
                                  : (ours << 8) | (ours << 16) | (ours << 24);
    if (space) out.Add(TERM_SPACE, PopCount(space));
    if (space & behind) out.Add(TERM_SPACE_BEHIND, PopCount(space & behind));
}

// The terms of us's pawns that depend on the pawns alone: their material,
// their squares, their structure and the space behind them. ourAttacks and
// theirAttacks are the squares each side's pawns attack. Gives back us's
// passed pawns.
template <class Out>
Bitboard EvaluatePawnStructure(const Board& board, int us, Bitboard ourAttacks,
                               Bitboard theirAttacks, Out& out) {
    Bitboard ours = board.pieces[us][PAWN], theirs = board.pieces[us ^ 1][PAWN];
    Bitboard passed = 0;
    out.Add(TERM_MATERIAL + PAWN, PopCount(ours));
    Bitboard pawns = ours;
    while (pawns) {
        int sq = PopLowest(pawns);
        out.Add(TERM_PIECE_SQUARE + PAWN * 64 + (us == WHITE ? sq : sq ^ 56));
        int file = FileOf(sq), rank = RelativeRank(us, sq);
        int stop = us == WHITE ? sq + 8 : sq - 8;
        Bitboard front = FrontSpan(us, sq);
        Bitboard neighbours = AdjacentFiles(file) & ours;
        if (!neighbours) out.Add(TERM_ISOLATED_PAWN);
        if (front & ours) out.Add(TERM_DOUBLED_PAWN);
        if ((Bit(sq) & ourAttacks) || (neighbours & RankMask(RankOf(sq))))
            out.Add(TERM_CONNECTED_PAWN + rank);
        else if (neighbours && !(neighbours & RanksUpTo(us, sq)) && (Bit(stop) & theirAttacks))
            out.Add(TERM_BACKWARD_PAWN);
        if (!((front | AdjacentFrontSpans(us, sq)) & theirs)) {
            passed |= Bit(sq);
            out.Add(TERM_PASSED_PAWN + rank);
        }
    }
    EvaluateSpace(us, ours, theirAttacks, out);
    return passed;
}

// Both sides' pawn structure, White's terms into white and Black's into
// black; gives back both sides' passed pawns.
template <class Out>
Bitboard EvaluatePawnStructures(const Board& board, const AttackMap attacks[2], Out& white,
                                Out& black) {
    Bitboard whiteAttacks = attacks[WHITE].byType[PAWN], blackAttacks = attacks[BLACK].byType[PAWN];
    return EvaluatePawnStructure(board, WHITE, whiteAttacks, blackAttacks, white) |
           EvaluatePawnStructure(board, BLACK, blackAttacks, whiteAttacks, black);
}

// What else us's passed pawns are worth, which depends on the kings and the
// pieces: how far each king is from the square in front, and whether the
// path is free or blocked.
template <class Out>
void EvaluatePassers(const Board& board, int us, Bitboard passed, Out& out) {
    int ownKing = KingSquare(board, us), theirKing = KingSquare(board, us ^ 1);
    while (passed) {
        int sq = PopLowest(passed);
        int rank = RelativeRank(us, sq);
        int stop = us == WHITE ? sq + 8 : sq - 8;
        // In the end game a passer is worth more the farther the enemy king.
        out.Add(TERM_PASSER_ENEMY_KING + rank, Distance(theirKing, stop));
        out.Add(TERM_PASSER_OWN_KING + rank, Distance(ownKing, stop));
        if (!(FrontSpan(us, sq) & board.occupied)) out.Add(TERM_PASSER_FREE_PATH + rank);
        // A blockader on the stop square holds the pawn back where it stands.
        if (Bit(stop) & board.colors[us ^ 1]) out.Add(TERM_PASSER_BLOCKED + rank);
        // A rook behind a passer keeps its reach as the pawn advances:
        // ours pushes it on, the enemy's holds it back.
        Bitboard behind = RayAttacks(us == WHITE ? SOUTH : NORTH, sq, board.occupied);
        if (behind & board.pieces[us][ROOK]) out.Add(TERM_ROOK_BEHIND_PASSER);
        if (behind & board.pieces[us ^ 1][ROOK]) out.Add(TERM_ENEMY_ROOK_BEHIND_PASSER);
    }
}

// The enemy's knights, bishops, rooks and queens that attacks reach, by type.
template <class Out>
void AddThreats(const Board& board, int them, Bitboard attacks, int firstTerm, Out& out) {
    // Most pieces attack none: one test spares the four below.
    if (!(attacks & board.colors[them] & ~board.pieces[them][PAWN] & ~board.pieces[them][KING]))
        return;
    for (int type = KNIGHT; type <= QUEEN; ++type)
        if (Bitboard hit = attacks & board.pieces[them][type])
            out.Add(firstTerm + type, PopCount(hit));
}

// A square in the enemy's half, guarded by an own pawn, that no enemy pawn
// can ever attack: a knight or bishop there cannot be driven away.
bool IsOutpost(int us, int sq, Bitboard ownPawnGuard, Bitboard theirPawns) {
    int rank = RelativeRank(us, sq);
    return rank >= 3 && rank <= 5 && (Bit(sq) & ownPawnGuard) &&
           !(AdjacentFrontSpans(us, sq) & theirPawns);
}

// A rook or queen on the enemy's second rank, where it cuts the king off on
// its back rank or eats the pawns that have not moved.
bool OnSeventh(const Board& board, int us, int sq) {
    int them = us ^ 1;
    return RelativeRank(us, sq) == 6 && (RelativeRank(us, KingSquare(board, them)) == 7 ||
                                         (board.pieces[them][PAWN] & RankMask(RankOf(sq))));
}

// Mobility, threats, outposts, rooks on open files and the pressure on the
// enemy king; what the pieces attack goes into ours, whose pawns' and
// king's attacks are there already.
template <class Out>
void EvaluatePieces(const Board& board, int us, Bitboard pawnThreats, AttackMap& ours, Out& out) {
    int them = us ^ 1;
    Bitboard occupied = board.occupied;
    Bitboard ownPawns = board.pieces[us][PAWN], theirPawns = board.pieces[them][PAWN];
    Bitboard ownPawnGuard = ours.byType[PAWN];
    Bitboard safe = ~board.colors[us] & ~pawnThreats;
    int ownKing = KingSquare(board, us), theirKing = KingSquare(board, them);
    Bitboard kingZone = KingAttacks(theirKing) | Bit(theirKing);
    int attackers = 0, attackWeight = 0;

    for (int type = KNIGHT; type <= QUEEN; ++type) {
        Bitboard pieces = board.pieces[us][type];
        while (pieces) {
            int sq = PopLowest(pieces);
            Bitboard attacks = type == KNIGHT   ? KnightAttacks(sq)
                               : type == BISHOP ? BishopAttacks(sq, occupied)
                               : type == ROOK
                                   ? RookAttacks(sq, occupied)
                                   : BishopAttacks(sq, occupied) | RookAttacks(sq, occupied);
            ours.Add(type, attacks);
            out.Add(kMobilityTerm[type] + PopCount(attacks & safe));
            // A piece that a pawn attacks must move or be lost.
            if (Bit(sq) & pawnThreats) out.Add(TERM_THREATENED_BY_PAWN + type);
            if (type == BISHOP) {
                Bitboard sameColour = Bit(sq) & LIGHT_SQUARES ? LIGHT_SQUARES : ~LIGHT_SQUARES;
                if (Bitboard sameColourPawns = ownPawns & sameColour)
                    out.Add(TERM_BISHOP_PAWNS, PopCount(sameColourPawns));
                if (PopCount(BishopAttacks(sq, ownPawns | theirPawns) & kCentre) > 1)
                    out.Add(TERM_LONG_DIAGONAL_BISHOP);
            }
            if (type <= BISHOP) {
                out.Add(TERM_KING_PROTECTOR + type - KNIGHT, Distance(sq, ownKing));
                if (IsOutpost(us, sq, ownPawnGuard, theirPawns))
                    out.Add(type == KNIGHT ? TERM_KNIGHT_OUTPOST : TERM_BISHOP_OUTPOST);
                AddThreats(board, them, attacks, TERM_THREAT_BY_MINOR, out);
            } else if (type == ROOK) {
                AddThreats(board, them, attacks, TERM_THREAT_BY_ROOK, out);
                Bitboard file = FileMask(FileOf(sq));
                if (!(file & ownPawns))
                    out.Add(file & theirPawns ? TERM_ROOK_SEMI_OPEN_FILE : TERM_ROOK_OPEN_FILE);
            }
            if (type >= ROOK && OnSeventh(board, us, sq))
                out.Add(type == ROOK ? TERM_ROOK_ON_SEVENTH : TERM_QUEEN_ON_SEVENTH);
            if (Bitboard nearKing = attacks & kingZone) {
                ++attackers;
                attackWeight += kKingAttackWeight[type] * PopCount(nearKing);
            }
        }
    }
    // A pawn just in front shields a knight or bishop from attacks along
    // the file and keeps enemy rooks off it.
    Bitboard shielded = (board.pieces[us][KNIGHT] | board.pieces[us][BISHOP]) &
                        PushForward(them, ownPawns | theirPawns);
    if (shielded) out.Add(TERM_MINOR_BEHIND_PAWN, PopCount(shielded));
    ours.kingAttackers = attackers;
    if (attackers) {
        out.Add(TERM_KING_ZONE_ATTACKER, attackers);
        out.AddDanger(DANGER_ATTACKERS, attackers);
        out.AddDanger(DANGER_ZONE_ATTACK, attackWeight);
    }
    if (attackers >= 2)
        out.Add(TERM_KING_ATTACK +
                (attackWeight < KING_ATTACK_STEPS ? attackWeight : KING_ATTACK_STEPS - 1));
}

// The files at and beside the king's with no pawn of its own in front of
// it: lines the attack can open onto the king.
int OpenShelterFiles(const Board& board, int color, int king) {
    Bitboard shelter = board.pieces[color][PAWN] & ~RanksUpTo(color, king);
    // Every file with such a pawn, marked on the first rank.
    shelter |= shelter >> 32;
    shelter |= shelter >> 16;
    shelter |= shelter >> 8;
    Bitboard files = (Bitboard{7} << FileOf(king) >> 1) & RANK_1;
    return PopCount(files & ~shelter);
}

// The danger sum of an attack on the enemy king's zone: the attack itself
// (counted with the pieces), the safe checks and weak squares by its side,
// how much of the king's flank we attack, its open files and defenders.
template <class Out>
void ScoreKingDanger(const Board& board, int us, const AttackMap& ours, const AttackMap& theirs,
                     const int safeChecks[PIECE_TYPES], int weakSquares, Out& out) {
    int them = us ^ 1;
    int king = KingSquare(board, them);
    for (int type = KNIGHT; type <= QUEEN; ++type)
        if (safeChecks[type]) out.AddDanger(DANGER_SAFE_CHECK + type - KNIGHT, safeChecks[type]);
    if (weakSquares) out.AddDanger(DANGER_WEAK_SQUARE, weakSquares);
    // The enemy's camp is its first five ranks.
    Bitboard camp = them == WHITE ? ~Bitboard{0} >> 24 : ~Bitboard{0} << 24;
    if (Bitboard flank = ours.all & camp & kKingFlank[FileOf(king)])
        out.AddDanger(DANGER_FLANK_ATTACK, PopCount(flank));
    if (int open = OpenShelterFiles(board, them, king)) out.AddDanger(DANGER_OPEN_SHELTER, open);
    if (KingAttacks(king) & theirs.byType[KNIGHT]) out.AddDanger(DANGER_KNIGHT_DEFENDER);
    if (!board.pieces[us][QUEEN]) out.AddDanger(DANGER_NO_QUEEN);
    out.AddDanger(DANGER_BASE);
    out.ScoreDanger();
}

// How open the enemy king is to what we attack: the checks our pieces can
// give on squares the enemy does not guard, and the squares beside the
// king that we attack and only the king or the queen defends; then, if a
// piece of ours attacks the king's zone, the danger sum.
template <class Out>
void EvaluateKingDanger(const Board& board, int us, const AttackMap& ours, const AttackMap& theirs,
                        Out& out) {
    int them = us ^ 1;
    int king = KingSquare(board, them);
    Bitboard safe = ~board.colors[us] & ~theirs.all;
    // A piece checks from where the king, moving like it, would attack it.
    Bitboard bishopChecks = BishopAttacks(king, board.occupied);
    Bitboard rookChecks = RookAttacks(king, board.occupied);
    Bitboard checks[PIECE_TYPES] = {0,          KnightAttacks(king),       bishopChecks,
                                    rookChecks, bishopChecks | rookChecks, 0};
    int safeChecks[PIECE_TYPES] = {};
    for (int type = KNIGHT; type <= QUEEN; ++type)
        if (Bitboard squares = checks[type] & ours.byType[type] & safe) {
            safeChecks[type] = PopCount(squares);
            out.Add(TERM_SAFE_CHECK + type, safeChecks[type]);
        }
    // Guards that can take an attacker on the square without leaving the
    // king or giving up the queen.
    Bitboard firmGuard =
        theirs.byType[PAWN] | theirs.byType[KNIGHT] | theirs.byType[BISHOP] | theirs.byType[ROOK];
    Bitboard weak = KingAttacks(king) & ours.all & ~firmGuard;
    int weakSquares = PopCount(weak);
    if (weakSquares) out.Add(TERM_WEAK_KING_SQUARE, weakSquares);
    if (ours.kingAttackers) ScoreKingDanger(board, us, ours, theirs, safeChecks, weakSquares, out);
}

// Enemy pieces we attack that nothing defends, those our king attacks, and
// those a pawn of ours could attack next move by stepping to a square where
// it is not lost.
template <class Out>
void EvaluateThreats(const Board& board, int us, const AttackMap& ours, const AttackMap& theirs,
                     Out& out) {
    int them = us ^ 1;
    Bitboard undefended = board.colors[them] & ~board.pieces[them][KING] & ~theirs.all;
    for (Bitboard hanging = undefended & ours.all; hanging; hanging &= hanging - 1)
        out.Add(TERM_HANGING + TypeOfPiece(board.squares[LowestSquare(hanging)]));
    if (Bitboard byKing = undefended & ours.byType[KING])
        out.Add(TERM_THREAT_BY_KING, PopCount(byKing));

    // Single steps, and double steps through the third rank; a pawn is not
    // lost where no enemy pawn attacks it and we defend it or the enemy
    // does not attack it at all.
    Bitboard empty = ~board.occupied;
    Bitboard pushes = PushForward(us, board.pieces[us][PAWN]) & empty;
    Bitboard thirdRank = RankMask(us == WHITE ? 2 : 5);
    pushes |= PushForward(us, pushes & thirdRank) & empty;
    pushes &= ~theirs.byType[PAWN] & (ours.all | ~theirs.all);
    Bitboard targets = board.colors[them] & ~board.pieces[them][PAWN] & ~board.pieces[them][KING] &
                       ~ours.byType[PAWN];
    if (Bitboard pushThreats = PawnAttackSpan(us, pushes) & targets)
        out.Add(TERM_PAWN_PUSH_THREAT, PopCount(pushThreats));
}

// The pawns around the king: own pawns in front of a castled king, the
// enemy's most advanced pawn ahead of the king on its file and each beside
// it, whether the king's file has no own pawn, or none at all, and whether
// its flank has none; and how far the king is from its nearest pawn.
template <class Out>
void EvaluateShelter(const Board& board, int us, Out& out) {
    int them = us ^ 1;
    int king = KingSquare(board, us);
    Bitboard ownPawns = board.pieces[us][PAWN], theirPawns = board.pieces[them][PAWN];
    int file = FileOf(king);
    if (!((ownPawns | theirPawns) & kKingFlank[file])) out.Add(TERM_PAWNLESS_FLANK);
    // In the end game the king has to reach its pawns to guard them. The
    // squares within 7 steps are the whole board, so the loop ends.
    if (ownPawns) {
        int nearest = 1;
        while (!(ownPawns & kSquaresWithin.within[king][nearest])) ++nearest;
        out.Add(TERM_KING_PAWN_DISTANCE + nearest);
    }
    if (!(ownPawns & FileMask(file)))
        out.Add(theirPawns & FileMask(file) ? TERM_KING_SEMI_OPEN_FILE : TERM_KING_OPEN_FILE);
    bool castled = RelativeRank(us, king) <= 1;
    Bitboard ahead = ~RanksUpTo(us, king);
    for (int f = file > 0 ? file - 1 : 0; f <= (file < 7 ? file + 1 : 7); ++f) {
        Bitboard pawnsOnFile = ownPawns & FileMask(f);
        if (castled) {
            Bitboard close =
                pawnsOnFile & (RankMask(us == WHITE ? 1 : 6) | RankMask(us == WHITE ? 2 : 5));
            out.Add(close         ? TERM_SHELTER_CLOSE
                    : pawnsOnFile ? TERM_SHELTER_FAR
                                  : TERM_SHELTER_NONE);
        }
        if (Bitboard stormers = theirPawns & FileMask(f) & ahead) {
            int pawn = us == WHITE ? LowestSquare(stormers) : HighestSquare(stormers);
            int front = us == WHITE ? pawn - 8 : pawn + 8;
            int rank = RelativeRank(them, pawn);
            out.Add((Bit(front) & ownPawns ? TERM_BLOCKED_STORM : TERM_PAWN_STORM) + rank);
        }
    }
}

template <class Out>
void EvaluateSide(const Board& board, int us, Bitboard pawnThreats, Bitboard passed,
                  AttackMap& ours, Out& out) {
    EvaluateMaterial(board, us, out);
    EvaluatePassers(board, us, passed & board.pieces[us][PAWN], out);
    EvaluatePieces(board, us, pawnThreats, ours, out);
    EvaluateShelter(board, us, out);
    if (board.side == us) out.Add(TERM_TEMPO);
}

// Both sides' terms but the pawn structure's, White's into white and
// Black's into black, given both sides' passed pawns and the attack maps
// with the pawns' and kings' attacks: the pieces of both must have been
// through before the threats and the king danger, which need to know what
// either side attacks. Each side is called for by its colour, which the
// compiler then knows.
template <class Out>
void EvaluateSides(const Board& board, AttackMap attacks[2], Bitboard passed, Out& white,
                   Out& black) {
    EvaluateSide(board, WHITE, attacks[BLACK].byType[PAWN], passed, attacks[WHITE], white);
    EvaluateSide(board, BLACK, attacks[WHITE].byType[PAWN], passed, attacks[BLACK], black);
    EvaluateThreats(board, WHITE, attacks[WHITE], attacks[BLACK], white);
    EvaluateThreats(board, BLACK, attacks[BLACK], attacks[WHITE], black);
    EvaluateKingDanger(board, WHITE, attacks[WHITE], attacks[BLACK], white);
    EvaluateKingDanger(board, BLACK, attacks[BLACK], attacks[WHITE], black);
}

int Phase(const Board& board) {
    int phase = 0;
    for (int type = KNIGHT; type <= QUEEN; ++type)
        phase +=
            kPhaseWeight[type] * PopCount(board.pieces[WHITE][type] | board.pieces[BLACK][type]);
    return phase < kFullPhase ? phase : kFullPhase;
}

int Blend(int middle, int end, int phase) {
    return (middle * phase + end * (kFullPhase - phase)) / kFullPhase;
}

// In a won ending without enemy pieces: drive the lone king to the edge and
// bring our own king close, which is what mating it takes.
int MopUp(const Board& board, int strong) {
    int weakKing = KingSquare(board, strong ^ 1), strongKing = KingSquare(board, strong);
    int file = FileOf(weakKing), rank = RankOf(weakKing);
    int centreDistance = (file < 4 ? 3 - file : file - 4) + (rank < 4 ? 3 - rank : rank - 4);
    int kingsApart = Distance(weakKing, strongKing);
    return 200 + 20 * centreDistance + 12 * (7 - kingsApart);
}

// Bishops that stand on squares of both colours, as a bishop pair needs to mate.
bool BishopsOnBothColours(Bitboard bishops) {
    return (bishops & LIGHT_SQUARES) && (bishops & ~LIGHT_SQUARES);
}

// Each side has one bishop, the two on squares of different colours, and
// no other piece: the defender's bishop holds what the other cannot touch,
// and most such endings are drawn even a pawn or two down.
bool OppositeBishopsOnly(const Board& board) {
    Bitboard white = board.pieces[WHITE][BISHOP], black = board.pieces[BLACK][BISHOP];
    Bitboard others = board.occupied & ~white & ~black & ~board.pieces[WHITE][PAWN] &
                      ~board.pieces[BLACK][PAWN] & ~board.pieces[WHITE][KING] &
                      ~board.pieces[BLACK][KING];
    return !others && PopCount(white) == 1 && PopCount(black) == 1 &&
           !(white & LIGHT_SQUARES) != !(black & LIGHT_SQUARES);
}

// Enough to mate a bare king without pawns.
bool CanForceMate(const Board& board, int color) {
    const Bitboard* p = board.pieces[color];
    return p[QUEEN] || p[ROOK] || p[PAWN] || BishopsOnBothColours(p[BISHOP]) ||
           (p[BISHOP] && p[KNIGHT]);
}

int NonPawnMaterial(const Board& board, int color) {
    int material = 0;
    for (int type = KNIGHT; type <= QUEEN; ++type)
        material += kPieceValue[type] * PopCount(board.pieces[color][type]);
    return material;
}

// What some endings make of a blended score (White's view): a lone king
// gets mated; a small edge without pawns is a draw, and bishops of opposite
// colours alone halve an edge with them.
struct EndingAdjustment {
    int scale = 8;  // eighths
    int offset = 0;
};

EndingAdjustment AdjustEnding(const Board& board, int blended) {
    EndingAdjustment adjustment;
    int strong = blended > 0 ? WHITE : BLACK, weak = strong ^ 1;
    if (!board.pieces[strong][PAWN]) {
        int edge = NonPawnMaterial(board, strong) - NonPawnMaterial(board, weak);
        bool onlyKnights =
            board.colors[strong] == (board.pieces[strong][KNIGHT] | board.pieces[strong][KING]);
        if (edge < 400 || onlyKnights) adjustment.scale = 1;
    } else if (OppositeBishopsOnly(board)) {
        adjustment.scale = 4;
    }
    if (board.colors[weak] == board.pieces[weak][KING] && CanForceMate(board, strong)) {
        int bonus = MopUp(board, strong);
        adjustment.offset = strong == WHITE ? bonus : -bonus;
    }
    return adjustment;
}

int Adjusted(int blended, const EndingAdjustment& adjustment) {
    return blended * adjustment.scale / 8 + adjustment.offset;
}

// What the pawn structure of board scores, for the pawn cache.
PawnEntry ScorePawns(const Board& board, const AttackMap attacks[2]) {
    WeightSum white, black;
    PawnEntry entry;
    entry.key = board.pawnKey;
    entry.passed = EvaluatePawnStructures(board, attacks, white, black);
    entry.middle = MiddleOf(white.both - black.both);
    entry.end = EndOf(white.both - black.both);
    return entry;
}

// The evaluation of a board with enough material to mate, given what its
// pawn structure scores and the attack maps with the pawns' and kings'
// attacks.
int EvaluateWithPawns(const Board& board, AttackMap attacks[2], const PawnEntry& pawns) {
    WeightSum side[2];
    side[WHITE].both = Pack(pawns.middle, pawns.end);
    EvaluateSides(board, attacks, pawns.passed, side[WHITE], side[BLACK]);
    PackedWeight both = side[WHITE].both - side[BLACK].both;
    int blended = Blend(MiddleOf(both), EndOf(both), Phase(board));
    int score = Adjusted(blended, AdjustEnding(board, blended));
    return board.side == WHITE ? score : -score;
}

}  // namespace

int PieceValue(int type) { return kPieceValue[type]; }

bool IsInsufficientMaterial(const Board& board) {
    const auto& p = board.pieces;
    if (p[WHITE][PAWN] | p[BLACK][PAWN] | p[WHITE][ROOK] | p[BLACK][ROOK] | p[WHITE][QUEEN] |
        p[BLACK][QUEEN])
        return false;
    Bitboard knights = p[WHITE][KNIGHT] | p[BLACK][KNIGHT];
    Bitboard bishops = p[WHITE][BISHOP] | p[BLACK][BISHOP];
    // A king checked by bishops of one colour stands on that colour; its
    // neighbours along ranks and files are of the other colour, which no
    // bishop covers and the enemy king cannot cover all at once: no mate.
    return PopCount(knights | bishops) <= 1 || (!knights && !BishopsOnBothColours(bishops));
}

int EvaluateBoard(const Board& board) {
    if (IsInsufficientMaterial(board)) return 0;
    AttackMap attacks[2] = {PawnAndKingAttacks(board, WHITE), PawnAndKingAttacks(board, BLACK)};
    return EvaluateWithPawns(board, attacks, ScorePawns(board, attacks));
}

int EvaluateBoard(const Board& board, PawnCache& cache) {
    if (IsInsufficientMaterial(board)) return 0;
    AttackMap attacks[2] = {PawnAndKingAttacks(board, WHITE), PawnAndKingAttacks(board, BLACK)};
    PawnEntry& pawns = PawnSlot(cache, board.pawnKey);
    if (pawns.key != board.pawnKey) pawns = ScorePawns(board, attacks);
    return EvaluateWithPawns(board, attacks, pawns);
}

EvalTrace TraceEvaluation(const Board& board) {
    EvalTrace trace;
    if ((trace.insufficientMaterial = IsInsufficientMaterial(board))) return trace;
    TermCounter white{trace, 1}, black{trace, -1};
    AttackMap attacks[2] = {PawnAndKingAttacks(board, WHITE), PawnAndKingAttacks(board, BLACK)};
    Bitboard passed = EvaluatePawnStructures(board, attacks, white, black);
    EvaluateSides(board, attacks, passed, white, black);
    trace.phase = Phase(board);
    EndingAdjustment adjustment = AdjustEnding(board, BlendedScore(trace, kEvalWeights));
    trace.scale = adjustment.scale;
    trace.offset = adjustment.offset;
    return trace;
}

int BlendedScore(const EvalTrace& trace, const EvalWeight* weights) {
    int middle = 0, end = 0;
    for (int term = 0; term < EVAL_TERM_COUNT; ++term) {
        middle += trace.count[term] * weights[term].middle;
        end += trace.count[term] * weights[term].end;
    }
    for (int color = WHITE; color <= BLACK; ++color) {
        int dangerMiddle = 0, dangerEnd = 0;
        for (int feature = 0; feature < KING_DANGER_FEATURES; ++feature) {
            dangerMiddle +=
                trace.danger[color][feature] * weights[TERM_KING_DANGER + feature].middle;
            dangerEnd += trace.danger[color][feature] * weights[TERM_KING_DANGER + feature].end;
        }
        int sign = color == WHITE ? 1 : -1;
        middle += sign * KingDangerMiddle(dangerMiddle);
        end += sign * KingDangerEnd(dangerEnd);
    }
    return Blend(middle, end, trace.phase);
}

int TracedScore(const EvalTrace& trace, const EvalWeight* weights) {
    if (trace.insufficientMaterial) return 0;
    return Adjusted(BlendedScore(trace, weights), {trace.scale, trace.offset});
}

int Evaluate(const Game& game) { return EvaluateBoard(game.board); }

}  // namespace chess
