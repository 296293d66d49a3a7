// Playback smoothness: a published show played through the viewer core at 1920 x 1080 on a
// real clock at 30 frames a second, as a viewer window plays it. Reports the longest frame
// while a transition runs or waits for its slide, against the peer of drawing the same first
// frame the way a viewer without a worker must (decode and place inside the frame), and the
// process's peak memory. bench_playback FILE.exe LABEL
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "viewer/core/Compositor.h"
#include "viewer/core/SlideScreen.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Width = 1920, Height = 1080;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Plays the show to its end; the longest Tick and Render of a frame that shows a transition.
double WorstTransitionFrameMs(const velvora::SlideShow& show) {
    velvora::SlideScreen screen(show, 1);
    velvora::PixelBuffer frame;
    const Clock::time_point started = Clock::now();
    const auto now = [&] { return std::int64_t(MsSince(started)); };
    screen.Start(now());
    double worst = 0;
    for (int index = 1; screen.State() != velvora::PlayState::Finished; ++index) {
        const Clock::time_point frameStart = Clock::now();
        screen.Tick(now());
        screen.Render(Width, Height, frame);
        const double ms = MsSince(frameStart);
        if (screen.Show().Frame().Progress < 1.0 || !screen.SlidesReady()) worst = std::max(worst, ms);
        std::this_thread::sleep_until(started + std::chrono::microseconds(index * 1'000'000 / 30));
    }
    return worst;
}

// What the first frame of a transition costs when it decodes and places its photo itself.
double WorstInlineFirstFrameMs(const velvora::SlideShow& show) {
    double worst = 0;
    for (const velvora::SlidePhoto& photo : show.Categories()[0].Photos) {
        const Clock::time_point start = Clock::now();
        velvora::RenderSlide(show.LoadPicture(photo), Width, Height, velvora::DisplayChoice{});
        worst = std::max(worst, MsSince(start));
    }
    return worst;
}

void Goal(const std::string& name, double measured, double target) {
    std::printf("goal %s: measured %.1f, target %.0f, %s\n", name.c_str(), measured, target,
                measured <= target ? "met" : "missed");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_playback FILE.exe LABEL\n");
        return 2;
    }
    const std::string label = argv[2];
    const velvora::SlideShow show = velvora::SlideShow::Open(argv[1]);
    const double ours = WorstTransitionFrameMs(show);
    const double peakMb = PeakRssMb();
    const double inlineMs = WorstInlineFirstFrameMs(show);
    std::printf("playback_worst_frame_%s_ms %.1f\n", label.c_str(), ours);
    std::printf("playback_inline_first_frame_%s_ms %.1f\n", label.c_str(), inlineMs);
    std::printf("playback_inline_over_ours_%s %.1f\n", label.c_str(), inlineMs / ours);
    std::printf("playback_peak_rss_%s_mb %.0f\n", label.c_str(), peakMb);
    Goal("playback_worst_frame_" + label + "_ms", ours, 33);
    if (label == "48mp") Goal("playback_peak_rss_48mp_mb", peakMb, 400);
    return 0;
}
