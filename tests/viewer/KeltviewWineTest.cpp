// keltview.exe under wine on a virtual screen, watched from outside: a show published by the
// tool's own writer is drawn full screen, Space moves on to the next photo, and Escape ends
// the viewer with exit code 0; a file that is not a show gets the error box and code 1.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "viewer_core/PublishedShow.h"

namespace velvora {
namespace {

// The script's own code for "the tools it needs are not installed".
constexpr int MissingTools = 77;

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// Runs the watching script with `arguments`; its exit code, or -1 when it was killed.
int RunKeltview(const std::string& arguments) {
    const std::string command = std::string(KELTVIEW_TEST_SCRIPT) + " " + Quoted(WINE_PROGRAM) + " " +
                                Quoted(WINE_WORK_DIR) + " " + Quoted(KELTVIEW_EXE) + " " + arguments;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class KeltviewUnderWine : public testing::PublishedShowTest {
protected:
    // Runs the watching script (its arguments after the viewer's path) and expects it content.
    static void ExpectWatchedRunPasses(const std::string& arguments) {
        const int result = RunKeltview(arguments);
        if (result == MissingTools) GTEST_SKIP() << "xvfb-run, xdotool or ImageMagick is missing";
        EXPECT_EQ(result, 0) << arguments;
    }
};

TEST_F(KeltviewUnderWine, PlaysAPublishedShowFullScreenStepsWithSpaceAndEndsOnEscape) {
    // Below the toolbar a 4:3 photo fits the 640 x 480 screen's height, centred between two
    // black bars 20 pixels wide; its short caption's band darkens the bottom to 40 %.
    AddPhoto("0000", "00000000", "Caption=Bay\r\n", testing::SolidBmp(64, 48, 0x3366CC));
    AddPhoto("0000", "00000001", "", testing::SolidBmp(64, 48, 0xCC6633));
    // No transition and no time limit: each photo stays until a key moves the show on.
    const std::string show = PublishFile(
        "Title=Wine show\r\nTransition=1\r\nDuration=1\r\nHorizontal=3\r\nVertical=3\r\nViewerShowToolbar=1\r\n");
    ExpectWatchedRunPasses("play " + Quoted(show) + " 'Wine show' 3366CC CC6633 142851");
}

TEST_F(KeltviewUnderWine, WindowSwitchBeforeThePathPlaysInAWindow) {
    AddPhoto("0000", "00000000", "", testing::SolidBmp(4, 3, 0x3366CC));
    const std::string show = PublishFile("Title=Windowed show\r\n");
    ExpectWatchedRunPasses("window " + Quoted(show) + " 'Windowed show'");
}

TEST_F(KeltviewUnderWine, AFileThatIsNotAShowGetsTheErrorBoxAndExitCodeOne) {
    testing::WriteFile(Home() + "notes.exe", "MZ just some bytes, no package behind them");
    ExpectWatchedRunPasses("refuse " + Quoted(Home() + "notes.exe"));
}

}  // namespace
}  // namespace velvora
