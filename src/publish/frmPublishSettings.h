// The settings dialog that the CD and e-mail publishing dialogs share: output folder and
// file name kept per show, Save Settings, and the publishing run behind Publish Now.
#pragma once

#include <string>

#include <QDialog>
#include <QString>

#include "publish/PublishRun.h"
#include "publish/PublishSettings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace velvora {

// What tells the two publishing dialogs apart.
struct PublishChannel {
    QString caption;
    QString browseTitle;
    const char* settingsFileName;
    AutoPlayLine autoPlay;
    std::string progressHeading;
    QString savedMessage;
};

class TPublishSettingsDialog : public QDialog {
    Q_OBJECT

public:
    // Loads the controls from the show's settings file; `tree` must outlive the dialog.
    TPublishSettingsDialog(const CategoryTree& tree, PublishChannel channel, QWidget* parent);

    void btnSaveSettingsClick();
    void btnCancelClick();
    void btnBrowseClick();
    // The run: saves the settings, writes the published file, then hands it to Published.
    // The dialog closes afterwards, unless the user is asked to correct something first.
    void btnPublishClick();

protected:
    // Last say before anything is saved, with Settings() read from the controls; false keeps
    // the dialog open.
    virtual bool MayPublish() { return true; }
    // After the file was written: what the channel offers to do with it.
    virtual void Published(const PublishTarget& target) = 0;

    const CategoryTree& Tree() const { return tree_; }
    const PublishSettings& Settings() const { return settings_; }

private:
    QWidget* CreateSettingsPage();
    void CreateButtons(QTabWidget* pages);
    void LoadControls();
    void ReadControls();
    // Normalises and writes the settings file; `confirm` adds the message that says so.
    void SavePublishSettings(bool confirm);
    std::string SettingsPath() const;
    void Publish();

    const CategoryTree& tree_;
    const PublishChannel channel_;
    PublishSettings settings_;

    QLineEdit* txtDirectory = nullptr;
    QLineEdit* txtFilename = nullptr;
    QCheckBox* chkAutoPlay = nullptr;
    QPushButton* btnSaveSettings = nullptr;
    QPushButton* btnPublish = nullptr;
    QPushButton* btnCancel = nullptr;
};

}  // namespace velvora
