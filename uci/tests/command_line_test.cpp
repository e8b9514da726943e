// The built program, run as a user or a GUI runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

// Runs the program with arguments and input; returns its exit status and its output.
int RunProgram(const std::string& arguments, const std::string& input, std::string& output) {
    const std::string base = (std::filesystem::temp_directory_path() /
                              ("quillmate_uci_" + std::to_string(std::random_device{}())))
                                 .string();
    std::ofstream(base + ".in") << input;
    const int status = std::system(("\"" QUILLMATE_UCI_PROGRAM "\" " + arguments + " < \"" + base +
                                    ".in\" > \"" + base + ".out\"")
                                       .c_str());
    std::ostringstream text;
    text << std::ifstream(base + ".out").rdbuf();
    output = text.str();
    std::filesystem::remove(base + ".in");
    std::filesystem::remove(base + ".out");
    return status;
}

}  // namespace

TEST(CommandLine, ReadsLinesUntilQuitOrRunsTheArgumentsAsOneCommand) {
    std::string output;
    EXPECT_EQ(RunProgram("", "isready\r\nxyzzy\nquit\neval\n", output), 0);
    EXPECT_EQ(output, "readyok\ninfo string error: unknown command 'xyzzy'" +
                          output.substr(output.find(';')));
    EXPECT_EQ(output.find("Evaluation"), std::string::npos) << output;  // after quit
    EXPECT_EQ(RunProgram("position startpos", "eval\n", output), 0);
    EXPECT_EQ(output, "");  // the arguments' command alone, and stdin unread
    EXPECT_NE(RunProgram("go perft 1 2", "", output), 0);
    EXPECT_EQ(output, "info string error: go perft needs exactly one number, the depth\n");
}
