// The publish choice dialog.
#include "app/frmPublish.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "library/LibraryFrameParts.h"
#include "publish/frmPublishSettings_CD.h"
#include "publish/frmPublishSettings_Email.h"
#include "video/frmPublishSettings_Video.h"

namespace velvora {

static constexpr QSize ChoicePictureSize{56, 56};

// Labels on a button must let the clicks through to it.
static QLabel* MakePassiveLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

TPublish::TPublish(const CategoryTree& tree, QWidget* parent) : QDialog(parent), tree_(tree) {
    setWindowTitle(QStringLiteral("Publish Velvora"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(4);
    auto* cd = AddChoice("btnPublishCD", QStringLiteral("publishcd.svg"), QStringLiteral("Publish for CD-ROM"),
                         QStringLiteral("Publish your slide show in a format that can be placed on CD-ROM and "
                                        "distributed."));
    auto* email = AddChoice("btnPublishEmail", QStringLiteral("publishemail.svg"), QStringLiteral("Publish for Email"),
                            QStringLiteral("Publish your slide show in a single compressed file that can be easily "
                                           "sent using email."));
    auto* video = AddChoice("btnPublishVideo", QStringLiteral("publishvideo.svg"), QStringLiteral("Video"),
                            QStringLiteral("Publish your slide show as an MP4 video that plays on phones, TVs and "
                                           "web pages."));
    auto* cancel = AddChoice("btnCancel", QString(), QStringLiteral("Cancel"),
                             QStringLiteral("Don't publish your slide show right now."));
    connect(cd, &QPushButton::clicked, this, &TPublish::btnPublishCDClick);
    connect(email, &QPushButton::clicked, this, &TPublish::btnPublishEmailClick);
    connect(video, &QPushButton::clicked, this, &TPublish::btnPublishVideoClick);
    connect(cancel, &QPushButton::clicked, this, &TPublish::btnCancelClick);
    setFixedSize(420, sizeHint().height());
}

QPushButton* TPublish::AddChoice(const char* name, const QString& picture, const QString& title,
                                 const QString& description) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setFlat(true);
    button->setAutoDefault(false);
    button->setCursor(Qt::PointingHandCursor);
    auto* row = new QHBoxLayout(button);
    row->setContentsMargins(10, 8, 10, 8);
    row->setSpacing(12);
    auto* image = MakePassiveLabel(button);
    image->setFixedSize(ChoicePictureSize);
    if (!picture.isEmpty()) image->setPixmap(ArtworkPixmap(picture, ChoicePictureSize));
    row->addWidget(image, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(3);
    auto* heading = MakePassiveLabel(button);
    heading->setText(title);
    heading->setFont(ArialFont(14, true));
    auto* text = MakePassiveLabel(button);
    text->setText(description);
    text->setFont(ArialFont(12));
    text->setWordWrap(true);
    texts->addWidget(heading);
    texts->addWidget(text);
    texts->addStretch(1);
    row->addLayout(texts, 1);
    // A wrapped description asks for its height at the wrong width, so the picture sets it.
    button->setFixedHeight(ChoicePictureSize.height() + 20);
    layout()->addWidget(button);
    return button;
}

void TPublish::btnPublishCDClick() {
    ShowPublishCDDialog(tree_, this);
    accept();
}

void TPublish::btnPublishEmailClick() {
    ShowPublishEmailDialog(tree_, this);
    accept();
}

void TPublish::btnPublishVideoClick() {
    ShowPublishVideoDialog(tree_, this);
    accept();
}

void TPublish::btnCancelClick() { reject(); }

void ShowPublishDialog(const CategoryTree& tree, QWidget* parent) {
    TPublish dialog(tree, parent);
    dialog.exec();
}

}  // namespace velvora
