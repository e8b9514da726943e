// A slow, literal second implementation of successor generation, evaluation
// and search, built only on the public rules operations and the value tables.
// The engine is tuned for speed; the tests hold its moves, scores, node and
// evaluation counts equal to this one's over many positions.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/piece_square_tables.h"
#include "rules/tests/test_positions.h"

namespace reference {

// Every successor of the side to move, by origin square a1..h8, then by the
// order in which the piece's generator lists its targets.
inline std::vector<PositionRecord> Successors(const PositionRecord& position) {
    std::vector<PositionRecord> successors;
    for (const Move& move : GeneratedMoves(position)) successors.push_back(Play(position, move));
    return successors;
}

// A piece's value read from its table as drawn, rank 8 in the first row; a
// Black piece sees the board turned half a turn.
inline int SquareValue(char letter, int file, int rank) {
    const bool black = SideOf(letter) == 'b';
    for (const PieceSquareTable& table : PIECE_SQUARE_TABLES) {
        if (table.kind == PieceKind(letter))
            return black ? table.values[rank - 1][8 - file] : table.values[8 - rank][file - 1];
    }
    return 0;
}

inline int CountTerm(const PositionRecord& position, const std::string& pieces) {
    int count = 0;
    for (int i = 0; i < 64; ++i) count += pieces.find(position.board[i]) != std::string::npos;
    return 30 * (count - 3);
}

inline bool KingMissing(const PositionRecord& position, char side) {
    return std::string(position.board, 64).find(side == 'w' ? 'K' : 'k') == std::string::npos;
}

// The score for the side to move when a king is gone, White's looked for first; 0 while both stand.
inline float KingLost(const PositionRecord& position) {
    if (KingMissing(position, 'w')) return position.sideToMove == 'w' ? -9000.0f : 9000.0f;
    if (KingMissing(position, 'b')) return position.sideToMove == 'b' ? -9000.0f : 9000.0f;
    return 0;
}

inline float Evaluate(const PositionRecord& position) {
    if (const float lost = KingLost(position)) return lost;
    int white = 0, black = 0;
    for (int rank = 1; rank <= 8; ++rank) {
        for (int file = 1; file <= 8; ++file) {
            const char c = PieceAt(position, file, rank);
            if (c == EMPTY_SQUARE) continue;
            (SideOf(c) == 'w' ? white : black) += SquareValue(c, file, rank);
        }
    }
    white += CountTerm(position, "RNB");
    black += CountTerm(position, "rnb");
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
    if (const float lost = KingLost(position)) return lost;
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
    std::vector<int> order;  // successor indexes, in search order
    Counters counters;
};

inline Choice BestMove(const PositionRecord& position, int depth) {
    Choice choice;
    if (KingMissing(position, position.sideToMove == 'w' ? 'w' : 'b')) return choice;
    const std::vector<PositionRecord> successors = Successors(position);
    const int count = static_cast<int>(successors.size());
    if (count == 0) return choice;
    // Highest pre-score first; equal pre-scores keep the list order.
    std::vector<float> preScores;
    for (const PositionRecord& successor : successors)
        preScores.push_back(-Search(choice.counters, successor, 0, -10000.0f, 10000.0f));
    for (int i = 0; i < count; ++i) choice.order.push_back(i);
    std::stable_sort(choice.order.begin(), choice.order.end(),
                     [&](int a, int b) { return preScores[a] > preScores[b]; });
    int chosen = 0;
    for (int k = 0; k < count; ++k) {
        const int remaining = k < 5 ? depth - 1 : 2;
        const float v =
            -Search(choice.counters, successors[choice.order[k]], remaining, -10000.0f, 10000.0f);
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
