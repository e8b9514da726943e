#include "uci/fen.h"

#include <cstdint>
#include <cstring>

namespace {

const char* const PIECE_LETTERS = "KQRBNPkqrbnp";
const char* const CHESS960_HINT = " (Chess960 castling needs UCI_Chess960)";

bool IsPieceLetter(char c) { return c != '\0' && std::strchr(PIECE_LETTERS, c) != nullptr; }

// One rank of the board field, written from the a-file to the h-file.
bool ParseRank(const std::string& text, int rank, PositionRecord& record, std::string& error) {
    int file = 1;
    for (char c : text) {
        int count = 1;
        if (c >= '1' && c <= '8') {
            count = c - '0';
        } else if (!IsPieceLetter(c)) {
            error = "rank " + std::to_string(rank) + " holds " + Quoted(std::string(1, c)) +
                    ", which is neither a piece letter (KQRBNPkqrbnp) nor a count from 1 to 8";
            return false;
        }
        if (file + count > 9) {
            error = "rank " + std::to_string(rank) + " (" + Quoted(text) +
                    ") describes more than 8 squares";
            return false;
        }
        const char content = IsPieceLetter(c) ? c : EMPTY_SQUARE;
        for (int i = 0; i < count; ++i, ++file) record.board[SquareIndex(file, rank)] = content;
    }
    if (file != 9) {
        error = "rank " + std::to_string(rank) + " (" + Quoted(text) + ") describes " +
                std::to_string(file - 1) + " squares, not 8";
        return false;
    }
    return true;
}

// The board field: eight ranks separated by '/', rank 8 first.
bool ParseBoard(const std::string& field, PositionRecord& record, std::string& error) {
    std::size_t start = 0;
    for (int rank = 8; rank >= 1; --rank) {
        const std::size_t slash = field.find('/', start);
        const bool last = rank == 1;
        if (last != (slash == std::string::npos)) {
            int ranks = 1;
            for (char c : field) ranks += c == '/' ? 1 : 0;
            error = "the board has " + std::to_string(ranks) + " ranks, not 8";
            return false;
        }
        const std::size_t end = last ? field.size() : slash;
        if (!ParseRank(field.substr(start, end - start), rank, record, error)) return false;
        start = end + 1;
    }
    return true;
}

bool ParseSide(const std::string& field, PositionRecord& record, std::string& error) {
    if (field != "w" && field != "b") {
        error = "the side to move must be 'w' or 'b', not " + Quoted(field);
        return false;
    }
    record.sideToMove = field[0];
    return true;
}

// A right needs its king and its rook on their starting squares: the rules
// trust the letter and never look for the pieces.
bool RightIsBacked(const PositionRecord& record, int slot) {
    const bool white = slot < 2;
    const char king = white ? 'K' : 'k';
    const int rank = white ? 1 : 8;
    const int rookFile = slot % 2 == 0 ? 8 : 1;
    return PieceAt(record, 5, rank) == king &&
           PieceAt(record, rookFile, rank) == (white ? 'R' : 'r');
}

bool ParseStandardCastling(const std::string& field, PositionRecord& record, std::string& error) {
    static const char* const REQUIREMENT[4] = {"the white king on e1 and a white rook on h1",
                                               "the white king on e1 and a white rook on a1",
                                               "the black king on e8 and a black rook on h8",
                                               "the black king on e8 and a black rook on a8"};
    for (char c : field) {
        const char* at = c == '\0' ? nullptr : std::strchr("KQkq", c);
        if (at == nullptr) {
            error = "castling rights " + Quoted(field) + " may hold only K, Q, k and q, or be '-'" +
                    CHESS960_HINT;
            return false;
        }
        const int slot = static_cast<int>(at - "KQkq");
        if (record.castling[slot] != '-') {
            error = "castling rights " + Quoted(field) + " name " + std::string(1, c) + " twice";
            return false;
        }
        if (!RightIsBacked(record, slot)) {
            error = "castling right " + std::string(1, c) + " needs " + REQUIREMENT[slot] +
                    CHESS960_HINT;
            return false;
        }
        record.castling[slot] = c;
    }
    return true;
}

// The file of side's king on its back rank, or 0 when it has none there.
int BackRankKingFile(const PositionRecord& record, bool white) {
    for (int file = 1; file <= 8; ++file)
        if (PieceAt(record, file, white ? 1 : 8) == (white ? 'K' : 'k')) return file;
    return 0;
}

// The file of side's rook on its back rank that is outermost beyond the
// king towards step (+1: the h-file, -1: the a-file), or 0 when there is none.
int OutermostRookFile(const PositionRecord& record, bool white, int kingFile, int step) {
    int found = 0;
    for (int file = kingFile + step; file >= 1 && file <= 8; file += step)
        if (PieceAt(record, file, white ? 1 : 8) == (white ? 'R' : 'r')) found = file;
    return found;
}

// One letter of a Chess960 castling field: K or Q (k or q for Black) for
// the outermost rook on that side of the king, or a rook's file letter,
// upper case for White.
bool ParseChess960Right(const std::string& field, char c, PositionRecord& record,
                        chess::CastlingFiles& files, std::string& error) {
    const bool white = c >= 'A' && c <= 'Z';
    const char letter = static_cast<char>(white ? c - 'A' + 'a' : c);
    const std::string side = white ? "white" : "black", rank = white ? "1" : "8";
    if (letter != 'k' && letter != 'q' && (letter < 'a' || letter > 'h')) {
        error = "castling rights " + Quoted(field) +
                " may hold only K, Q, k, q and rook files A to H and a to h, or be '-'";
        return false;
    }
    const int kingFile = BackRankKingFile(record, white);
    if (kingFile == 0) {
        error =
            "castling right " + std::string(1, c) + " needs the " + side + " king on rank " + rank;
        return false;
    }
    int rookFile = letter == 'k'   ? OutermostRookFile(record, white, kingFile, 1)
                   : letter == 'q' ? OutermostRookFile(record, white, kingFile, -1)
                                   : letter - 'a' + 1;
    if (rookFile == 0 || rookFile == kingFile ||
        PieceAt(record, rookFile, white ? 1 : 8) != (white ? 'R' : 'r')) {
        const std::string where = letter == 'k' ? "on rank " + rank + ", on the h-side of the king"
                                  : letter == 'q'
                                      ? "on rank " + rank + ", on the a-side of the king"
                                      : "on " + std::string(1, letter) + rank;
        error = "castling right " + std::string(1, c) + " needs a " + side + " rook " + where;
        return false;
    }
    const int slot = (white ? 0 : 2) + (rookFile > kingFile ? 0 : 1);
    if (record.castling[slot] != '-') {
        error = "castling rights " + Quoted(field) + " give the " + side +
                " king two rooks on its " + (slot % 2 == 0 ? "h" : "a") + "-side";
        return false;
    }
    record.castling[slot] = "KQkq"[slot];
    files.rook[slot] = static_cast<int8_t>(rookFile - 1);
    return true;
}

bool ParseCastling(const std::string& field, bool chess960, PositionRecord& record,
                   chess::CastlingFiles& files, std::string& error) {
    std::memcpy(record.castling, "----", 4);
    files = chess::STANDARD_CASTLING;
    if (field == "-") return true;
    if (!chess960) return ParseStandardCastling(field, record, error);
    for (char c : field)
        if (!ParseChess960Right(field, c, record, files, error)) return false;
    return true;
}

// The square a pawn has just passed over: on rank 3 after a White double
// step (so Black is to move), on rank 6 after a Black one. The pawn must
// stand just beyond it, with the square and the pawn's start square empty.
bool ParseEnPassant(const std::string& field, PositionRecord& record, std::string& error) {
    record.enPassant[0] = record.enPassant[1] = '-';
    if (field == "-") return true;
    const bool shaped = field.size() == 2 && field[0] >= 'a' && field[0] <= 'h' &&
                        (field[1] == '3' || field[1] == '6');
    if (!shaped) {
        error = "the en passant square must be '-' or a square on rank 3 or 6 such as e3, not " +
                Quoted(field);
        return false;
    }
    const bool white = field[1] == '3';  // a White pawn passed over it
    if (record.sideToMove != (white ? 'b' : 'w')) {
        error = "en passant square " + field + " needs " + (white ? "Black" : "White") + " to move";
        return false;
    }
    const int file = field[0] - 'a' + 1, rank = field[1] - '0', ahead = white ? 1 : -1;
    if (PieceAt(record, file, rank + ahead) != (white ? 'P' : 'p') ||
        PieceAt(record, file, rank) != EMPTY_SQUARE ||
        PieceAt(record, file, rank - ahead) != EMPTY_SQUARE) {
        error = "en passant square " + field + " needs a " + (white ? "white" : "black") +
                " pawn that has just passed over it, with the square and the one behind it empty";
        return false;
    }
    record.enPassant[0] = static_cast<char>(field[0] - 'a' + 'A');
    record.enPassant[1] = field[1];
    return true;
}

bool ParseCounters(const Words& fields, PositionRecord& record, int& halfMoveClock,
                   std::string& error) {
    halfMoveClock = 0;
    if (fields.size() == 4) {
        record.moveNumber = 1;
        return true;
    }
    int64_t clock = 0, moveNumber = 0;
    if (!ParseBoundedNumber(fields[4], "the half-move clock", 0, MAX_HALF_MOVE_CLOCK, clock,
                            error) ||
        !ParseBoundedNumber(fields[5], "the full-move number", 1, MAX_MOVE_NUMBER, moveNumber,
                            error)) {
        return false;
    }
    record.moveNumber = static_cast<int32_t>(moveNumber);
    halfMoveClock = static_cast<int>(clock);
    return true;
}

std::string FormatBoard(const PositionRecord& record) {
    std::string text;
    for (int rank = 8; rank >= 1; --rank) {
        int empty = 0;
        for (int file = 1; file <= 8; ++file) {
            const char piece = PieceAt(record, file, rank);
            if (IsPieceLetter(piece)) {
                if (empty > 0) text += static_cast<char>('0' + empty);
                empty = 0;
                text += piece;
            } else {
                ++empty;
            }
        }
        if (empty > 0) text += static_cast<char>('0' + empty);
        if (rank > 1) text += '/';
    }
    return text;
}

}  // namespace

