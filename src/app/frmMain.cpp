#include "app/frmMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "app/Global.h"
#include "app/Progress.h"
#include "library/ShowIndex.h"
#include "library/frmNewCreate.h"
#include "library/frmNewSlideShow.h"
#include "library/frmOpenShow.h"
#include "platform/TextCodec.h"

namespace velvora {

TMain::TMain(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Velvora"));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/velvora.svg")));
    resize(800, 600);
    pnlFrameContain = new QWidget(this);
    pnlFrameContain->setObjectName(QStringLiteral("pnlFrameContain"));
    auto* layout = new QVBoxLayout(pnlFrameContain);
    layout->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(pnlFrameContain);
    FormCreate();
}

void TMain::FormCreate() {
    InitShowsPath();
    LoadShowList();
    ShowFrame(FrameKind::StartPage);
}

// Until the editor frame exists, an open show is shown by a page that names it.
static QWidget* MakeEditorPlaceholder() {
    auto* label = new QLabel(QStringLiteral("The slide show \"%1\" is open.")
                                 .arg(FromStored(ShowSettings.Value("Title"))));
    label->setObjectName(QStringLiteral("frmEditorPlaceholder"));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QWidget* TMain::CreateFrame(FrameKind kind) {
    switch (kind) {
        case FrameKind::StartPage: return new TFrameNewCreate(*this);
        case FrameKind::NewShow: return new TFrameNewSlideShow(*this);
        case FrameKind::OpenShow: return new TFrameOpenShow(*this);
        case FrameKind::Editor: return MakeEditorPlaceholder();
        case FrameKind::None: break;
    }
    return nullptr;
}

void TMain::ShowFrame(FrameKind kind) {
    if (currentFrame_) {
        pnlFrameContain->hide();
        delete currentFrame_;
        currentFrame_ = nullptr;
    }
    pnlFrameContain->hide();
    currentKind_ = kind;
    currentFrame_ = CreateFrame(kind);
    if (!currentFrame_) return;
    pnlFrameContain->layout()->addWidget(currentFrame_);
    pnlFrameContain->show();
    currentFrame_->show();
    if (auto* newShow = qobject_cast<TFrameNewSlideShow*>(currentFrame_)) newShow->FocusTitle();
    if (auto* openShow = qobject_cast<TFrameOpenShow*>(currentFrame_)) {
        openShow->FillList();
        ProgressClose();
    }
}

void TMain::Post(int eventType) {
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(eventType)));
}

void TMain::RequestNewShow() { Post(NewShowRequestEvent); }

void TMain::RequestOpenShow() {
    ProgressOpen();
    ProgressSetTitle("Opening slide show...");
    ProgressRefresh();
    Post(OpenShowRequestEvent);
}

void TMain::RequestStartPage() { Post(StartPageRequestEvent); }

void TMain::OpenShow(const std::string& showFolder) {
    const std::string folder = WithTrailingSeparator(showFolder);
    KeyValueList settings;
    settings.LoadFromFile(folder + ShowSettingsFileName);
    ShowPath = folder;
    ShowSettings = std::move(settings);
    Post(EditorRequestEvent);
}

void TMain::customEvent(QEvent* event) {
    switch (static_cast<int>(event->type())) {
        case OpenShowRequestEvent: ShowFrame(FrameKind::OpenShow); break;
        case NewShowRequestEvent: ShowFrame(FrameKind::NewShow); break;
        case StartPageRequestEvent: ShowFrame(FrameKind::StartPage); break;
        case EditorRequestEvent: ShowFrame(FrameKind::Editor); break;
        default: QMainWindow::customEvent(event);
    }
}

void TMain::closeEvent(QCloseEvent* event) {
    ShowFrame(FrameKind::None);
    event->accept();
}

}  // namespace velvora
