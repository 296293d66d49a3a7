// Video publishing.
#include "publish/frmPublishSettings_Video.h"

#include <algorithm>
#include <exception>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/Global.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"
#include "publish/PublishedReport.h"
#include "video/VideoCaptions.h"
#include "video/VideoExport.h"

namespace velvora {

static QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(96);
    return button;
}

static QComboBox* MakeChooser(const char* name, QWidget* parent) {
    auto* chooser = new QComboBox(parent);
    chooser->setObjectName(QString::fromLatin1(name));
    return chooser;
}

TPublishSettings_Video::TPublishSettings_Video(const CategoryTree& tree, QWidget* parent)
    : QDialog(parent), tree_(tree) {
    setWindowTitle(QStringLiteral("Publish as Video"));
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->addTab(CreateSettingsPage(), QStringLiteral("Settings"));
    CreateButtons(pages);
    setFixedSize(sizeHint().expandedTo(QSize(480, 0)));
    settings_ = LoadVideoSettings(SettingsPath(), ShowPath);
    LoadControls();
}

QWidget* TPublishSettings_Video::CreateSettingsPage() {
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
    cboSize = MakeChooser("cboSize", page);
    for (const VideoSize& size : VideoSizes)
        cboSize->addItem(QStringLiteral("%1 x %2").arg(size.Width).arg(size.Height));
    cboFrameRate = MakeChooser("cboFrameRate", page);
    for (const int fps : VideoFrameRates) cboFrameRate->addItem(QStringLiteral("%1 frames a second").arg(fps));
    trkQuality = new QSlider(Qt::Horizontal, page);
    trkQuality->setObjectName(QStringLiteral("trkQuality"));
    trkQuality->setRange(1, 100);
    grid->addWidget(new QLabel(QStringLiteral("Path:"), page), 0, 0);
    grid->addWidget(txtDirectory, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Filename:"), page), 1, 0);
    grid->addWidget(txtFilename, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral(".MP4"), page), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Size:"), page), 2, 0);
    grid->addWidget(cboSize, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Frame rate:"), page), 3, 0);
    grid->addWidget(cboFrameRate, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Quality:"), page), 4, 0);
    auto* quality = new QHBoxLayout;
    quality->addWidget(new QLabel(QStringLiteral("Smaller file"), page));
    quality->addWidget(trkQuality, 1);
    quality->addWidget(new QLabel(QStringLiteral("Better picture"), page));
    grid->addLayout(quality, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    connect(browse, &QPushButton::clicked, this, &TPublishSettings_Video::btnBrowseClick);
    return page;
}

void TPublishSettings_Video::CreateButtons(QTabWidget* pages) {
    auto* save = MakeButton("btnSaveSettings", QStringLiteral("Save Settings"), this);
    auto* publish = MakeButton("btnPublish", QStringLiteral("Publish Now"), this);
    auto* cancel = MakeButton("btnCancel", QStringLiteral("Cancel"), this);
    publish->setDefault(true);
    QFont bold = publish->font();
    bold.setBold(true);
    publish->setFont(bold);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch(1);
    buttons->addWidget(publish);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &TPublishSettings_Video::btnSaveSettingsClick);
    connect(publish, &QPushButton::clicked, this, &TPublishSettings_Video::btnPublishClick);
    connect(cancel, &QPushButton::clicked, this, &TPublishSettings_Video::btnCancelClick);
}

void TPublishSettings_Video::LoadControls() {
    txtDirectory->setText(FromStored(settings_.Directory));
    txtFilename->setText(FromStored(settings_.Filename));
    cboSize->setCurrentIndex(int(std::find(VideoSizes.begin(), VideoSizes.end(), settings_.Size) - VideoSizes.begin()));
    cboFrameRate->setCurrentIndex(
        int(std::find(VideoFrameRates.begin(), VideoFrameRates.end(), settings_.Fps) - VideoFrameRates.begin()));
    trkQuality->setValue(settings_.Quality);
}

void TPublishSettings_Video::ReadControls() {
    settings_.Directory = ToStored(txtDirectory->text());
    settings_.Filename = ToStored(txtFilename->text());
    settings_.Size = VideoSizes[std::size_t(cboSize->currentIndex())];
    settings_.Fps = VideoFrameRates[std::size_t(cboFrameRate->currentIndex())];
    settings_.Quality = trkQuality->value();
}

std::string TPublishSettings_Video::SettingsPath() const { return ShowPath + VideoSettingsFileName; }

std::string TPublishSettings_Video::OutputPath() const {
    return WithTrailingSeparator(settings_.Directory) + settings_.Filename + std::string(VideoExtension);
}

void TPublishSettings_Video::btnSaveSettingsClick() {
    ReadControls();
    try {
        SaveVideoSettings(SettingsPath(), settings_);
        Dialogs().ShowInfo(QStringLiteral("The Video Publishing Settings have been saved."));
    } catch (const std::exception& error) {
        Dialogs().ShowWarning(QString::fromStdString(error.what()));
    }
}

void TPublishSettings_Video::btnCancelClick() { reject(); }

void TPublishSettings_Video::btnBrowseClick() {
    const QString folder =
        Dialogs().PickFolder(QStringLiteral("Publish as Video Output Directory"), txtDirectory->text());
    if (!folder.isEmpty()) txtDirectory->setText(folder);
}

void TPublishSettings_Video::btnPublishClick() {
    ReadControls();
    const std::string problem = FileNameProblem(settings_.Filename, VideoExtension);
    if (!problem.empty()) {
        Dialogs().ShowWarning(QString::fromStdString(problem));
        return;
    }
    setEnabled(false);
    try {
        SaveVideoSettings(SettingsPath(), settings_);
    } catch (const std::exception& error) {
        setEnabled(true);
        Dialogs().ShowWarning(QString::fromStdString(error.what()));
        return;
    }
    Publish();
    accept();
}

void TPublishSettings_Video::Publish() {
    const VideoExportRequest request{OutputPath(), StreamFormatOf(settings_), {}, QtCaptionPainter()};
    const PublishResult result = RunVideoExport(tree_, request, "Publishing slide show as a video...");
    switch (result.Outcome) {
        case PublishOutcome::Cancelled:
            Dialogs().ShowInfo(QStringLiteral("Publishing canceled."));
            return;
        case PublishOutcome::Failed:
            Dialogs().ShowWarning(FromStored(result.Message));
            return;
        case PublishOutcome::Published:
            OfferAfterPublishing(PublishedFileText(request.OutputPath), {}, WithTrailingSeparator(settings_.Directory));
            return;
    }
}

void ShowPublishVideoDialog(const CategoryTree& tree, QWidget* parent) {
    TPublishSettings_Video dialog(tree, parent);
    dialog.exec();
}

}  // namespace velvora
