// The commands of velvora-cli: the show library, adding photos, publishing and inspecting
// published files, over the same core routines as the window.
#pragma once

#include <atomic>
#include <ostream>
#include <string>
#include <vector>

namespace velvora {

// Exit statuses of every command.
enum CliStatus : int {
    CliDone = 0,
    CliFailed = 1,        // a message on stderr; nothing was changed
    CliUsage = 2,         // usage printed
    CliSkipped = 3,       // add: finished, but one or more files were not added
    CliInterrupted = 130  // stopped by Ctrl+C; what was finished stays
};

// Set (from a signal handler) to stop long work between photos.
extern std::atomic<bool> CliInterruptRequested;

// Runs one command line, `args` without the program name. AppPath must be set
// (InitGlobal). Output goes to `out`, messages and usage to `err`.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velvora
