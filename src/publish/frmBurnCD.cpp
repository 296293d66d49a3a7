// The Burn CD assistant window.
#include "publish/frmBurnCD.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "library/LibraryFrameParts.h"
#include "platform/Dialogs.h"

namespace velvora {

static constexpr QSize DragPictureSize{96, 96};
static constexpr int TopmostIntervalMs = 500;

TBurnCD::TBurnCD(StringList files, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint) {
    DropFileSource1.Files = std::move(files);
    setWindowTitle(QStringLiteral("Burn CD Assistant"));
    CreateControls();
    setFixedSize(sizeHint());
    move(0, 0);
    Timer1 = new QTimer(this);
    Timer1->setInterval(TopmostIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TBurnCD::Timer1Timer);
    Timer1->start();
}

void TBurnCD::CreateControls() {
    auto* heading = new QLabel(QStringLiteral("You are now ready to burn your slide show to CD!"), this);
    heading->setFont(ArialFont(14, true));
    auto* text = new QLabel(
        DisplayText(QStringLiteral(
            "Open your favorite CD burning software and set it up to create a new CD. When it asks you what files "
            "you want to burn to the CD drag the picture on this window to the CD burning application.\r\n\r\nThis "
            "will automatically add all the files that must be on the CD for your slide show to work "
            "properly.\r\n\r\nClick Cancel at any time to return to Velvora.")),
        this);
    text->setFont(ArialFont(12));
    text->setWordWrap(true);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ArtworkPixmap(QStringLiteral("burncd.svg"), DragPictureSize));
    Image1->setFixedSize(DragPictureSize);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);
    auto* hint = new QLabel(QStringLiteral("Click and drag the image above to your CD burning application."), this);
    hint->setFont(ArialFont(12));
    hint->setAlignment(Qt::AlignCenter);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button1"));
    connect(cancel, &QPushButton::clicked, this, &TBurnCD::Button1Click);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(heading);
    layout->addWidget(text);
    layout->addWidget(Image1, 0, Qt::AlignHCenter);
    layout->addWidget(hint);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    text->setFixedWidth(400);
}

bool TBurnCD::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress) {
        Image1MouseDown();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TBurnCD::Image1MouseDown() {
    if (DropFileSource1.Execute()) accept();
}

void TBurnCD::Button1Click() { reject(); }

void TBurnCD::Timer1Timer() { raise(); }

void ShowBurnCDWindow(QWidget& mainWindow, const StringList& files) {
    mainWindow.hide();
    {
        TBurnCD window(files);
        window.exec();
    }
    mainWindow.show();
}

}  // namespace velvora
