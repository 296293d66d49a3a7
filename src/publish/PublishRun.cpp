// The publishing run.
#include "publish/PublishRun.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "base/Global.h"
#include "base/Progress.h"
#include "platform/MessagePump.h"
#include "publish/PublishOutput.h"
#include "publish/PublishUtil.h"
#include "publish/ViewerFiles.h"

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

void StartProgress(const std::string& heading) {
    ProgressSetTitle(heading);
    ProgressSetStatus("Writing categories.");
    ProgressRefresh();
    PumpMessages();
}

bool IsFolder(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

}  // namespace

PublishTarget TargetOf(const PublishSettings& settings) {
    return {WithTrailingSeparator(settings.Directory), settings.Filename + std::string(PublishedExtension)};
}

std::string FileNameProblem(const std::string& name, std::string_view extension) {
    if (name.find_first_not_of(" \t") == std::string::npos) return "Please enter a file name for your slide show.";
    const std::string fileName = name + std::string(extension);
    for (const char c : fileName) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "The file name of your slide show cannot contain control characters, such as tabs or line breaks.";
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            return std::string("The file name of your slide show cannot contain the character \"") + c + "\".";
    }
    if (fileName.back() == '.') return "The file name of your slide show cannot end with a dot.";
    if (fileName.back() == ' ') return "The file name of your slide show cannot end with a blank.";
    return {};
}

// The file is written unnamed (or, where the file system cannot, beside the target as
// ".part") and put at the target path only when complete, so a cancel or a failure leaves an
// earlier publication intact, and a large show never has to fit in memory.
PublishResult RunPublish(const CategoryTree& tree, const PublishTarget& target, const std::string& heading) {
    ProgressWindowScope progress;
    StartProgress(heading);
    try {
        const int photoTotal = CountPublishPhotos();
        if (!IsFolder(target.Folder) || IsFolder(target.Path()))
            return {PublishOutcome::Failed, UnableToPublishMessage};
        EnsureStubViewer();
        const std::string viewer = ViewerFile();
        std::optional<PublishOutputFile> output;
        try {
            output.emplace(target.Path());
        } catch (const EStreamError&) {
            return {PublishOutcome::Failed, UnableToPublishMessage};
        }
        WriteViewerPrefix(output->Stream(), tree.Root()->Text, viewer);
        ProgressShowCancel(true);
        WritePublishedShow(output->Stream(), tree, true, photoTotal);
        if (ProgressCancelled()) return {PublishOutcome::Cancelled, {}};
        if (!output->Commit()) return {PublishOutcome::Failed, UnableToPublishMessage};
    } catch (const std::exception& error) {
        return {PublishOutcome::Failed, error.what()};
    }
    return {PublishOutcome::Published, {}};
}

ViewerFileSource SetViewerFileSource(ViewerFileSource source) {
    return std::exchange(CurrentViewerSource(), std::move(source));
}

}  // namespace velvora
