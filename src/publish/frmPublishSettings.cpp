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

#include "app/Global.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

namespace velvora {

static QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(96);
    return button;
}

TPublishSettingsDialog::TPublishSettingsDialog(const CategoryTree& tree, PublishChannel channel, QWidget* parent)
    : QDialog(parent), tree_(tree), channel_(std::move(channel)) {
    setWindowTitle(channel_.caption);
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->addTab(CreateSettingsPage(), QStringLiteral("Settings"));
    CreateButtons(pages);
    setFixedSize(sizeHint().expandedTo(QSize(480, 0)));
    settings_ = LoadPublishSettings(SettingsPath(), ShowPath, channel_.autoPlay);
    LoadControls();
}

QWidget* TPublishSettingsDialog::CreateSettingsPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(14, 16, 14, 14);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    txtDirectory = new QLineEdit(page);
    txtDirectory->setObjectName(QStringLiteral("txtDirectory"));
    // Chosen through Browse only, so that it always names a folder that was there.
    txtDirectory->setReadOnly(true);
    auto* browse = MakeButton("btnBrowse", QStringLiteral("Browse..."), page);
    txtFilename = new QLineEdit(page);
    txtFilename->setObjectName(QStringLiteral("txtFilename"));
    grid->addWidget(new QLabel(QStringLiteral("Path:"), page), 0, 0);
    grid->addWidget(txtDirectory, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Filename:"), page), 1, 0);
    grid->addWidget(txtFilename, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral(".EXE"), page), 1, 2);
    chkAutoPlay = new QCheckBox(QStringLiteral("Create auto play CD"), page);
    chkAutoPlay->setObjectName(QStringLiteral("chkAutoPlay"));
    chkAutoPlay->setVisible(channel_.autoPlay == AutoPlayLine::Used);
    grid->addWidget(chkAutoPlay, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    connect(browse, &QPushButton::clicked, this, &TPublishSettingsDialog::btnBrowseClick);
    return page;
}

void TPublishSettingsDialog::CreateButtons(QTabWidget* pages) {
    btnSaveSettings = MakeButton("btnSaveSettings", QStringLiteral("Save Settings"), this);
    btnPublish = MakeButton("btnPublish", QStringLiteral("Publish Now"), this);
    btnCancel = MakeButton("btnCancel", QStringLiteral("Cancel"), this);
    btnPublish->setDefault(true);
    QFont bold = btnPublish->font();
    bold.setBold(true);
    btnPublish->setFont(bold);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSaveSettings);
    buttons->addStretch(1);
    buttons->addWidget(btnPublish);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(buttons);
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

void TPublishSettingsDialog::btnBrowseClick() {
    const QString folder = Dialogs().PickFolder(channel_.browseTitle, txtDirectory->text());
    if (!folder.isEmpty()) txtDirectory->setText(folder);
}

void TPublishSettingsDialog::btnPublishClick() {
    ReadControls();
    const std::string problem = FileNameProblem(settings_.Filename, PublishedExtension);
    if (!problem.empty()) {
        Dialogs().ShowWarning(QString::fromStdString(problem));
        return;
    }
    if (!MayPublish()) return;
    // Publishing always leaves the photos as they are, whatever the settings asked for.
    settings_.DownSample = false;
    setEnabled(false);
    try {
        SavePublishSettings(false);
    } catch (const std::exception& error) {
        // Nothing was published; the user may pick another way out.
        setEnabled(true);
        Dialogs().ShowWarning(QString::fromStdString(error.what()));
        return;
    }
    Publish();
    accept();
}

void TPublishSettingsDialog::Publish() {
    const PublishTarget target = TargetOf(settings_);
    const PublishResult result = RunPublish(tree_, target, channel_.progressHeading);
    switch (result.Outcome) {
        case PublishOutcome::Cancelled:
            Dialogs().ShowInfo(QStringLiteral("Publishing canceled."));
            return;
        case PublishOutcome::Failed:
            Dialogs().ShowWarning(FromStored(result.Message));
            return;
        case PublishOutcome::Published:
            break;
    }
    try {
        Published(target);
    } catch (const std::exception& error) {
        Dialogs().ShowWarning(FromStored(error.what()));
    }
}

}  // namespace velvora
