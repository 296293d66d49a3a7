// Video publishing.
#include "video/frmPublishSettings_Video.h"

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

#include "base/Global.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"
#include "publish/PublishedReport.h"
#include "video/VideoCaptions.h"
#include "video/VideoExport.h"

namespace velvora {

static QComboBox* MakeChooser(const char* name, QWidget* parent) {
    auto* chooser = new QComboBox(parent);
    chooser->setObjectName(QString::fromLatin1(name));
    return chooser;
}

TPublishSettings_Video::TPublishSettings_Video(const CategoryTree& tree, QWidget* parent)
    : QDialog(parent), tree_(tree) {
    setWindowTitle(QStringLiteral("Publish as Video"));
    ConnectButtons(LayOutSettingsDialog(this, CreateSettingsPage()));
    settings_ = LoadVideoSettings(SettingsPath(), ShowPath);
    LoadControls();
}

QWidget* TPublishSettings_Video::CreateSettingsPage() {
    auto* page = new QWidget;
    const OutputRows rows = MakeOutputRows(page, QStringLiteral(".MP4"));
    txtDirectory = rows.Directory;
    txtFilename = rows.Filename;
    QGridLayout* grid = rows.Grid;
    auto* browse = rows.Browse;
    cboSize = MakeChooser("cboSize", page);
    for (const VideoSize& size : VideoSizes)
        cboSize->addItem(QStringLiteral("%1 x %2").arg(size.Width).arg(size.Height));
    cboFrameRate = MakeChooser("cboFrameRate", page);
    for (const int fps : VideoFrameRates) cboFrameRate->addItem(QStringLiteral("%1 frames a second").arg(fps));
    trkQuality = new QSlider(Qt::Horizontal, page);
    trkQuality->setObjectName(QStringLiteral("trkQuality"));
    trkQuality->setRange(1, 100);
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

void TPublishSettings_Video::ConnectButtons(const SettingsButtons& row) {
    connect(row.Save, &QPushButton::clicked, this, &TPublishSettings_Video::btnSaveSettingsClick);
    connect(row.Publish, &QPushButton::clicked, this, &TPublishSettings_Video::btnPublishClick);
    connect(row.Cancel, &QPushButton::clicked, this, &TPublishSettings_Video::btnCancelClick);
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
    BrowseForFolder(QStringLiteral("Publish as Video Output Directory"), txtDirectory);
}

void TPublishSettings_Video::btnPublishClick() {
    ReadControls();
    if (RefusedFileName(settings_.Filename, VideoExtension)) return;
    if (!SaveBeforeRun(this, [this] { SaveVideoSettings(SettingsPath(), settings_); })) return;
    Publish();
    accept();
}

void TPublishSettings_Video::Publish() {
    const VideoExportRequest request{OutputPath(), StreamFormatOf(settings_), {}, QtCaptionPainter()};
    if (ReportUnpublished(RunVideoExport(tree_, request, "Publishing slide show as a video...")))
        OfferAfterPublishing(PublishedFileText(request.OutputPath), {}, WithTrailingSeparator(settings_.Directory));
}

void ShowPublishVideoDialog(const CategoryTree& tree, QWidget* parent) {
    TPublishSettings_Video dialog(tree, parent);
    dialog.exec();
}

}  // namespace velvora
