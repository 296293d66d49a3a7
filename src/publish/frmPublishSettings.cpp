// The shared publishing settings dialog.
#include "publish/frmPublishSettings.h"

#include <exception>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/Global.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

namespace velvora {

QPushButton* MakeSettingsButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(96);
    return button;
}

TPublishSettingsDialog::TPublishSettingsDialog(const CategoryTree& tree, PublishChannel channel, QWidget* parent)
    : QDialog(parent), tree_(tree), channel_(std::move(channel)) {
    setWindowTitle(channel_.caption);
    ConnectButtons(LayOutSettingsDialog(this, CreateSettingsPage()));
    settings_ = LoadPublishSettings(SettingsPath(), ShowPath, channel_.autoPlay);
    LoadControls();
}

OutputRows MakeOutputRows(QWidget* page, const QString& extension) {
    OutputRows rows{new QGridLayout(page), new QLineEdit(page), new QLineEdit(page),
                    MakeSettingsButton("btnBrowse", QStringLiteral("Browse..."), page)};
    rows.Grid->setContentsMargins(14, 16, 14, 14);
    rows.Grid->setHorizontalSpacing(8);
    rows.Grid->setVerticalSpacing(10);
    rows.Directory->setObjectName(QStringLiteral("txtDirectory"));
    // Chosen through Browse only, so that it always names a folder that was there.
    rows.Directory->setReadOnly(true);
    rows.Filename->setObjectName(QStringLiteral("txtFilename"));
    rows.Grid->addWidget(new QLabel(QStringLiteral("Path:"), page), 0, 0);
    rows.Grid->addWidget(rows.Directory, 0, 1);
    rows.Grid->addWidget(rows.Browse, 0, 2);
    rows.Grid->addWidget(new QLabel(QStringLiteral("Filename:"), page), 1, 0);
    rows.Grid->addWidget(rows.Filename, 1, 1);
    rows.Grid->addWidget(new QLabel(extension, page), 1, 2);
    return rows;
}

QWidget* TPublishSettingsDialog::CreateSettingsPage() {
    auto* page = new QWidget;
    const OutputRows rows = MakeOutputRows(page, QStringLiteral(".EXE"));
    txtDirectory = rows.Directory;
    txtFilename = rows.Filename;
    QGridLayout* grid = rows.Grid;
    auto* browse = rows.Browse;
    chkAutoPlay = new QCheckBox(QStringLiteral("Create auto play CD"), page);
    chkAutoPlay->setObjectName(QStringLiteral("chkAutoPlay"));
    chkAutoPlay->setVisible(channel_.autoPlay == AutoPlayLine::Used);
    grid->addWidget(chkAutoPlay, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    connect(browse, &QPushButton::clicked, this, &TPublishSettingsDialog::btnBrowseClick);
    return page;
}

SettingsButtons LayOutSettingsDialog(QDialog* dialog, QWidget* page) {
    auto* pages = new QTabWidget(dialog);
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->addTab(page, QStringLiteral("Settings"));
    const SettingsButtons row{MakeSettingsButton("btnSaveSettings", QStringLiteral("Save Settings"), dialog),
                              MakeSettingsButton("btnPublish", QStringLiteral("Publish Now"), dialog),
                              MakeSettingsButton("btnCancel", QStringLiteral("Cancel"), dialog)};
    row.Publish->setDefault(true);
    QFont bold = row.Publish->font();
    bold.setBold(true);
    row.Publish->setFont(bold);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(row.Save);
    buttons->addStretch(1);
    buttons->addWidget(row.Publish);
    buttons->addWidget(row.Cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(pages, 1);
    layout->addLayout(buttons);
    dialog->setFixedSize(dialog->sizeHint().expandedTo(QSize(480, 0)));
    return row;
}

void TPublishSettingsDialog::ConnectButtons(const SettingsButtons& row) {
    btnSaveSettings = row.Save;
    btnPublish = row.Publish;
    btnCancel = row.Cancel;
    connect(btnSaveSettings, &QPushButton::clicked, this, &TPublishSettingsDialog::btnSaveSettingsClick);
    connect(btnPublish, &QPushButton::clicked, this, &TPublishSettingsDialog::btnPublishClick);
    connect(btnCancel, &QPushButton::clicked, this, &TPublishSettingsDialog::btnCancelClick);
}

void TPublishSettingsDialog::LoadControls() {
    txtDirectory->setText(FromStored(settings_.Directory));
    txtFilename->setText(FromStored(settings_.Filename));
    chkAutoPlay->setChecked(settings_.AutoPlay);
}

void TPublishSettingsDialog::ReadControls() {
    settings_.Directory = ToStored(txtDirectory->text());
    settings_.Filename = ToStored(txtFilename->text());
    settings_.AutoPlay = chkAutoPlay->isChecked();
}

std::string TPublishSettingsDialog::SettingsPath() const { return ShowPath + channel_.settingsFileName; }

void TPublishSettingsDialog::SavePublishSettings(bool confirm) {
    ReadControls();
    velvora::SavePublishSettings(SettingsPath(), settings_, channel_.autoPlay);
    if (confirm) Dialogs().ShowInfo(channel_.savedMessage);
}

void TPublishSettingsDialog::btnSaveSettingsClick() {
    try {
        SavePublishSettings(true);
    } catch (const std::exception& error) {
        Dialogs().ShowWarning(QString::fromStdString(error.what()));
    }
}

void TPublishSettingsDialog::btnCancelClick() { reject(); }

void BrowseForFolder(const QString& title, QLineEdit* field) {
    const QString folder = Dialogs().PickFolder(title, field->text());
    if (!folder.isEmpty()) field->setText(folder);
}

void TPublishSettingsDialog::btnBrowseClick() { BrowseForFolder(channel_.browseTitle, txtDirectory); }

bool RefusedFileName(const std::string& name, std::string_view extension) {
    const std::string problem = FileNameProblem(name, extension);
    if (problem.empty()) return false;
    Dialogs().ShowWarning(QString::fromStdString(problem));
    return true;
}

void TPublishSettingsDialog::btnPublishClick() {
    ReadControls();
    if (RefusedFileName(settings_.Filename, PublishedExtension) || !MayPublish()) return;
    // Publishing always leaves the photos as they are, whatever the settings asked for.
    settings_.DownSample = false;
    if (!SaveBeforeRun(this, [this] { SavePublishSettings(false); })) return;
    Publish();
    accept();
}

bool SaveBeforeRun(QDialog* dialog, const std::function<void()>& save) {
    dialog->setEnabled(false);
    try {
        save();
        return true;
    } catch (const std::exception& error) {
        dialog->setEnabled(true);
        Dialogs().ShowWarning(QString::fromStdString(error.what()));
        return false;
    }
}

bool ReportUnpublished(const PublishResult& result) {
    switch (result.Outcome) {
        case PublishOutcome::Cancelled:
            Dialogs().ShowInfo(QStringLiteral("Publishing canceled."));
            return false;
        case PublishOutcome::Failed:
            Dialogs().ShowWarning(FromStored(result.Message));
            return false;
        case PublishOutcome::Published:
            break;
    }
    return true;
}

void TPublishSettingsDialog::Publish() {
    const PublishTarget target = TargetOf(settings_);
    if (!ReportUnpublished(RunPublish(tree_, target, channel_.progressHeading))) return;
    try {
        Published(target);
    } catch (const std::exception& error) {
        Dialogs().ShowWarning(FromStored(error.what()));
    }
}

}  // namespace velvora
