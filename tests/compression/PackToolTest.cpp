// velvora-pack run as a program: round trips, exit codes and its one line of error output.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace velvora {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

struct Outcome {
    int exitCode;
    std::string errorOutput;
};

class PackToolTest : public ::testing::Test {
protected:
    Outcome Run(const std::string& arguments) {
        const std::string errorPath = folder_.Path() + "stderr.txt";
        const std::string command = std::string(VELVORA_PACK_PATH) + " " + arguments + " 2>" + errorPath;
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(errorPath)};
    }
    std::string PathOf(const std::string& name) const { return folder_.Path() + name; }

private:
    TempFolder folder_;
};

TEST_F(PackToolTest, RoundTripsAFile) {
    std::string content;
    for (int i = 0; i < 9000; ++i) content += "photo " + std::to_string(i % 300) + '\0';
    WriteFile(PathOf("in.exe"), content);

    ASSERT_EQ(Run("compress " + PathOf("in.exe") + " " + PathOf("packed")).exitCode, 0);
    const std::string packed = ReadFile(PathOf("packed"));
    EXPECT_EQ(packed.substr(0, 6), "TQXB10");
    EXPECT_LT(packed.size(), content.size());
    ASSERT_EQ(Run("decompress " + PathOf("packed") + " " + PathOf("out.exe")).exitCode, 0);
    EXPECT_EQ(ReadFile(PathOf("out.exe")), content);
}

TEST_F(PackToolTest, FailuresExitWithOneLineNamingTheError) {
    WriteFile(PathOf("plain.txt"), "not a record");
    WriteFile(PathOf("out"), "kept");
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"decompress " + PathOf("plain.txt") + " " + PathOf("out"), "Wrong file type"},
        {"compress " + PathOf("missing") + " " + PathOf("out"), "Cannot open file"},
        {"compress " + PathOf("plain.txt") + " " + PathOf("no/such/folder/out"), "Cannot create file"},
        {"unpack " + PathOf("plain.txt") + " " + PathOf("out"), "usage: velvora-pack"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Run(c.arguments);
        EXPECT_EQ(outcome.exitCode, 1) << c.arguments;
        EXPECT_NE(outcome.errorOutput.find(c.message), std::string::npos) << outcome.errorOutput;
        EXPECT_EQ(outcome.errorOutput.find('\n'), outcome.errorOutput.size() - 1) << outcome.errorOutput;
    }
    EXPECT_EQ(ReadFile(PathOf("out")), "kept");
}

}  // namespace
}  // namespace velvora
