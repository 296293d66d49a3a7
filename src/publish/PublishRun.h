// One publishing run shared by the CD and e-mail dialogs: the published viewer file of the
// saved show, written behind the progress window with its Cancel button.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "editor/CategoryTree.h"
#include "publish/PublishSettings.h"

namespace velvora {

// Where a run writes: `Folder` ends in a separator, `FileName` ends in ".exe".
struct PublishTarget {
    std::string Folder;
    std::string FileName;

    std::string Path() const { return Folder + FileName; }
};

// What the dialogs append to the typed file name.
inline constexpr std::string_view PublishedExtension = ".exe";

PublishTarget TargetOf(const PublishSettings& settings);

// Why a file name typed by the user cannot be published under, empty when it can. `name`
// must not be blank, and the name of the file written, `name` + `extension` (what the caller
// appends, ".exe" in the dialogs), must be one that Windows takes: a file in the chosen
// folder, not a path, without any of : * ? " < > | or a control character, and not ending
// with a dot or a blank (which Windows drops, so that the name is another or none).
std::string FileNameProblem(const std::string& name, std::string_view extension = {});

enum class PublishOutcome { Published, Cancelled, Failed };

struct PublishResult {
    PublishOutcome Outcome = PublishOutcome::Failed;
    std::string Message;  // for Failed: what to tell the user
};

// Shown when the output cannot be created where the user asked for it.
extern const char* const UnableToPublishMessage;

// Writes the published viewer file of the show in ShowPath (as the editor saved it) with the
// categories of `tree` to `target`, behind a progress window headed `heading`. The file
// appears complete or not at all: it is written to an unnamed file in the target's folder (a
// ".part" file beside the target where the file system has no unnamed files) and then put at
// the path in one step, so a cancel or a failure leaves any earlier file at that path as it
// was and no temporary file behind. Never throws for the failures
// of the run itself; they come back as Failed with the message to show.
PublishResult RunPublish(const CategoryTree& tree, const PublishTarget& target, const std::string& heading);

// What supplies the viewer program a run embeds: ExtractCDViewer unless replaced.
using ViewerFileSource = std::function<std::string()>;
// Installs `source` (an empty one restores ExtractCDViewer) and returns the previous one.
ViewerFileSource SetViewerFileSource(ViewerFileSource source);

}  // namespace velvora
