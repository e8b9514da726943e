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

inline std::string SquareName(Square square) {
    if (!OnBoard(square.file, square.rank))
        return "(" + std::to_string(square.file) + "," + std::to_string(square.rank) + ")";
    return {static_cast<char>('a' + square.file - 1), static_cast<char>('0' + square.rank)};
}

// GoogleTest finds these through argument-dependent lookup, so failures show
// squares and boards instead of raw bytes.
inline void PrintTo(const Square& square, std::ostream* out) { *out << SquareName(square); }

inline void PrintTo(const PositionRecord& record, std::ostream* out) {
    *out << "\n";
    for (int rank = 8; rank >= 1; --rank)
        *out << std::string(record.board + 8 * (rank - 1), 8) << "\n";
    *out << record.sideToMove << " " << std::string(record.castling, 4) << " "
         << std::string(record.enPassant, 2) << " " << record.moveNumber << " "
         << int(record.reserved[0]) << "," << int(record.reserved[1]) << "\n";
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

// Builds a record from a board diagram written rank 8 first, ranks separated
// by '/', digits standing for runs of empty squares (the placement field of
// the usual notation). Every byte outside the named fields is zero.
inline PositionRecord MakePosition(const std::string& placement, char side = 'w',
                                   const char* castling = "----", const char* enPassant = "--",
                                   int32_t moveNumber = 1) {
    PositionRecord record;
    std::memset(&record, 0, sizeof record);
    std::memset(record.board, EMPTY_SQUARE, 64);
    int file = 1, rank = 8;
    for (char c : placement) {
        if (c == '/') {
            EXPECT_EQ(file, 9) << "short rank in " << placement;
            --rank;
            file = 1;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
        } else {
            if (!OnBoard(file, rank)) {
                ADD_FAILURE() << "diagram runs off the board: " << placement;
                return record;
            }
            record.board[SquareIndex(file, rank)] = c;
            ++file;
        }
    }
    EXPECT_EQ(rank, 1) << "diagram needs eight ranks: " << placement;
    record.sideToMove = side;
    std::memcpy(record.castling, castling, 4);
    std::memcpy(record.enPassant, enPassant, 2);
    record.moveNumber = moveNumber;
    return record;
}

// The same from one text: "diagram side castling enPassant moveNumber", the
// fields after the diagram optional.
inline PositionRecord Parse(const std::string& text) {
    std::istringstream in(text);
    std::string diagram, side = "w", castling = "----", enPassant = "--";
    int32_t moveNumber = 1;
    in >> diagram >> side >> castling >> enPassant >> moveNumber;
    return MakePosition(diagram, side[0], castling.c_str(), enPassant.c_str(), moveNumber);
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
    if (!OnBoard(square.file, square.rank)) return targets;
    PieceTargets(record, SquareIndex(square.file, square.rank), [&](int to) {
        targets.push_back(Square{to % 8 + 1, to / 8 + 1});
    });
    return targets;
}

// Every move of the side to move, by origin square a1..h8 and then target order.
inline std::vector<Move> GeneratedMoves(const PositionRecord& record) {
    std::vector<Move> moves;
    for (int rank = 1; rank <= 8; ++rank) {
        for (int file = 1; file <= 8; ++file) {
            const char piece = PieceAt(record, file, rank);
            if (piece == EMPTY_SQUARE || SideOf(piece) != record.sideToMove) continue;
            for (Square to : TargetsOf(record, Square{file, rank}))
                moves.push_back(Move{Square{file, rank}, to});
        }
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
        for (int ply = 0; ply < maxPlies; ++ply) {
            if (IsKingMissing(record, 'w') || IsKingMissing(record, 'b')) break;
            const std::vector<Move> moves = GeneratedMoves(record);
            if (moves.empty()) break;
            std::uniform_int_distribution<std::size_t> pick(0, moves.size() - 1);
            record = Play(record, moves[pick(random)]);
            positions.push_back(record);
        }
    }
    return positions;
}

// An arbitrary, usually unreachable board: any piece on any square, kings
// possibly missing or several, pawns on the first and last ranks, kings and
// rooks often at home. A castling right is kept only while its side's one
// king stands on its home square, the one condition under which the
// generators and CheckMove must agree; the en passant field names any square
// or none, and either side may be to move.
inline PositionRecord RandomBoard(std::mt19937& random) {
    static const char PIECES[] = "KQRBNPkqrbnp";
    PositionRecord record = MakePosition("8/8/8/8/8/8/8/8");
    auto percent = [&random] { return std::uniform_int_distribution<int>(0, 99)(random); };
    const int density = 10 + percent() / 2;
    for (int i = 0; i < 64; ++i) {
        if (percent() < density) record.board[i] = PIECES[percent() % 12];
    }
    if (percent() < 60) {
        for (const char* home : {"h1R", "a1R", "h8r", "a8r", "b1", "c1", "d1", "f1", "g1", "b8",
                                 "c8", "d8", "f8", "g8"}) {
            const char piece = home[2] ? home[2] : EMPTY_SQUARE;
            if (percent() < (piece == EMPTY_SQUARE ? 50 : 70))
                record.board[SquareIndex(home[0] - 'a' + 1, home[1] - '0')] = piece;
        }
        record.board[SquareIndex(5, 1)] = 'K';
        record.board[SquareIndex(5, 8)] = 'k';
    }
    const std::string board(record.board, 64);
    const char* const rights = "KQkq";
    for (int i = 0; i < 4; ++i) {
        const char king = i < 2 ? 'K' : 'k';
        const bool home = PieceAt(record, 5, i < 2 ? 1 : 8) == king &&
                          std::count(board.begin(), board.end(), king) == 1;
        record.castling[i] = home && percent() < 80 ? rights[i] : '-';
    }
    record.sideToMove = percent() < 50 ? 'w' : 'b';
    const int kind = percent();
    record.enPassant[0] = kind < 40   ? '-'
                          : kind < 45 ? '0'
                                      : static_cast<char>('A' + percent() % 8);
    record.enPassant[1] = kind < 40 ? '-' : kind < 45 ? '0' : percent() < 50 ? '3' : '6';
    record.moveNumber = 1 + percent();
    return record;
}
