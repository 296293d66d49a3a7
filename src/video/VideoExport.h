// One video export shared by the dialog and the command line: the saved show published to a
// temporary file, played by the viewer core and encoded, behind the progress window with its
// estimate and Cancel button.
#pragma once

#include <string>

#include "editor/CategoryTree.h"
#include "publish/PublishRun.h"
#include "video/VideoEncoder.h"
#include "video/VideoRenderer.h"

namespace velvora {

struct VideoExportRequest {
    std::string OutputPath;    // the ".mp4" file to write
    VideoStreamFormat Format;  // size, frame rate, quality
    std::string CategoryPath;  // a stored category path to play alone; empty for the show
    CaptionPainter Captions;   // empty: no captions are written
};

// Shown for a show, or a category, that has no photo to make a video of.
extern const char* const NoPhotosForVideoMessage;

// Plays the saved show in ShowPath with the categories of `tree` into request.OutputPath.
// The file appears complete or not at all: a cancel or a failure leaves any earlier file at
// that path as it was, and no temporary file behind. Never throws for failures of the run
// itself; they come back as Failed with the message to show.
PublishResult RunVideoExport(const CategoryTree& tree, const VideoExportRequest& request, const std::string& heading);

}  // namespace velvora
