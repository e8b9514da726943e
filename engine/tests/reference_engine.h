// A slow, literal second implementation of successor generation, evaluation
// and search, built only on the public rules operations. The engine is tuned
// for speed; the tests hold its results (moves, scores, node and evaluation
// counts) equal to this one's over many positions.
#pragma once

#include <cstdint>
#include <vector>

#include "rules/make_move.h"
#include "rules/position.h"
#include "rules/targets.h"
#include "rules/tests/test_positions.h"

namespace reference {

// Every successor of the side to move, by origin square a1..h8, then by the
// order in which the piece's generator lists its targets.
inline std::vector<PositionRecord> Successors(const PositionRecord& position) {
    std::vector<PositionRecord> successors;
    for (const Move& move : GeneratedMoves(position)) successors.push_back(Play(position, move));
    return successors;
}

// Piece values in the owner's relative coordinates (f, r), each 1..8.
inline int RelativeValue(char kind, int f, int r) {
    static const int KNIGHT_BY_RANK[9] = {0, 290, 320, 321, 348, 348, 376, 376, 290};
    static const int KING_ON_BACK_RANK[9] = {0, 30, 200, 30, 0, 0, 0, 200, 30};
    switch (kind) {
        case 'r': return 450;
        case 'q': return r == 1 ? 850 : 876;
        case 'b': return r == 1 ? 300 : (r <= 3 ? 329 : 330);
        case 'n': return KNIGHT_BY_RANK[r] + (f == 1 || f == 8 ? 0 : 10);
        case 'p':
            if (f == 4 || f == 5) {
                if (r == 3) return 127;
                if (r == 4 || r == 5) return 131;
            }
            return 100;
        case 'k': return r == 1 ? KING_ON_BACK_RANK[f] : 0;
        default: return 0;
    }
}

inline int SquareValue(char letter, int file, int rank) {
    const bool black = SideOf(letter) == 'b';
    const char kind = (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter + 32) : letter;
    return RelativeValue(kind, black ? 9 - file : file, black ? 9 - rank : rank);
}

inline int CountTerm(const PositionRecord& position, char side) {
    int count = 0;
    for (int i = 0; i < 64; ++i) {
        const char c = position.board[i];
        if (side == 'w' && (c == 'R' || c == 'N' || c == 'B')) ++count;
        if (side == 'b' && (c == 'r' || c == 'n' || c == 'b')) ++count;
    }
    return 30 * (count - 3);
}

inline bool KingMissing(const PositionRecord& position, char side) {
    const char king = side == 'w' ? 'K' : 'k';
    for (int i = 0; i < 64; ++i) {
        if (position.board[i] == king) return false;
    }
    return true;
}

inline float Evaluate(const PositionRecord& position) {
    if (KingMissing(position, 'w')) return position.sideToMove == 'w' ? -9000.0f : 9000.0f;
    if (KingMissing(position, 'b')) return position.sideToMove == 'b' ? -9000.0f : 9000.0f;
    int white = 0, black = 0;
    for (int rank = 1; rank <= 8; ++rank) {
        for (int file = 1; file <= 8; ++file) {
            const char c = PieceAt(position, file, rank);
            if (c == EMPTY_SQUARE) continue;
            (SideOf(c) == 'w' ? white : black) += SquareValue(c, file, rank);
        }
    }
    white += CountTerm(position, 'w');
    black += CountTerm(position, 'b');
    (position.sideToMove == 'w' ? white : black) += 15;
    if (position.castling[0] != '-' || position.castling[1] != '-') white += 50;
    if (position.castling[2] != '-' || position.castling[3] != '-') black += 50;
    return static_cast<float>(position.sideToMove == 'w' ? white - black : black - white);
}

struct Counters {
    int64_t nodes = 0;
    int64_t evaluations = 0;
};

inline float Search(Counters& counters, const PositionRecord& position, int depth, float alpha,
                    float beta) {
    ++counters.nodes;
    if (depth == 0) {
        ++counters.evaluations;
        return Evaluate(position);
    }
    if (KingMissing(position, 'w')) return position.sideToMove == 'w' ? -9000.0f : 9000.0f;
    if (KingMissing(position, 'b')) return position.sideToMove == 'b' ? -9000.0f : 9000.0f;
    const std::vector<PositionRecord> successors = Successors(position);
    if (successors.empty()) return -9000.0f;
    for (const PositionRecord& successor : successors) {
        const float scout = static_cast<float>(-static_cast<double>(alpha) - 0.1);
        float v = -Search(counters, successor, depth - 1, scout, -alpha);
        if (v <= alpha) continue;
        if (v >= beta) return v;
        v = -Search(counters, successor, depth - 1, -beta, -v);
        if (v <= alpha) continue;
        if (v > beta) return v;
        alpha = v;
    }
    return alpha;
}

struct Choice {
    bool found = false;
    PositionRecord successor{};  // the chosen successor, when found
    float best = -10000.0f;
    std::vector<float> preScores;  // per successor, in list order
    std::vector<int> order;        // successor indexes, in search order
    std::vector<float> scores;     // the main pass's score of each entry of order
    Counters counters;
};

inline Choice BestMove(const PositionRecord& position, int depth) {
    Choice choice;
    const char side = position.sideToMove;
    if ((side == 'w' && KingMissing(position, 'w')) || (side == 'b' && KingMissing(position, 'b')))
        return choice;
    const std::vector<PositionRecord> successors = Successors(position);
    const int count = static_cast<int>(successors.size());
    if (count == 0) return choice;
    std::vector<int> taken(count, 0);
    for (const PositionRecord& successor : successors)
        choice.preScores.push_back(-Search(choice.counters, successor, 0, -10000.0f, 10000.0f));
    for (int k = 0; k < count; ++k) {
        int best = -1;
        for (int i = 0; i < count; ++i) {
            if (taken[i]) continue;
            if (best < 0 || choice.preScores[i] > choice.preScores[best]) best = i;
        }
        choice.order.push_back(best);
        taken[best] = 1;
    }
    int chosen = 0;
    for (int k = 0; k < count; ++k) {
        const int remaining = k < 5 ? depth - 1 : 2;
        const float v =
            -Search(choice.counters, successors[choice.order[k]], remaining, -10000.0f, 10000.0f);
        choice.scores.push_back(v);
        if (v > choice.best) {
            choice.best = v;
            chosen = choice.order[k];
        }
    }
    if (choice.best == -9000.0f) return choice;
    choice.found = true;
    choice.successor = successors[chosen];
    return choice;
}

}  // namespace reference
