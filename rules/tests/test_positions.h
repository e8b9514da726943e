// Helpers shared by the rules and engine tests: building records from board
// diagrams, naming squares and moves in algebraic notation, listing targets
// through the public generators, and producing many positions to test on.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "rules/make_move.h"
#include "rules/position.h"
#include "rules/targets.h"

inline std::string SquareName(Square square) {
    if (!OnBoard(square.file, square.rank))
        return "(" + std::to_string(square.file) + "," + std::to_string(square.rank) + ")";
    return std::string(1, static_cast<char>('a' + square.file - 1)) +
           static_cast<char>('0' + square.rank);
}

// GoogleTest finds these through argument-dependent lookup, so failures show
// squares and boards instead of raw bytes.
inline void PrintTo(const Square& square, std::ostream* out) { *out << SquareName(square); }

inline void PrintTo(const PositionRecord& record, std::ostream* out) {
    *out << "\n";
    for (int rank = 8; rank >= 1; --rank) {
        *out << "  ";
        for (int file = 1; file <= 8; ++file) *out << PieceAt(record, file, rank);
        *out << "\n";
    }
    *out << "  side " << record.sideToMove << " castling "
         << std::string(record.castling, record.castling + 4) << " en passant "
         << std::string(record.enPassant, record.enPassant + 2) << " move " << record.moveNumber
         << " reserved " << int(record.reserved[0]) << "," << int(record.reserved[1]) << "\n";
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

inline std::vector<Move> Moves(std::initializer_list<const char*> names) {
    std::vector<Move> moves;
    for (const char* name : names) moves.push_back(Mv(name));
    return moves;
}

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

inline PositionRecord Play(PositionRecord record, const Move& move) {
    PositionRecord successor;
    MakeMove(record, move.from.file, move.from.rank, move.to.file, move.to.rank, successor);
    return successor;
}

inline PositionRecord Play(PositionRecord record, std::initializer_list<const char*> moves) {
    for (const char* move : moves) record = Play(record, Mv(move));
    return record;
}

// The generator for a letter, chosen from the letter as the engine chooses it.
inline TargetGenerator GeneratorOf(char letter) {
    switch (letter) {
        case 'R':
        case 'r': return RookTargets;
        case 'N':
        case 'n': return KnightTargets;
        case 'B':
        case 'b': return BishopTargets;
        case 'Q':
        case 'q': return QueenTargets;
        case 'K':
        case 'k': return KingTargets;
        case 'P':
        case 'p': return PawnTargets;
        default: return nullptr;
    }
}

// The targets the generator lists for the piece on square, in list order.
inline std::vector<Square> TargetsOf(const PositionRecord& record, Square square) {
    TargetGenerator generator = GeneratorOf(PieceAt(record, square.file, square.rank));
    if (!generator) return {};
    TargetList list;
    const int count = generator(record, square.file, square.rank, list);
    return std::vector<Square>(list.squares, list.squares + count);
}

inline std::vector<Square> Squares(std::initializer_list<const char*> names) {
    std::vector<Square> squares;
    for (const char* name : names) squares.push_back(Sq(name));
    return squares;
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

inline bool HasKing(const PositionRecord& record, char king) {
    return std::memchr(record.board, king, 64) != nullptr;
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
            if (!HasKing(record, 'K') || !HasKing(record, 'k')) break;
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
// possibly missing or several, pawns on the first and last ranks. A castling
// right is kept only while its side's one king stands on its home square,
// the one condition under which the generators and CheckMove must agree; the en
// passant field names any square or none, and either side may be to move.
inline PositionRecord RandomBoard(std::mt19937& random) {
    static const char PIECES[] = "KQRBNPkqrbnp";
    PositionRecord record = MakePosition("8/8/8/8/8/8/8/8");
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> piece(0, 11);
    const int density = 10 + percent(random) / 2;
    for (int i = 0; i < 64; ++i) {
        if (percent(random) < density) record.board[i] = PIECES[piece(random)];
    }
    // Often put the kings and rooks on their home squares so that castling
    // is examined under every kind of attack.
    if (percent(random) < 60) {
        record.board[SquareIndex(5, 1)] = 'K';
        record.board[SquareIndex(5, 8)] = 'k';
        if (percent(random) < 70) record.board[SquareIndex(8, 1)] = 'R';
        if (percent(random) < 70) record.board[SquareIndex(1, 1)] = 'R';
        if (percent(random) < 70) record.board[SquareIndex(8, 8)] = 'r';
        if (percent(random) < 70) record.board[SquareIndex(1, 8)] = 'r';
        for (int file : {2, 3, 4, 6, 7}) {
            if (percent(random) < 50) record.board[SquareIndex(file, 1)] = EMPTY_SQUARE;
            if (percent(random) < 50) record.board[SquareIndex(file, 8)] = EMPTY_SQUARE;
        }
    }
    const std::string board(record.board, 64);
    const bool whiteKingHome =
        PieceAt(record, 5, 1) == 'K' && std::count(board.begin(), board.end(), 'K') == 1;
    const bool blackKingHome =
        PieceAt(record, 5, 8) == 'k' && std::count(board.begin(), board.end(), 'k') == 1;
    record.castling[0] = whiteKingHome && percent(random) < 80 ? 'K' : '-';
    record.castling[1] = whiteKingHome && percent(random) < 80 ? 'Q' : '-';
    record.castling[2] = blackKingHome && percent(random) < 80 ? 'k' : '-';
    record.castling[3] = blackKingHome && percent(random) < 80 ? 'q' : '-';
    record.sideToMove = percent(random) < 50 ? 'w' : 'b';
    const int kind = percent(random);
    if (kind < 40) {
        std::memcpy(record.enPassant, "--", 2);
    } else if (kind < 45) {
        std::memcpy(record.enPassant, "00", 2);
    } else {
        record.enPassant[0] = static_cast<char>('A' + percent(random) % 8);
        record.enPassant[1] = percent(random) < 50 ? '3' : '6';
    }
    record.moveNumber = 1 + percent(random);
    return record;
}
