// Stands in for the show editor: says which show is open and ignores editor commands.
#pragma once

#include "app/ShowEditorFrame.h"

class QLabel;

namespace velvora {

class TFrameEditorPlaceholder final : public ShowEditorFrame {
    Q_OBJECT
public:
    explicit TFrameEditorPlaceholder(QWidget* parent = nullptr);

    void LoadShow() override;
    bool CloseShow() override { return true; }
    void RunCommand(EditorCommand) override {}
    bool PhotoViewerVisible() const override { return viewerVisible_; }
    void ShowPhotoViewer(bool show, bool) override { viewerVisible_ = show; }

    QString Message() const;

private:
    QLabel* lblOpenShow = nullptr;
    bool viewerVisible_ = false;
};

ShowEditorFrame* MakeEditorPlaceholder(TMain& main, QWidget* parent);

}  // namespace velvora
