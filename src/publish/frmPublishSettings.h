// The settings dialog that the CD and e-mail publishing dialogs share: output folder and
// file name kept per show, Save Settings, and the publishing run behind Publish Now.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <QDialog>
#include <QString>

#include "publish/PublishRun.h"
#include "publish/PublishSettings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QGridLayout;
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

// A button of a publishing dialog, named `name` for tests, that never takes Enter itself.
QPushButton* MakeSettingsButton(const char* name, const QString& text, QWidget* parent);

struct SettingsButtons {
    QPushButton* Save = nullptr;
    QPushButton* Publish = nullptr;
    QPushButton* Cancel = nullptr;
};
// Lays `dialog` out as one tab, "Settings", holding `page`, above a row of Save Settings
// and, at the right, the bold default Publish Now and Cancel; the dialog keeps its size.
SettingsButtons LayOutSettingsDialog(QDialog* dialog, QWidget* page);

// Shows why `name` + `extension` cannot be published under and returns true; false when it can.
bool RefusedFileName(const std::string& name, std::string_view extension);
// Lets the user pick the output folder, starting at the one in `field`, and puts it there.
void BrowseForFolder(const QString& title, QLineEdit* field);

// Runs `save` before a run, with `dialog` disabled. When it fails, nothing was published:
// the dialog comes back with the reason, so the user may pick another way out, and false.
bool SaveBeforeRun(QDialog* dialog, const std::function<void()>& save);
// Tells the user how a run ended when it did not publish; true when it did.
bool ReportUnpublished(const PublishResult& result);

// The rows every publishing settings page starts with: the output folder (chosen through
// Browse only) and the file name followed by `extension`. Further rows go on at row 2.
struct OutputRows {
    QGridLayout* Grid = nullptr;
    QLineEdit* Directory = nullptr;
    QLineEdit* Filename = nullptr;
    QPushButton* Browse = nullptr;
};
OutputRows MakeOutputRows(QWidget* page, const QString& extension);

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
    void ConnectButtons(const SettingsButtons& row);
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
