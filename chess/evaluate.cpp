#include "chess/evaluate.h"

#include "chess/chess.h"
#include "chess/piece_square.h"

namespace chess {

namespace {

struct Score {
    int middle = 0;
    int end = 0;
    void Add(int m, int e) {
        middle += m;
        end += e;
    }
};

constexpr int kValueMiddle[PIECE_TYPES] = {100, 320, 330, 480, 950, 0};
constexpr int kValueEnd[PIECE_TYPES] = {120, 300, 320, 540, 1000, 0};
constexpr int kPhaseWeight[PIECE_TYPES] = {0, 1, 1, 2, 4, 0};
constexpr int kFullPhase = 24;

constexpr int kPassedMiddle[8] = {0, 5, 10, 15, 25, 40, 60, 0};
constexpr int kPassedEnd[8] = {0, 10, 18, 30, 50, 80, 120, 0};
// Weight of an attacker near the enemy king, by piece type.
constexpr int kKingAttackWeight[PIECE_TYPES] = {0, 2, 2, 3, 5, 0};

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

Bitboard AdjacentFiles(int file) {
    return (file > 0 ? FileMask(file - 1) : 0) | (file < 7 ? FileMask(file + 1) : 0);
}

// The squares in front of square from color's side, on its own file.
Bitboard FrontSpan(int color, int square) { return Ray(color == WHITE ? NORTH : SOUTH, square); }

Bitboard PawnAttackSpan(int color, Bitboard pawns) {
    return color == WHITE ? ((pawns << 9) & ~FILE_A) | ((pawns << 7) & ~FileMask(7))
                          : ((pawns >> 7) & ~FILE_A) | ((pawns >> 9) & ~FileMask(7));
}

void EvaluatePawns(const Board& board, int us, Score& score) {
    Bitboard ours = board.pieces[us][PAWN], theirs = board.pieces[us ^ 1][PAWN];
    int ownKing = KingSquare(board, us), theirKing = KingSquare(board, us ^ 1);
    Bitboard pawns = ours;
    while (pawns) {
        int sq = PopLowest(pawns);
        int file = FileOf(sq), rank = RelativeRank(us, sq);
        Bitboard front = FrontSpan(us, sq);
        Bitboard frontAndSides = front;
        if (file > 0) frontAndSides |= FrontSpan(us, sq - 1);
        if (file < 7) frontAndSides |= FrontSpan(us, sq + 1);
        if (!(AdjacentFiles(file) & ours)) score.Add(-10, -15);
        if (front & ours) score.Add(-10, -20);
        if (!(frontAndSides & theirs)) {
            score.Add(kPassedMiddle[rank], kPassedEnd[rank]);
            // In the end game a passer is worth more the farther the enemy king.
            int stop = us == WHITE ? sq + 8 : sq - 8;
            score.Add(0, (Distance(theirKing, stop) * 5 - Distance(ownKing, stop) * 2) * rank / 2);
            if (!(front & board.occupied)) score.Add(0, rank * 3);
        }
    }
}

// Mobility, threats from pawns, rooks on open files and the pressure on the
// enemy king.
void EvaluatePieces(const Board& board, int us, Score& score) {
    int them = us ^ 1;
    Bitboard occupied = board.occupied;
    Bitboard ownPawns = board.pieces[us][PAWN], theirPawns = board.pieces[them][PAWN];
    Bitboard pawnThreats = PawnAttackSpan(them, theirPawns);
    Bitboard safe = ~board.colors[us] & ~pawnThreats;
    int theirKing = KingSquare(board, them);
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
            int mobility = PopCount(attacks & safe);
            // A piece that a pawn attacks must move or be lost.
            if (Bit(sq) & pawnThreats) score.Add(-30, -20);
            switch (type) {
                case KNIGHT: score.Add((mobility - 4) * 4, (mobility - 4) * 4); break;
                case BISHOP: score.Add((mobility - 6) * 5, (mobility - 6) * 5); break;
                case ROOK: score.Add((mobility - 7) * 2, (mobility - 7) * 4); break;
                default: score.Add(mobility - 13, (mobility - 13) * 2); break;
            }
            if (type == ROOK) {
                Bitboard file = FileMask(FileOf(sq));
                if (!(file & ownPawns))
                    score.Add(file & theirPawns ? 12 : 25, file & theirPawns ? 6 : 10);
            }
            if (Bitboard nearKing = attacks & kingZone) {
                ++attackers;
                attackWeight += kKingAttackWeight[type] * PopCount(nearKing);
            }
        }
    }
    if (attackers >= 2) {
        int danger = attackWeight * attackWeight / 2;
        score.Add(danger > 400 ? 400 : danger, 0);
    }
}

