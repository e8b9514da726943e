// The built program, run as a user or a GUI runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

// Runs the program with arguments and the given input; returns its exit
// status and leaves its output in output.
int RunProgram(const std::string& arguments, const std::string& input, std::string& output) {
    const std::string base = (std::filesystem::temp_directory_path() /
                              ("quillmate_uci_" + std::to_string(std::random_device{}())))
                                 .string();
    std::ofstream(base + ".in") << input;
    const std::string command = std::string("\"") + QUILLMATE_UCI_PROGRAM + "\" " + arguments +
                                " < \"" + base + ".in\" > \"" + base + ".out\"";
    const int status = std::system(command.c_str());
    std::ostringstream text;
    text << std::ifstream(base + ".out").rdbuf();
    output = text.str();
    std::filesystem::remove(base + ".in");
    std::filesystem::remove(base + ".out");
    return status;
}

}  // namespace

TEST(CommandLine, ReadsCommandsUntilQuit) {
    std::string output;
    EXPECT_EQ(
        RunProgram("", "isready\r\nposition startpos moves e2e4\nxyzzy\nquit\neval\n", output), 0);
    EXPECT_TRUE(output.rfind("readyok\ninfo string error: unknown command 'xyzzy'", 0) == 0)
        << output;
    EXPECT_EQ(output.find("Evaluation"), std::string::npos) << output;  // after quit
}

TEST(CommandLine, ArgumentsRunOneCommandAndReportFailureInTheStatus) {
    std::string output;
    EXPECT_EQ(RunProgram("position startpos", "eval\n", output), 0);
    EXPECT_EQ(output, "");
    EXPECT_NE(RunProgram("go perft 1 2", "", output), 0);
    EXPECT_EQ(output, "info string error: go perft needs exactly one number, the depth\n");
}
