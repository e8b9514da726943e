// Helpers shared by the rules and engine tests: building records from board
// diagrams, naming squares and moves in algebraic notation, listing targets
// through the generators the engine walks, and producing many positions.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "rules/make_move.h"
#include "rules/position.h"
#include "rules/targets.h"

// (5, 4) -> "e4"; squares off the board come out as other characters.
inline std::string SquareName(Square square) {
    return {static_cast<char>('a' + square.file - 1), static_cast<char>('0' + square.rank)};
}

// GoogleTest finds these through argument-dependent lookup, so failures show
// squares and boards instead of raw bytes.
inline void PrintTo(const Square& square, std::ostream* out) { *out << SquareName(square); }

inline void PrintTo(const PositionRecord& record, std::ostream* out) {
    for (int rank = 8; rank >= 1; --rank)
        *out << "\n" << std::string(record.board + 8 * rank - 8, 8);
    *out << "\n"
         << record.sideToMove << " " << std::string(record.castling, 4) << " "
         << std::string(record.enPassant, 2) << " " << record.moveNumber << " "
         << int(record.reserved[0]) << int(record.reserved[1]) << "\n";
}

// "e4" -> (5, 4).
inline Square Sq(const char* name) { return Square{name[0] - 'a' + 1, name[1] - '0'}; }

struct Move {
    Square from;
    Square to;
};

inline bool operator==(const Move& a, const Move& b) { return a.from == b.from && a.to == b.to; }

inline std::string MoveName(const Move& move) {
    return SquareName(move.from) + SquareName(move.to);
}
inline void PrintTo(const Move& move, std::ostream* out) { *out << MoveName(move); }

// "e2e4" -> e2 to e4.
inline Move Mv(const char* name) { return Move{Sq(name), Sq(name + 2)}; }

// Builds a record from "diagram side castling enPassant moveNumber", the fields
// after the diagram optional. The diagram is written rank 8 first, ranks
// separated by '/', digits standing for runs of empty squares (the placement
// field of the usual notation). Every byte outside the named fields is zero.
inline PositionRecord MakePosition(const std::string& text) {
    std::istringstream in(text);
    std::string diagram, side = "w", castling = "----", enPassant = "--", squares;
    int32_t moveNumber = 1;
    in >> diagram >> side >> castling >> enPassant >> moveNumber;
    for (char c : diagram) {
        if (c >= '1' && c <= '8')
            squares.append(c - '0', EMPTY_SQUARE);
        else if (c != '/')
            squares += c;
    }
    EXPECT_EQ(squares.size(), 64u) << diagram;
    squares.resize(64, EMPTY_SQUARE);
    PositionRecord record{};
    for (int i = 0; i < 64; ++i) record.board[i] = squares[(7 - i / 8) * 8 + i % 8];
    record.sideToMove = side[0];
    std::memcpy(record.castling, castling.c_str(), 4);
    std::memcpy(record.enPassant, enPassant.c_str(), 2);
    record.moveNumber = moveNumber;
    return record;
}

inline PositionRecord Play(PositionRecord record, const Move& move) {
    PositionRecord successor;
    MakeMove(record, move.from.file, move.from.rank, move.to.file, move.to.rank, successor);
    return successor;
}

inline PositionRecord Play(PositionRecord record, std::initializer_list<const char*> moves) {
    for (const char* move : moves) record = Play(record, Mv(move));
    return record;
}

// The targets the generator lists for the piece on square, in list order.
inline std::vector<Square> TargetsOf(const PositionRecord& record, Square square) {
    std::vector<Square> targets;
    PieceTargets(record, SquareIndex(square.file, square.rank), [&](int to) {
        targets.push_back(Square{to % 8 + 1, to / 8 + 1});
    });
    return targets;
}

// Every move of the side to move, by origin square a1..h8 and then target order.
inline std::vector<Move> GeneratedMoves(const PositionRecord& record) {
    std::vector<Move> moves;
    for (int i = 0; i < 64; ++i) {
        const Square from{i % 8 + 1, i / 8 + 1};
        if (SideOf(record.board[i]) != record.sideToMove) continue;
        for (Square to : TargetsOf(record, from)) moves.push_back(Move{from, to});
    }
    return moves;
}

// Positions reached by random games from the initial record: each ply picks
// uniformly among the moves the generators list for the side to move. A game
// ends when a king has been captured, no move remains, or after maxPlies.
inline std::vector<PositionRecord> RandomGamePositions(uint32_t seed, int games, int maxPlies) {
    std::mt19937 random(seed);
    std::vector<PositionRecord> positions;
    for (int game = 0; game < games; ++game) {
        PositionRecord record = InitialPosition();
        positions.push_back(record);
        for (int ply = 0;
             ply < maxPlies && !IsKingMissing(record, 'w') && !IsKingMissing(record, 'b'); ++ply) {
            const std::vector<Move> moves = GeneratedMoves(record);
            if (moves.empty()) break;
            record = Play(record, moves[random() % moves.size()]);
            positions.push_back(record);
        }
    }
    return positions;
}

// An arbitrary, usually unreachable board: any piece on any square, kings
// missing or several, pawns on the first and last ranks, and often kings and
// rooks at home. A castling right is kept only while its side's one king is at
// home, the one condition under which the generators and CheckMove must agree;
// either side may be to move, and the en passant field names any square or none.
inline PositionRecord RandomBoard(std::mt19937& random) {
    auto percent = [&random] { return static_cast<int>(random() % 100); };
    PositionRecord record = MakePosition("8/8/8/8/8/8/8/8");
    const int density = 10 + percent() / 2;
    const bool home = percent() < 60;
    for (int i = 0; i < 64; ++i) {
        const int file = i % 8;
        if (home && (i < 8 || i >= 56) && (file == 4 || percent() < (file % 7 ? 50 : 70)))
            record.board[i] = (i < 8 ? "R000K00R" : "r000k00r")[file];
        else if (percent() < density)
            record.board[i] = "KQRBNPkqrbnp"[percent() % 12];
    }
    const std::string board(record.board, 64);
    for (int i = 0; i < 4; ++i) {
        const char king = "KKkk"[i];
        const bool kingHome = record.board[i < 2 ? 4 : 60] == king &&
                              std::count(board.begin(), board.end(), king) == 1;
        record.castling[i] = kingHome && percent() < 80 ? "KQkq"[i] : '-';
    }
    record.sideToMove = percent() < 50 ? 'w' : 'b';
    const int kind = percent();
    if (kind >= 40) record.enPassant[0] = record.enPassant[1] = '0';
    if (kind >= 45) {
        record.enPassant[0] = static_cast<char>('A' + percent() % 8);
        record.enPassant[1] = percent() < 50 ? '3' : '6';
    }
    record.moveNumber = 1 + percent();
    return record;
}
