// d and eval: looking at the current position without searching it.
#include "uci/commands.h"
#include "uci/fen.h"

namespace {

const char* const RANK_SEPARATOR = " +---+---+---+---+---+---+---+---+\n";

void WriteBoard(const PositionRecord& position, std::ostream& out) {
    out << RANK_SEPARATOR;
    for (int rank = 8; rank >= 1; --rank) {
        out << ' ';
        for (int file = 1; file <= 8; ++file) {
            const char piece = PieceAt(position, file, rank);
            out << "| " << (piece == EMPTY_SQUARE ? ' ' : piece) << ' ';
        }
        out << "| " << rank << '\n' << RANK_SEPARATOR;
    }
    out << "   a   b   c   d   e   f   g   h\n";
}

}  // namespace

void RunDisplay(UciSession& session, const Words&, std::ostream& out) {
    const FenPosition position = session.rules->Position();
    const PositionRecord& record = position.record;
    WriteBoard(record, out);
    out << "\nRules: " << session.rules->Name() << '\n'
        << "Side to move: " << record.sideToMove << '\n'
        << "Castling: " << CastlingField(position) << '\n'
        << "En passant: " << std::string(record.enPassant, 2) << '\n'
        << "Half-move clock: " << position.halfMoveClock << '\n'
        << "Move number: " << record.moveNumber << '\n'
        << "Fen: " << FormatFen(position) << '\n';
}

void RunEval(UciSession& session, const Words&, std::ostream& out) {
    out << "Evaluation: " << session.rules->Evaluate() << '\n';
}
