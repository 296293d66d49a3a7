// velvora-cli: the show library, adding, publishing and inspecting without a window.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "base/Global.h"
#include "base/Progress.h"
#include "cli/CliCommands.h"
#include "cli/TerminalProgress.h"
#include "compression/LZRW1KH.h"
#include "imaging/JPEG_IO.h"

namespace {

// Only flags the request: the work stops at its next pause between photos, so what is
// written is always whole.
extern "C" void RequestInterrupt(int) { velvora::CliInterruptRequested = true; }

}  // namespace

int main(int argc, char** argv) {
    // The program folder comes from the running executable, not from how it was called.
    velvora::InitGlobal();
    velvora::InitLzrw1KH();
    velvora::LoadJpegLibrary();
    velvora::SetProgressViewFactory(velvora::TerminalProgressFactory());
    std::signal(SIGINT, RequestInterrupt);
    std::signal(SIGTERM, RequestInterrupt);
    return velvora::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
