// What the editor frame asks of the layers above it: the publishing choice for the show,
// and the preview file that Play opens in the viewer. The application installs both, so
// that the editor never depends on publishing.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace velvora {

class CategoryNode;
class CategoryTree;

using PublishDialogOpener = std::function<void(const CategoryTree& tree, QWidget* parent)>;
// Writes the published file of `category` alone, titled `title`, to `path`; false when it
// could not, having told the user why.
using PreviewFileWriter =
    std::function<bool(const CategoryNode& category, const std::string& title, const std::string& path)>;

void SetPublishDialogOpener(PublishDialogOpener opener);
void SetPreviewFileWriter(PreviewFileWriter writer);

// Through the installed opener and writer; nothing is opened, and false, without them.
void OpenPublishDialog(const CategoryTree& tree, QWidget* parent);
bool WriteCategoryPreview(const CategoryNode& category, const std::string& title, const std::string& path);

}  // namespace velvora
