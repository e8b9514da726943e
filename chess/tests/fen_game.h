// Test helpers: a game from a FEN (board, side, castling, en passant,
// clocks), its legal moves, sized tables, and a search that records what it
// reports. Castling is KQkq, or Shredder-FEN's rook files (HAha).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <sstream>
#include <string>
#include <vector>

#include "chess/chess.h"
#include "chess/game.h"

namespace chess {

inline PositionRecord RecordFromFen(const std::string& fen, int* halfMoveClock = nullptr,
                                    CastlingFiles* files = nullptr) {
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
    for (char c : castling) {
        for (int i = 0; i < 4; ++i)
            if ("KQkq"[i] == c) rights[i] = c;
        bool white = c >= 'A' && c <= 'H', black = c >= 'a' && c <= 'h';
        if (!white && !black) continue;
        int file = c - (white ? 'A' : 'a'), base = white ? 0 : 56, king = 0;
        while (king < 7 && record.board[base + king] != (white ? 'K' : 'k')) ++king;
        int slot = (white ? 0 : 2) + (file > king ? 0 : 1);
        rights[slot] = "KQkq"[slot];
        if (files) files->rook[slot] = static_cast<int8_t>(file);
    }
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

inline bool IsLegal(const Game& game, Move move) {
    std::vector<Move> moves = LegalMoves(game);
    return std::find(moves.begin(), moves.end(), move) != moves.end();
}

// The legal move written as text.
inline Move FindMove(const Game& game, const std::string& text) {
    for (Move move : LegalMoves(game))
        if (MoveText(move) == text) return move;
    ADD_FAILURE() << "no move " << text;
    return NO_MOVE;
}

// With chess960, the moves are in Chess960's notation.
inline Game GameFromFen(const std::string& fen, const std::string& moves = "",
                        bool chess960 = false) {
    int clock = 0;
    CastlingFiles files = STANDARD_CASTLING;
    PositionRecord record = RecordFromFen(fen, &clock, &files);
    Game game;
    std::string error;
    EXPECT_TRUE(StartGame(record, clock, game, error, files)) << fen << ": " << error;
    game.chess960 = chess960;
    std::istringstream in(moves);
    for (std::string move; in >> move;) EXPECT_TRUE(PlayMove(game, move, error)) << error;
    return game;
}

inline SearchTables TablesOf(int megabytes) {
    SearchTables tables;
    std::string error;
    EXPECT_TRUE(ResizeSearchTables(tables, megabytes, error)) << error;
    return tables;
}

inline SearchLimits Depth(int depth) {
    SearchLimits limits;
    limits.maxDepth = depth;
    return limits;
}

struct Searched {
    Move move = NO_MOVE;
    Iteration last;
    std::vector<Iteration> iterations;
};

// Thinks on pool (one thread of its own without), with tables (4 MB of its
// own without), keeping every iteration reported.
inline Searched Search(const Game& game, const SearchLimits& limits, SearchThreads* pool = nullptr,
                       SearchTables* tables = nullptr, bool stopAtOnce = false) {
    SearchTables own = tables ? SearchTables() : TablesOf(4);
    SearchThreads one;
    std::atomic<bool> stop{stopAtOnce};
    Searched searched;
    searched.move = Think(tables ? *tables : own, pool ? *pool : one, game, limits, stop,
                          [&](const Iteration& iteration) {
                              searched.last = iteration;
                              searched.iterations.push_back(iteration);
                              return true;
                          });
    return searched;
}

}  // namespace chess