// Pawns in front of a castled king.
void EvaluateShelter(const Board& board, int us, Score& score) {
    int king = KingSquare(board, us);
    if (RelativeRank(us, king) > 1) return;
    Bitboard ownPawns = board.pieces[us][PAWN];
    int file = FileOf(king);
    for (int f = file > 0 ? file - 1 : 0; f <= (file < 7 ? file + 1 : 7); ++f) {
        Bitboard pawnsOnFile = ownPawns & FileMask(f);
        Bitboard close =
            pawnsOnFile & (RankMask(us == WHITE ? 1 : 6) | RankMask(us == WHITE ? 2 : 5));
        score.Add(close ? 8 : pawnsOnFile ? -4 : -18, 0);
    }
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

// Enough to mate a bare king without pawns.
bool CanForceMate(const Board& board, int color) {
    const Bitboard* p = board.pieces[color];
    return p[QUEEN] || p[ROOK] || p[PAWN] || BishopsOnBothColours(p[BISHOP]) ||
           (p[BISHOP] && p[KNIGHT]);
}

}  // namespace

int PieceValue(int type) { return kValueMiddle[type]; }

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
    Score side[2];
    int phase = 0, material[2] = {0, 0};
    for (int color : {WHITE, BLACK}) {
        for (int type = PAWN; type <= KING; ++type) {
            Bitboard pieces = board.pieces[color][type];
            phase += kPhaseWeight[type] * PopCount(pieces);
            if (type != PAWN && type != KING)
                material[color] += kValueMiddle[type] * PopCount(pieces);
            while (pieces) {
                int sq = PopLowest(pieces);
                int white = color == WHITE ? sq : sq ^ 56;
                side[color].Add(kValueMiddle[type] + kPieceSquare.middle[type][white],
                                kValueEnd[type] + kPieceSquare.end[type][white]);
            }
        }
        if (PopCount(board.pieces[color][BISHOP]) >= 2) side[color].Add(30, 50);
        EvaluatePawns(board, color, side[color]);
        EvaluatePieces(board, color, side[color]);
        EvaluateShelter(board, color, side[color]);
    }
    side[board.side].Add(10, 0);

    if (phase > kFullPhase) phase = kFullPhase;
    int middle = side[WHITE].middle - side[BLACK].middle;
    int end = side[WHITE].end - side[BLACK].end;
    int score = (middle * phase + end * (kFullPhase - phase)) / kFullPhase;

    // Endings without pawns: a lone king gets mated; a small edge is a draw.
    int strong = score > 0 ? WHITE : BLACK, weak = strong ^ 1;
    if (!board.pieces[strong][PAWN]) {
        int edge = material[strong] - material[weak];
        bool onlyKnights =
            board.colors[strong] == (board.pieces[strong][KNIGHT] | board.pieces[strong][KING]);
        if (edge < 400 || onlyKnights) score /= 8;
    }
    if (board.colors[weak] == board.pieces[weak][KING] && CanForceMate(board, strong)) {
        int bonus = MopUp(board, strong);
        score += strong == WHITE ? bonus : -bonus;
    }
    return board.side == WHITE ? score : -score;
}

int Evaluate(const Game& game) { return EvaluateBoard(game.board); }

}  // namespace chess
