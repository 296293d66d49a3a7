// velvora-pack run as a program: round trips, exit codes and its one line of error output.
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace velvora {
namespace {

using testing::ReadFile;
using testing::WriteFile;

TEST(PackToolTest, RoundTripsAFileAndFailsWithOneLineNamingTheError) {
    testing::TempFolder folder;
    const auto path = [&](const std::string& name) { return folder.Path() + name; };
    // Exit code and standard error of one run.
    const auto run = [&](const std::string& arguments) {
        const int status = std::system((VELVORA_PACK_PATH " " + arguments + " 2>" + path("stderr.txt")).c_str());
        return std::pair(WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(path("stderr.txt")));
    };
    std::string content;
    for (int i = 0; i < 9000; ++i) content += "photo " + std::to_string(i % 300) + '\0';
    WriteFile(path("in.exe"), content);
    ASSERT_EQ(run("compress " + path("in.exe") + " " + path("packed")).first, 0);
    const std::string packed = ReadFile(path("packed"));
    EXPECT_EQ(packed.substr(0, 6), "TQXB10");
    EXPECT_LT(packed.size(), content.size());
    ASSERT_EQ(run("decompress " + path("packed") + " " + path("out.exe")).first, 0);
    EXPECT_EQ(ReadFile(path("out.exe")), content);

    WriteFile(path("plain.txt"), "not a record");
    WriteFile(path("out"), "kept");
    const std::pair<std::string, std::string> failures[] = {
        {"decompress " + path("plain.txt") + " " + path("out"), "Wrong file type"},
        {"compress " + path("missing") + " " + path("out"), "Cannot open file"},
        {"compress " + path("plain.txt") + " " + path("no/such/folder/out"), "Cannot create file"},
        {"unpack " + path("plain.txt") + " " + path("out"), "usage: velvora-pack"},
    };
    for (const auto& [arguments, message] : failures) {
        const auto [exitCode, errorOutput] = run(arguments);
        EXPECT_EQ(exitCode, 1) << arguments;
        EXPECT_NE(errorOutput.find(message), std::string::npos) << errorOutput;
        EXPECT_EQ(errorOutput.find('\n'), errorOutput.size() - 1) << errorOutput;
    }
    EXPECT_EQ(ReadFile(path("out")), "kept");
}

}  // namespace
}  // namespace velvora