std::string CastlingField(const FenPosition& position) {
    const PositionRecord& record = position.record;
    std::string field;
    for (int slot = 0; slot < 4; ++slot) {
        if (record.castling[slot] != "KQkq"[slot]) continue;
        const bool white = slot < 2;
        const int rookFile = position.castling.rook[slot] + 1;
        const int kingFile = BackRankKingFile(record, white);
        const int step = slot % 2 == 0 ? 1 : -1;
        const bool named = position.castling.rook[slot] == chess::STANDARD_CASTLING.rook[slot] ||
                           rookFile == OutermostRookFile(record, white, kingFile, step);
        field += named ? "KQkq"[slot] : static_cast<char>((white ? 'A' : 'a') + rookFile - 1);
    }
    return field.empty() ? "-" : field;
}

bool ParseFen(const Words& fields, bool chess960, FenPosition& position, std::string& error) {
    if (fields.size() != 4 && fields.size() != 6) {
        error =
            "a FEN has 6 fields (board, side, castling, en passant, half-move clock, "
            "full-move number), or the first 4; this one has " +
            std::to_string(fields.size());
        return false;
    }
    FenPosition read;
    if (!ParseBoard(fields[0], read.record, error) || !ParseSide(fields[1], read.record, error) ||
        !ParseCastling(fields[2], chess960, read.record, read.castling, error) ||
        !ParseEnPassant(fields[3], read.record, error) ||
        !ParseCounters(fields, read.record, read.halfMoveClock, error)) {
        error = "bad FEN: " + error;
        return false;
    }
    position = read;
    return true;
}

std::string FormatFen(const FenPosition& position) {
    const PositionRecord& record = position.record;
    std::string enPassant = "-";
    const int file = record.enPassant[0] - 64, rank = record.enPassant[1] - 48;
    if (OnBoard(file, rank)) enPassant = {static_cast<char>('a' + file - 1), record.enPassant[1]};
    const char side = record.sideToMove == 'b' ? 'b' : 'w';
    return FormatBoard(record) + ' ' + side + ' ' + CastlingField(position) + ' ' + enPassant +
           ' ' + std::to_string(position.halfMoveClock) + ' ' + std::to_string(record.moveNumber);
}

std::string FormatFen(const PositionRecord& record, int halfMoveClock) {
    FenPosition position;
    position.record = record;
    position.halfMoveClock = halfMoveClock;
    return FormatFen(position);
}
