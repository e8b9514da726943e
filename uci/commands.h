// The handlers of the protocol's commands, one per command word; RunCommand
// in session.cpp chooses among them. Each handler gets the whole line as words.
#pragma once

#include <ostream>
#include <string>

#include "uci/session.h"
#include "uci/text.h"

// Writes text (whole lines) to out at once, between the lines of a search.
void SendLines(UciSession& session, std::ostream& out, const std::string& text);

// Writes the single line with which every failed command answers.
void ReportError(UciSession& session, std::ostream& out, const std::string& what);

// Handshake and options: uci, isready, ucinewgame, setoption.
void RunUci(UciSession& session, const Words& words, std::ostream& out);
void RunIsReady(UciSession& session, const Words& words, std::ostream& out);
void RunNewGame(UciSession& session, const Words& words, std::ostream& out);
void RunSetOption(UciSession& session, const Words& words, std::ostream& out);

// position startpos|fen <FEN> [moves ...]
void RunPosition(UciSession& session, const Words& words, std::ostream& out);

// go [depth N] and the other limits, or go perft N.
void RunGo(UciSession& session, const Words& words, std::ostream& out);

// d (the board and the record) and eval (the static evaluation).
void RunDisplay(UciSession& session, const Words& words, std::ostream& out);
void RunEval(UciSession& session, const Words& words, std::ostream& out);

// bench [depth [file]]
void RunBench(UciSession& session, const Words& words, std::ostream& out);
