// The services installed for the editor frame.
#include "editor/EditorServices.h"

#include <utility>

namespace velvora {

static PublishDialogOpener& InstalledOpener() {
    static PublishDialogOpener opener;
    return opener;
}

static PreviewFileWriter& InstalledWriter() {
    static PreviewFileWriter writer;
    return writer;
}

void SetPublishDialogOpener(PublishDialogOpener opener) { InstalledOpener() = std::move(opener); }

void SetPreviewFileWriter(PreviewFileWriter writer) { InstalledWriter() = std::move(writer); }

void OpenPublishDialog(const CategoryTree& tree, QWidget* parent) {
    if (InstalledOpener()) InstalledOpener()(tree, parent);
}

bool WriteCategoryPreview(const CategoryNode& category, const std::string& title, const std::string& path) {
    return InstalledWriter() && InstalledWriter()(category, title, path);
}

}  // namespace velvora
