// The "Publish as Video" dialog: output folder, file name, size, frame rate and quality,
// kept per show in "pubvideo.ini", and the video run behind Publish Now.
#pragma once

#include <string>

#include <QDialog>

#include "editor/CategoryTree.h"
#include "publish/frmPublishSettings.h"
#include "video/VideoSettings.h"

class QComboBox;
class QLineEdit;
class QSlider;
class QTabWidget;

namespace velvora {

class TPublishSettings_Video final : public QDialog {
    Q_OBJECT

public:
    // Loads the controls from the show's settings file; `tree` must outlive the dialog.
    TPublishSettings_Video(const CategoryTree& tree, QWidget* parent);

    void btnSaveSettingsClick();
    void btnCancelClick();
    void btnBrowseClick();
    // Saves the settings and writes the video; the dialog closes afterwards unless the file
    // name has to be corrected first.
    void btnPublishClick();

private:
    QWidget* CreateSettingsPage();
    void ConnectButtons(const SettingsButtons& row);
    void LoadControls();
    void ReadControls();
    std::string SettingsPath() const;
    std::string OutputPath() const;
    void Publish();

    const CategoryTree& tree_;
    VideoSettings settings_;

    QLineEdit* txtDirectory = nullptr;
    QLineEdit* txtFilename = nullptr;
    QComboBox* cboSize = nullptr;
    QComboBox* cboFrameRate = nullptr;
    QSlider* trkQuality = nullptr;
};

// Shows the dialog modally for the open show; returns when it has closed.
void ShowPublishVideoDialog(const CategoryTree& tree, QWidget* parent);

}  // namespace velvora
