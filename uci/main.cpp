// quillmate-uci: the engine as a console program speaking the UCI protocol.
// With arguments, the words form one command, which runs before the program
// exits (quillmate-uci bench); without, commands are read line by line.
#include <iostream>
#include <string>

#include "uci/session.h"

int main(int argc, char** argv) {
    UciSession session;
    if (argc > 1) {
        std::string line;
        for (int i = 1; i < argc; ++i) line += std::string(i > 1 ? " " : "") + argv[i];
        RunCommand(session, line, std::cout);
        FinishInput(session);
        return session.errorCount == 0 ? 0 : 1;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        const bool more = RunCommand(session, line, std::cout);
        std::cout.flush();  // a GUI waits for each reply on a pipe
        if (!more) return 0;
    }
    FinishInput(session);  // the input ended while a search may still run
    return 0;
}
