// The video export run.
#include "video/VideoExport.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include <unistd.h>

#include "base/Progress.h"
#include "platform/MessagePump.h"
#include "publish/CategoryPreview.h"

namespace velvora {

const char* const NoPhotosForVideoMessage =
    "There are no photos to make a video of. Add photos to your slide show first.";

namespace {

namespace fs = std::filesystem;

// The published show the video plays, in the temporary folder, removed on every way out.
class TemporaryShowFile {
public:
    TemporaryShowFile() {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = (fs::temp_directory_path() / ("velvora-video-" + std::to_string(::getpid()) + "-" +
                                              std::to_string(stamp) + "-" + std::to_string(++counter) + ".show"))
                    .string();
    }
    ~TemporaryShowFile() {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    TemporaryShowFile(const TemporaryShowFile&) = delete;
    TemporaryShowFile& operator=(const TemporaryShowFile&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Why the video cannot go to `path`, empty when it can; checked before any work is done.
std::string OutputProblem(const std::string& path) {
    std::error_code ignored;
    const fs::path output(path);
    if (output.filename().empty() || fs::is_directory(output, ignored))
        return "Please choose a file name for your video.";
    const fs::path folder = output.parent_path().empty() ? fs::path(".") : output.parent_path();
    if (!fs::is_directory(folder, ignored))
        return "The folder " + folder.string() + " does not exist. Please choose a folder for your video.";
    return {};
}

// The bar counts two steps for each frame, as it counts two for each photo elsewhere.
void ShowFramesDone(int frames) { ProgressSetPosition(2 * frames); }

PublishResult EncodeFrames(VideoRenderer& renderer, const VideoExportRequest& request, const std::string& heading) {
    ProgressWindowScope progress;
    ProgressSetTitle(heading);
    ProgressSetText("Making the video.");
    ProgressSetMax(2 * renderer.FrameCount());
    ProgressShowCancel(true);
    ProgressRefresh();
    ProgressStartTiming();
    VideoEncoder encoder(request.OutputPath, request.Format);
    PixelBuffer frame;
    for (int done = 0; renderer.NextFrame(frame);) {
        if (renderer.FrameRepeated())
            encoder.Repeat();
        else
            encoder.Write(frame);
        ShowFramesDone(++done);
        PumpMessages();
        if (ProgressCancelled()) return {PublishOutcome::Cancelled, {}};
    }
    encoder.Finish();
    return {PublishOutcome::Published, {}};
}

}  // namespace

PublishResult RunVideoExport(const CategoryTree& tree, const VideoExportRequest& request, const std::string& heading) {
    try {
        if (std::string problem = VideoFormatProblem(request.Format); !problem.empty())
            return {PublishOutcome::Failed, problem};
        if (std::string problem = OutputProblem(request.OutputPath); !problem.empty())
            return {PublishOutcome::Failed, problem};
        const TemporaryShowFile published;
        if (!WritePreviewFile(*tree.Root(), tree.Root()->Text, published.Path()))
            return {PublishOutcome::Cancelled, {}};
        const SlideShow show = SlideShow::Open(published.Path());
        VideoContent content;
        if (!request.CategoryPath.empty()) {
            content.Category = FindVideoCategory(show, request.CategoryPath);
            if (content.Category < 0)
                return {PublishOutcome::Failed, "The slide show has no category " + request.CategoryPath + "."};
        }
        VideoRenderer renderer(show, request.Format.Width, request.Format.Height, request.Format.Fps, content,
                               request.Captions);
        if (!renderer.HasPhotos()) return {PublishOutcome::Failed, NoPhotosForVideoMessage};
        return EncodeFrames(renderer, request, heading);
    } catch (const std::exception& error) {
        return {PublishOutcome::Failed, error.what()};
    }
}

}  // namespace velvora
