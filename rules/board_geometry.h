// Precomputed board geometry shared by the move generators and the attack
// test: where each ray from a square ends, and where a knight can jump.
#pragma once

#include <array>
#include <cstdint>

namespace geometry {

// The eight directions in the queen's order: up, then clockwise.
enum Direction { UP, UP_RIGHT, RIGHT, DOWN_RIGHT, DOWN, DOWN_LEFT, LEFT, UP_LEFT };

constexpr int DIRECTION_FILE[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int DIRECTION_RANK[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int DIRECTION_STEP[8] = {8, 9, 1, -7, -8, -9, -1, 7};  // in board indexes

constexpr int ROOK_DIRECTIONS[4] = {UP, RIGHT, DOWN, LEFT};
constexpr int BISHOP_DIRECTIONS[4] = {UP_RIGHT, DOWN_RIGHT, DOWN_LEFT, UP_LEFT};

// Knight offsets clockwise, starting one file right and two ranks up.
constexpr int KNIGHT_FILE[8] = {1, 2, 2, 1, -1, -2, -2, -1};
constexpr int KNIGHT_RANK[8] = {2, 1, -1, -2, -2, -1, 1, 2};

struct Tables {
    uint8_t rayLength[64][8];    // on-board steps from a square in each direction
    int8_t knightTarget[64][8];  // on-board knight targets in offset order
    uint8_t knightCount[64];
};

constexpr Tables MakeTables() {
    Tables tables{};
    for (int square = 0; square < 64; ++square) {
        const int file = square % 8, rank = square / 8;
        for (int direction = 0; direction < 8; ++direction) {
            int steps = 0;
            int f = file + DIRECTION_FILE[direction], r = rank + DIRECTION_RANK[direction];
            while (f >= 0 && f < 8 && r >= 0 && r < 8) {
                ++steps;
                f += DIRECTION_FILE[direction];
                r += DIRECTION_RANK[direction];
            }
            tables.rayLength[square][direction] = static_cast<uint8_t>(steps);
        }
        int count = 0;
        for (int jump = 0; jump < 8; ++jump) {
            const int f = file + KNIGHT_FILE[jump], r = rank + KNIGHT_RANK[jump];
            if (f >= 0 && f < 8 && r >= 0 && r < 8)
                tables.knightTarget[square][count++] = static_cast<int8_t>(r * 8 + f);
        }
        tables.knightCount[square] = static_cast<uint8_t>(count);
    }
    return tables;
}

inline constexpr Tables TABLES = MakeTables();

}  // namespace geometry
