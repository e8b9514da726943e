// The built program, run as a user or a GUI runs it.
#include <gtest/gtest.h>

#include <cstdio>

#include <sys/wait.h>

#include "session_helpers.h"

namespace {

// Runs the program with arguments and input (printf escapes); returns its
// exit status and leaves its output in output.
int RunProgram(const std::string& arguments, const std::string& input, std::string& output) {
    const std::string command =
        "printf '" + input + "' | \"" QUILLMATE_UCI_PROGRAM "\" " + arguments;
    FILE* pipe = popen(command.c_str(), "r");
    output.clear();
    for (int c; (c = std::fgetc(pipe)) != EOF;) output += static_cast<char>(c);
    return pclose(pipe);
}

}  // namespace

TEST(CommandLine, ReadsLinesUntilQuitOrRunsTheArgumentsAsOneCommand) {
    std::string output;
    EXPECT_EQ(RunProgram("", "isready\\r\\nxyzzy\\nquit\\neval\\n", output), 0);
    EXPECT_TRUE(StartsWith(output, "readyok\ninfo string error: unknown command 'xyzzy'"));
    EXPECT_EQ(output.find("Evaluation"), std::string::npos) << output;  // after quit
    EXPECT_EQ(RunProgram("position startpos", "eval\\n", output), 0);
    EXPECT_EQ(output, "");  // the arguments' command alone, and stdin unread
    EXPECT_EQ(WEXITSTATUS(RunProgram("go perft 1 2", "", output)), 1);
    EXPECT_EQ(output, "info string error: go perft needs exactly one number, the depth\n");
}
