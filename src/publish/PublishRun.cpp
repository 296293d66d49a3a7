// The publishing run.
#include "publish/PublishRun.h"

#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "app/FileIo.h"
#include "app/Global.h"
#include "app/Progress.h"
#include "app/ViewerFiles.h"
#include "compression/Stream.h"
#include "platform/MessagePump.h"
#include "publish/PublishUtil.h"

namespace velvora {

const char* const UnableToPublishMessage =
    "Velvora was unable to publish your slide show to the \r\nspecified file.\r\n\r\nThis is mostly likely because "
    "the slide show is already running. Please \r\nshutdown any running slide show viewers then try publishing "
    "again.\r\n\r\nIf this does not solve the problem then make sure the path you are \r\npublishing your slide show "
    "to exists.";

namespace {

ViewerFileSource& CurrentViewerSource() {
    static ViewerFileSource source;
    return source;
}

std::string ViewerFile() {
    const ViewerFileSource& source = CurrentViewerSource();
    return source ? source() : ExtractCDViewer();
}

// Closes the progress window on every way out of a run.
struct ProgressWindow {
    explicit ProgressWindow(const std::string& heading) {
        ProgressOpen();
        ProgressSetTitle(heading);
        ProgressSetStatus("Writing categories.");
        ProgressRefresh();
        PumpMessages();
    }
    ~ProgressWindow() { ProgressClose(); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;
};

bool IsFolder(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

std::string_view AsText(const std::vector<std::uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

PublishTarget TargetOf(const PublishSettings& settings) {
    return {WithTrailingSeparator(settings.Directory), settings.Filename + ".exe"};
}

std::string FileNameProblem(const std::string& fileName) {
    if (fileName.find_first_not_of(" \t") == std::string::npos) return "Please enter a file name for your slide show.";
    if (fileName.find_first_of("/\\") != std::string::npos)
        return "The file name of your slide show cannot contain \\ or /.";
    return {};
}

PublishResult RunPublish(const CategoryTree& tree, const PublishTarget& target, const std::string& heading) {
    ProgressWindow progress(heading);
    TMemoryStream output;
    try {
        const int photoTotal = CountPublishPhotos();
        if (!IsFolder(target.Folder) || IsFolder(target.Path()))
            return {PublishOutcome::Failed, UnableToPublishMessage};
        WriteViewerPrefix(output, tree.Root()->Text, ViewerFile());
        ProgressShowCancel(true);
        WritePublishedShow(output, tree, true, photoTotal);
    } catch (const std::exception& error) {
        return {PublishOutcome::Failed, error.what()};
    }
    if (ProgressCancelled()) return {PublishOutcome::Cancelled, {}};
    try {
        WriteFileAtomic(target.Path(), AsText(output.Bytes()));
    } catch (const std::runtime_error&) {
        return {PublishOutcome::Failed, UnableToPublishMessage};
    }
    return {PublishOutcome::Published, {}};
}

ViewerFileSource SetViewerFileSource(ViewerFileSource source) {
    return std::exchange(CurrentViewerSource(), std::move(source));
}

}  // namespace velvora
