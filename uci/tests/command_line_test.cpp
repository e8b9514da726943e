// The built program, run as a user or a GUI runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

// A name of its own for each call, so that parallel test runs never share a file.
std::string TemporaryPath(const std::string& name) {
    const std::string unique = std::to_string(std::random_device{}());
    return (std::filesystem::temp_directory_path() / (unique + "_" + name)).string();
}

// Runs the program with arguments and the given input; returns its exit
// status and leaves its output in output.
int RunProgram(const std::string& arguments, const std::string& input, std::string& output) {
    const std::string in = TemporaryPath("quillmate_uci_in.txt");
    const std::string out = TemporaryPath("quillmate_uci_out.txt");
    std::ofstream(in) << input;
    const std::string command = std::string("\"") + QUILLMATE_UCI_PROGRAM + "\" " + arguments +
                                " < \"" + in + "\" > \"" + out + "\"";
    const int status = std::system(command.c_str());
    std::ostringstream text;
    text << std::ifstream(out).rdbuf();
    output = text.str();
    std::filesystem::remove(in);
    std::filesystem::remove(out);
    return status;
}

}  // namespace

TEST(CommandLine, ReadsCommandsUntilQuit) {
    std::string output;
    const int status =
        RunProgram("", "uci\r\nposition startpos moves e2e4\ngo depth 1\nquit\neval\n", output);
    EXPECT_EQ(status, 0);
    EXPECT_NE(output.find("uciok\n"), std::string::npos) << output;
    EXPECT_NE(output.find("\nbestmove "), std::string::npos) << output;
    EXPECT_EQ(output.find("Evaluation"), std::string::npos) << output;  // after quit
}

TEST(CommandLine, ArgumentsRunOneCommandAndReportFailureInTheStatus) {
    std::string output;
    EXPECT_EQ(RunProgram("eval", "", output), 0);
    EXPECT_EQ(output, "Evaluation: 15\n");
    EXPECT_NE(RunProgram("go depth 0", "", output), 0);
    EXPECT_EQ(output.rfind("info string error: ", 0), 0u) << output;
    EXPECT_EQ(output.find('\n'), output.size() - 1) << output;
}
