// Test helpers: a game from a FEN (board, side, castling, en passant,
// clocks), and its legal moves.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "chess/chess.h"
#include "chess/game.h"

namespace chess {

inline PositionRecord RecordFromFen(const std::string& fen, int* halfMoveClock = nullptr) {
    std::istringstream in(fen);
    std::string placement, side, castling, enPassant;
    int clock = 0, moveNumber = 1;
    in >> placement >> side >> castling >> enPassant >> clock >> moveNumber;
    PositionRecord record{};
    int rank = 7, file = 0;
    for (char c : placement) {
        if (c == '/') {
            --rank;
            file = 0;
        } else if (c >= '1' && c <= '8') {
            for (int i = 0; i < c - '0'; ++i) record.board[rank * 8 + file++] = EMPTY_SQUARE;
        } else {
            record.board[rank * 8 + file++] = c;
        }
    }
    record.sideToMove = side[0];
    std::string rights = "----";
    for (char c : castling)
        for (int i = 0; i < 4; ++i)
            if ("KQkq"[i] == c) rights[i] = c;
    for (int i = 0; i < 4; ++i) record.castling[i] = rights[i];
    record.enPassant[0] = enPassant == "-" ? '-' : static_cast<char>(enPassant[0] - 'a' + 'A');
    record.enPassant[1] = enPassant == "-" ? '-' : enPassant[1];
    record.moveNumber = moveNumber;
    if (halfMoveClock) *halfMoveClock = clock;
    return record;
}

// The legal moves of the side to move.
inline std::vector<Move> LegalMoves(const Game& game) {
    MoveList list;
    GenerateLegalMoves(game.board, list);
    return std::vector<Move>(list.moves, list.moves + list.count);
}

inline Game GameFromFen(const std::string& fen) {
    int clock = 0;
    PositionRecord record = RecordFromFen(fen, &clock);
    Game game;
    std::string error;
    EXPECT_TRUE(StartGame(record, clock, game, error)) << fen << ": " << error;
    return game;
}

}  // namespace chess
